#pragma once
// Text conversions at the edges of the driver. Inside, texts are single-byte ANSI strings
// (Windows-1251); at the COM boundary they are UTF-16; applications may use OEM (866).

#include <cstdint>
#include <string>
#include <string_view>

namespace orn::platform {

class TextConverter {
 public:
  virtual ~TextConverter() = default;
  // WideCharToMultiByte(CP_ACP): characters without an ANSI form become '?'.
  virtual std::string AnsiFromUtf16(std::u16string_view text) = 0;
  // MultiByteToWideChar(CP_ACP).
  virtual std::u16string Utf16FromAnsi(std::string_view text) = 0;
  // OemToCharBuffA and CharToOemBuffA: same length, byte for byte.
  virtual std::string AnsiFromOem(std::string_view text) = 0;
  virtual std::string OemFromAnsi(std::string_view text) = 0;
  // OLE currency (value x 10000) as text in the user's default locale (VarBstrFromCy),
  // in ANSI: "12,3456", "-0,5", "100".
  virtual std::string CurrencyText(int64_t currency) = 0;
};

}  // namespace orn::platform
