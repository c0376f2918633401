// The text conversions at the COM boundary: an application text goes into a property and
// comes back (FptrService's FromApp and ToApp, with and without the OEM code page), and the
// code-page tables and UTF-8 conversions of TableTextConverter see the same bytes.
//
// Input: a flag byte (bit 0: the device key sets Codepage866), then the text as UTF-16
// units, low byte first; the bytes after the flag are also taken as ANSI, OEM and UTF-8
// text, and the first eight as a currency amount.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/portable/TableTextConverter.h"

#include "FuzzSupport.h"

namespace {

using namespace orn;
using fuzz::Check;

constexpr int32_t kPidxPreLine = 1016008;
constexpr size_t kMaxTextBytes = 1000;

bool WellFormed(std::u16string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit >= 0xDC00 && unit < 0xE000) return false;
    if (unit >= 0xD800 && unit < 0xDC00) {
      if (i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] >= 0xE000) return false;
      ++i;
    }
  }
  return true;
}

// Every character has a Windows-1251 byte and none is zero.
bool InCodePage(platform::TableTextConverter& text, std::u16string_view units) {
  for (char16_t unit : units)
    if (unit == 0 || (unit != u'?' && text.AnsiFromUtf16(std::u16string_view(&unit, 1)) == "?"))
      return false;
  return true;
}

void CheckBoundary(bool codepage866, std::u16string_view appText) {
  fuzz::ServiceOnSimulator on;
  fuzz::WriteDeviceKey(on.memory.registry, codepage866);
  Check(on.Open() == 0, "open");
  service::FptrService& service = on.service;
  Check(service.SetPropertyString(kPidxPreLine, appText) == 0, "PreLine set");
  std::u16string back;
  Check(service.GetPropertyString(kPidxPreLine, back) == 0, "PreLine read");
  Check(back.size() <= kMaxTextBytes, "a text of at most 1000 bytes");
  // Up to its first zero, a text the code page holds comes back as it went in.
  const std::u16string_view sent = appText.substr(0, appText.find(u'\0'));
  if (!codepage866 && sent.size() <= kMaxTextBytes && InCodePage(on.memory.text, sent))
    Check(back == sent, "a Windows-1251 text round trip");
  service.CloseService();
}

void CheckConverters(std::string_view bytes) {
  platform::TableTextConverter text;
  const std::u16string wide = text.Utf16FromAnsi(bytes);
  Check(wide.size() == bytes.size(), "one unit per ANSI byte");
  Check(text.AnsiFromUtf16(wide) == bytes, "an ANSI round trip");
  Check(text.AnsiFromOem(bytes).size() == bytes.size(), "OEM to ANSI keeps the length");
  Check(text.OemFromAnsi(bytes).size() == bytes.size(), "ANSI to OEM keeps the length");

  const std::u16string fromUtf8 = platform::Utf16FromUtf8(bytes);
  Check(WellFormed(fromUtf8), "UTF-8 gives well-formed UTF-16");
  Check(platform::Utf16FromUtf8(platform::Utf8FromUtf16(fromUtf8)) == fromUtf8,
        "a UTF-16 round trip through UTF-8");

  int64_t amount = 0;
  std::memcpy(&amount, bytes.data(), std::min(bytes.size(), sizeof amount));
  const std::string currency = text.CurrencyText(amount);
  // The text read back: integer part, then at most four decimals after the comma.
  const bool negative = !currency.empty() && currency[0] == '-';
  const size_t comma = currency.find(',');
  const std::string whole = currency.substr(negative, comma - negative);
  const std::string fraction = comma == std::string::npos ? "" : currency.substr(comma + 1);
  Check(!whole.empty() && fraction.size() <= 4 && (comma == std::string::npos || !fraction.empty()),
        "currency text shape");
  uint64_t magnitude = 0;
  for (char c : whole + fraction + std::string(4 - fraction.size(), '0')) {
    Check(c >= '0' && c <= '9', "currency digits");
    magnitude = magnitude * 10 + unsigned(c - '0');
  }
  const uint64_t expected = amount < 0 ? uint64_t(0) - uint64_t(amount) : uint64_t(amount);
  Check(magnitude == expected && negative == (amount < 0), "currency value");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const bool codepage866 = data[0] & 1;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  std::u16string appText;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2)
    appText.push_back(char16_t(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8));
  CheckBoundary(codepage866, appText);
  CheckConverters(bytes);
  return 0;
}
