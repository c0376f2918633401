#pragma once
#include "platform/Registry.h"

namespace orn::platform {

// The real registry, under HKEY_LOCAL_MACHINE.
class Win32Registry : public Registry {
 public:
  long OpenKey(std::string_view path, RegAccess access, RegKey& key) override;
  long CreateKey(std::string_view path, RegAccess access, RegKey& key) override;
  long QueryValue(RegKey key, const char* name, uint32_t* type, uint8_t* data,
                  uint32_t* size) override;
  long SetValue(RegKey key, const char* name, uint32_t type, const uint8_t* data,
                uint32_t size) override;
  long ValueNames(RegKey key, std::vector<std::string>& names) override;
  void CloseKey(RegKey key) override;
};

}  // namespace orn::platform
