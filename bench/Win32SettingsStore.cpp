#include "Win32SettingsStore.h"

#include <windows.h>

namespace orn::bench {

long Win32SettingsStore::DeleteValue(const std::string& key, const std::string& name) {
  HKEY opened = nullptr;
  LONG code = ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_SET_VALUE, &opened);
  if (code == ERROR_SUCCESS) {
    code = ::RegDeleteValueA(opened, name.c_str());
    ::RegCloseKey(opened);
  }
  // A value (or key) that is not there is deleted already.
  return code == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : code;
}

long Win32SettingsStore::DeleteKey(const std::string& key) {
  return ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
}

}  // namespace orn::bench
