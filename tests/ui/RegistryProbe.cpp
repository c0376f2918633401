#include "RegistryProbe.h"

#include <sddl.h>

#include <cstdio>
#include <vector>

#include "config/DriverLog.h"
#include "config/DriverParams.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"

namespace orn::ui {
namespace {

std::string Ansi(const std::wstring& text) {
  const int size = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string ansi(size, '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), ansi.data(), size,
                        nullptr, nullptr);
  return ansi;
}

std::wstring Wide(const std::string& text) {
  const int size =
      ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(size, L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

void Dump(const std::wstring& path, std::wstring& out) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    out += path + L": no key\n";
    return;
  }
  for (DWORD index = 0;; ++index) {
    wchar_t name[512];
    DWORD nameLength = 512;
    BYTE data[2048];
    DWORD size = sizeof data;
    DWORD type = 0;
    if (::RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data, &size) !=
        ERROR_SUCCESS) {
      break;
    }
    out += path + L"\\" + name + L"=" + std::to_wstring(type) + L":";
    for (DWORD at = 0; at < size; ++at) {
      wchar_t hex[4];
      std::swprintf(hex, 4, L"%02x", data[at]);
      out += hex;
    }
    out += L"\n";
  }
  std::vector<std::wstring> subKeys;
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD length = 256;
    if (::RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    subKeys.push_back(name);
  }
  ::RegCloseKey(key);
  for (const std::wstring& subKey : subKeys) Dump(path + L"\\" + subKey, out);
}

}  // namespace

std::wstring KeyDump(const std::wstring& path) {
  std::wstring out;
  Dump(path, out);
  return out;
}

std::wstring DriverReading(const std::wstring& deviceName) {
  platform::Win32Registry registry;
  platform::Win32Clock clock;
  platform::Win32FileSystem files;
  config::DriverLog log(files, clock);
  config::DriverParams params(registry, log);
  if (!params.ReadDeviceParams(Ansi(deviceName))) return L"DriverParams does not read the key";
  std::wstring text = L"ComNumber " + std::to_wstring(params.ComNumber()) + L"; BaudRate " +
                      std::to_wstring(params.BaudRate()) + L"; PayTypes";
  for (const config::PayType& payType : params.PayTypes())
    text += L" " + Wide(payType.name) + L"=" + std::to_wstring(payType.code) + L";";
  return text;
}

WritesRefused::WritesRefused(const std::wstring& path) : path_(path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, READ_CONTROL | WRITE_DAC, &key) !=
      ERROR_SUCCESS) {
    return;
  }
  DWORD size = 0;
  ::RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
  std::string saved(size, '\0');
  PSECURITY_DESCRIPTOR denying = nullptr;
  // Everyone is denied setting values (KEY_SET_VALUE), and may do all else.
  if (::RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, saved.data(), &size) == ERROR_SUCCESS &&
      ::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(D;;0x2;;;WD)(A;;KA;;;WD)",
                                                             SDDL_REVISION_1, &denying, nullptr) &&
      ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, denying) == ERROR_SUCCESS) {
    saved_ = saved;
  }
  if (denying) ::LocalFree(denying);
  ::RegCloseKey(key);
}

WritesRefused::~WritesRefused() {
  if (saved_.empty()) return;
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path_.c_str(), 0, WRITE_DAC, &key) == ERROR_SUCCESS) {
    ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, saved_.data());
    ::RegCloseKey(key);
  }
}

}  // namespace orn::ui
