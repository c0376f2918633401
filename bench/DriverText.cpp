#include "DriverText.h"

#include <windows.h>

namespace orn::bench {

bool Codepage866 = false;

std::string ToAnsi(const std::wstring& text, bool* lost) {
  if (lost) *lost = false;
  if (text.empty()) return {};
  BOOL usedDefault = FALSE;
  // Without best-fit: a character the code page lacks is reported, not replaced by a
  // look-alike.
  const DWORD flags = lost ? WC_NO_BEST_FIT_CHARS : 0;
  BOOL* defaulted = lost ? &usedDefault : nullptr;
  const int size = ::WideCharToMultiByte(CP_ACP, flags, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, defaulted);
  std::string narrow(size, '\0');
  ::WideCharToMultiByte(CP_ACP, flags, text.data(), static_cast<int>(text.size()), narrow.data(),
                        size, nullptr, defaulted);
  if (lost) *lost = usedDefault != FALSE;
  return narrow;
}

std::wstring FromAnsi(const std::string& text) {
  if (text.empty()) return {};
  const int size =
      ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(size, L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

void ReadCodepageFlag(const std::wstring& deviceName) {
  const std::wstring path = L"SOFTWARE\\OLEforRetail\\ServiceOPOS\\FiscalPrinter\\" + deviceName;
  HKEY key = nullptr;
  // Read access only: a cashier's account may read the device key, not write it, and with
  // full access asked for, the flag would stay false while the driver converts its texts.
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
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
  std::string bytes = ToAnsi(text);
  ::CharToOemBuffA(bytes.data(), bytes.data(), static_cast<DWORD>(bytes.size()));
  return FromAnsi(bytes);
}

std::wstring FromDriverText(const std::wstring& text) {
  if (!Codepage866) return text;
  std::string bytes = ToAnsi(text);
  ::OemToCharBuffA(bytes.data(), bytes.data(), static_cast<DWORD>(bytes.size()));
  return FromAnsi(bytes);
}

}  // namespace orn::bench
