#include "platform/win32/Win32TextConverter.h"

#include <windows.h>

#include <oleauto.h>

namespace orn::platform {

std::string Win32TextConverter::AnsiFromUtf16(std::u16string_view text) {
  if (text.empty()) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  int length =
      ::WideCharToMultiByte(CP_ACP, 0, wide, int(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(size_t(length > 0 ? length : 0), '\0');
  if (length > 0)
    ::WideCharToMultiByte(CP_ACP, 0, wide, int(text.size()), out.data(), length, nullptr, nullptr);
  return out;
}

std::u16string Win32TextConverter::Utf16FromAnsi(std::string_view text) {
  if (text.empty()) return {};
  int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
  std::u16string out(size_t(length > 0 ? length : 0), u'\0');
  if (length > 0)
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()),
                          reinterpret_cast<wchar_t*>(out.data()), length);
  return out;
}

std::string Win32TextConverter::AnsiFromOem(std::string_view text) {
  std::string out(text);
  if (!out.empty()) ::OemToCharBuffA(out.data(), out.data(), DWORD(out.size()));
  return out;
}

std::string Win32TextConverter::OemFromAnsi(std::string_view text) {
  std::string out(text);
  if (!out.empty()) ::CharToOemBuffA(out.data(), out.data(), DWORD(out.size()));
  return out;
}

std::string Win32TextConverter::CurrencyText(int64_t currency) {
  CY value{};
  value.int64 = currency;
  BSTR text = nullptr;
  if (FAILED(::VarBstrFromCy(value, LOCALE_USER_DEFAULT, 0, &text)) || !text) return "0";
  const auto* wide = reinterpret_cast<const char16_t*>(text);
  std::string out = AnsiFromUtf16(std::u16string_view(wide, ::SysStringLen(text)));
  ::SysFreeString(text);
  return out;
}

}  // namespace orn::platform
