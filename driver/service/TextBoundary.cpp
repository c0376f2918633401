// Texts crossing the interface: UTF-16 from the application becomes an ANSI string of at
// most 1000 bytes (from the OEM code page when Codepage866 is set), and back. The results
// are fresh strings of the calling object, so two service objects (two registers on one
// PC, or two threads) never share a buffer.

#include <algorithm>

#include "service/FptrService.h"

namespace orn::service {

namespace {

constexpr size_t kMaxTextBytes = 1000;
// A surrogate pair becomes one byte, every other unit one byte: so this many units are
// always enough for the bytes that are kept, and a text of megabytes costs no more.
constexpr size_t kMaxTextUnits = 2 * kMaxTextBytes;

}  // namespace

std::string FptrService::FromApp(std::u16string_view text) {
  // An automation string is read as a C string: it ends at its first zero.
  text = text.substr(0, std::min(text.find(u'\0'), kMaxTextUnits));
  std::string ansi = text_.AnsiFromUtf16(text);
  if (ansi.size() > kMaxTextBytes) ansi.resize(kMaxTextBytes);
  if (params_.Codepage866()) ansi = text_.AnsiFromOem(ansi);
  return ansi;
}

std::u16string FptrService::ToApp(std::string_view text) {
  text = text.substr(0, kMaxTextBytes);
  if (!params_.Codepage866()) return text_.Utf16FromAnsi(text);
  return text_.Utf16FromAnsi(text_.OemFromAnsi(text));
}

}  // namespace orn::service
