#pragma once
// Windows-1251 (the Russian ANSI code page) and 866 (the Russian OEM code page) as tables,
// so that conversions behave alike on every platform and in tests.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/TextConverter.h"

namespace orn::platform {

// UTF-16 code of each byte 80h..FFh of the code page.
extern const char16_t kCp1251High[128];
extern const char16_t kCp866High[128];

// Conversions by the tables above. Bytes below 80h are ASCII in both code pages; a
// character that the target code page lacks becomes '?'.
class TableTextConverter : public TextConverter {
 public:
  std::string AnsiFromUtf16(std::u16string_view text) override;
  std::u16string Utf16FromAnsi(std::string_view text) override;
  std::string AnsiFromOem(std::string_view text) override;
  std::string OemFromAnsi(std::string_view text) override;
  std::string CurrencyText(int64_t currency) override;
};

// Currency as VarBstrFromCy writes it: integer part, then the decimal separator and the
// fraction without trailing zeros (none when the fraction is zero).
std::string FormatCurrency(int64_t currency, char decimalSeparator);

// UTF-8 for terminals and files of native tools.
std::string Utf8FromUtf16(std::u16string_view text);
// Malformed sequences become U+FFFD.
std::u16string Utf16FromUtf8(std::string_view text);

}  // namespace orn::platform
