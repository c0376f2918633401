#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <string>

namespace orn::platform {

namespace {

HKEY ToHkey(RegKey key) {
  return reinterpret_cast<HKEY>(key);
}

REGSAM ToSam(RegAccess access) {
  switch (access) {
    case RegAccess::kRead:
      return KEY_READ;
    case RegAccess::kWrite:
      return KEY_WRITE;
    case RegAccess::kReadWrite:
      break;
  }
  return KEY_READ | KEY_WRITE;
}

}  // namespace

long Win32Registry::OpenKey(std::string_view path, RegAccess access, RegKey& key) {
  HKEY opened = nullptr;
  LONG code = ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, std::string(path).c_str(), 0,
                              ToSam(access) | viewFlags_, &opened);
  if (code == ERROR_SUCCESS) key = reinterpret_cast<RegKey>(opened);
  return code;
}

long Win32Registry::CreateKey(std::string_view path, RegAccess access, RegKey& key) {
  HKEY created = nullptr;
  LONG code = ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, std::string(path).c_str(), 0, nullptr,
                                REG_OPTION_NON_VOLATILE, ToSam(access) | viewFlags_, nullptr,
                                &created, nullptr);
  if (code == ERROR_SUCCESS) key = reinterpret_cast<RegKey>(created);
  return code;
}

long Win32Registry::QueryValue(RegKey key, const char* name, uint32_t* type, uint8_t* data,
                               uint32_t* size) {
  DWORD valueType = 0;
  DWORD valueSize = size ? *size : 0;
  LONG code =
      ::RegQueryValueExA(ToHkey(key), name, nullptr, &valueType, data, size ? &valueSize : nullptr);
  if (type) *type = valueType;
  if (size) *size = valueSize;
  return code;
}

long Win32Registry::SetValue(RegKey key, const char* name, uint32_t type, const uint8_t* data,
                             uint32_t size) {
  return ::RegSetValueExA(ToHkey(key), name, 0, type, data, size);
}

long Win32Registry::ValueNames(RegKey key, std::vector<std::string>& names) {
  names.clear();
  DWORD count = 0, longest = 0;
  LONG code = ::RegQueryInfoKeyA(ToHkey(key), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                 &count, &longest, nullptr, nullptr, nullptr);
  if (code != ERROR_SUCCESS) return code;
  std::string buffer(longest + 1, '\0');
  for (DWORD index = 0; index < count; ++index) {
    DWORD length = DWORD(buffer.size());
    code = ::RegEnumValueA(ToHkey(key), index, buffer.data(), &length, nullptr, nullptr, nullptr,
                           nullptr);
    if (code != ERROR_SUCCESS) return code;
    names.emplace_back(buffer.data(), length);
  }
  return ERROR_SUCCESS;
}

void Win32Registry::CloseKey(RegKey key) {
  if (key != kNoKey) ::RegCloseKey(ToHkey(key));
}

}  // namespace orn::platform
