#pragma once
#include "platform/Registry.h"

namespace orn::platform {

// The real registry, under HKEY_LOCAL_MACHINE.
class Win32Registry : public Registry {
 public:
  // `viewFlags` (KEY_WOW64_32KEY or KEY_WOW64_64KEY) reads and writes the registry view of
  // that architecture instead of the process's own; 0, the driver's case, keeps its own.
  explicit Win32Registry(unsigned long viewFlags = 0) : viewFlags_(viewFlags) {}

  long OpenKey(std::string_view path, RegAccess access, RegKey& key) override;
  long CreateKey(std::string_view path, RegAccess access, RegKey& key) override;
  long QueryValue(RegKey key, const char* name, uint32_t* type, uint8_t* data,
                  uint32_t* size) override;
  long SetValue(RegKey key, const char* name, uint32_t type, const uint8_t* data,
                uint32_t size) override;
  long ValueNames(RegKey key, std::vector<std::string>& names) override;
  void CloseKey(RegKey key) override;

 private:
  unsigned long viewFlags_;
};

}  // namespace orn::platform
