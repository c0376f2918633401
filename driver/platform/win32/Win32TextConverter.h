#pragma once
#include "platform/TextConverter.h"

namespace orn::platform {

// The system's own conversions: the ANSI and OEM code pages and the user's locale.
class Win32TextConverter : public TextConverter {
 public:
  std::string AnsiFromUtf16(std::u16string_view text) override;
  std::u16string Utf16FromAnsi(std::string_view text) override;
  std::string AnsiFromOem(std::string_view text) override;
  std::string OemFromAnsi(std::string_view text) override;
  std::string CurrencyText(int64_t currency) override;
};

}  // namespace orn::platform
