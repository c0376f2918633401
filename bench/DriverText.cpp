#include "DriverText.h"

#include <windows.h>

namespace orn::bench {

bool Codepage866 = false;

namespace {

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string narrow(size, '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), narrow.data(), size,
                        nullptr, nullptr);
  return narrow;
}

std::wstring Widen(const std::string& text) {
  if (text.empty()) return {};
  const int size =
      ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(size, L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

}  // namespace

void ReadCodepageFlag(const std::wstring& deviceName) {
  const std::wstring path = L"SOFTWARE\\OLEforRetail\\ServiceOPOS\\FiscalPrinter\\" + deviceName;
  HKEY key = nullptr;
  // Full access, as the driver's own reader asks; without the rights the flag stays false.
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
    return;
  }
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  const LONG status = ::RegQueryValueExW(key, L"Codepage866", nullptr, &type,
                                         reinterpret_cast<BYTE*>(&value), &size);
  ::RegCloseKey(key);
  if (status == ERROR_FILE_NOT_FOUND) return;
  if ((status != ERROR_SUCCESS && status != ERROR_MORE_DATA) || type != REG_DWORD) {
    ::MessageBoxW(nullptr, L"Invalid data type for 'Codepage866'", L"Тест OPOS драйвера ФР",
                  MB_OK | MB_ICONERROR);
    return;
  }
  Codepage866 = value != 0;
}

std::wstring ToDriverText(const std::wstring& text) {
  if (!Codepage866) return text;
  std::string bytes = Narrow(text);
  ::CharToOemBuffA(bytes.data(), bytes.data(), static_cast<DWORD>(bytes.size()));
  return Widen(bytes);
}

std::wstring FromDriverText(const std::wstring& text) {
  if (!Codepage866) return text;
  std::string bytes = Narrow(text);
  ::OemToCharBuffA(bytes.data(), bytes.data(), static_cast<DWORD>(bytes.size()));
  return Widen(bytes);
}

}  // namespace orn::bench
