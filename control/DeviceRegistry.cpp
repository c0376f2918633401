#include "DeviceRegistry.h"

#include <objbase.h>

#include "OposConstants.h"

namespace orn::control {
namespace {

// Device names, logical names and ProgIDs are registry key names: at most 255 characters.
constexpr DWORD kMaxName = 256;

class RegKey {
 public:
  RegKey(HKEY parent, const wchar_t* path) {
    if (::RegOpenKeyExW(parent, path, 0, KEY_READ, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  ~RegKey() {
    if (key_) ::RegCloseKey(key_);
  }
  explicit operator bool() const { return key_ != nullptr; }
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

// A REG_SZ value (nullptr names the default value); false when it is missing, of another
// type or longer than a name may be.
bool ReadString(HKEY key, const wchar_t* name, std::wstring* text) {
  wchar_t buffer[kMaxName + 1] = {};
  DWORD type = 0;
  DWORD size = sizeof(buffer) - sizeof(wchar_t);
  if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
          ERROR_SUCCESS ||
      type != REG_SZ) {
    return false;
  }
  *text = buffer;
  return true;
}

}  // namespace

long FindServiceEntry(const wchar_t* deviceName, ServiceEntry* entry) {
  if (!deviceName || !*deviceName || ::lstrlenW(deviceName) >= static_cast<int>(kMaxName)) {
    return OPOS_OR_REGBADNAME;
  }
  RegKey classKey(HKEY_LOCAL_MACHINE, kDeviceClassKey);
  if (!classKey) return OPOS_OR_REGBADNAME;
  // A value of the class key named like the device is a logical name for another device.
  if (!ReadString(classKey.Get(), deviceName, &entry->physicalName)) {
    entry->physicalName = deviceName;
  }
  RegKey deviceKey(classKey.Get(), entry->physicalName.c_str());
  if (!deviceKey) return OPOS_OR_REGBADNAME;

  std::wstring progId;
  if (!ReadString(deviceKey.Get(), nullptr, &progId) ||
      FAILED(::CLSIDFromProgID(progId.c_str(), &entry->clsid))) {
    return OPOS_OR_REGPROGID;
  }
  return OPOS_SUCCESS;
}

}  // namespace orn::control
