#pragma once
// The settings page's store: the registry of the bench's own view (a 32-bit bench edits
// what 32-bit applications and their driver read), through the driver's own registry code,
// and the Win32 calls that delete.

#include "SettingsStore.h"
#include "platform/win32/Win32Registry.h"

namespace orn::bench {

class Win32SettingsStore : public RegistrySettingsStore {
 public:
  // `registry` of the process's own view.
  explicit Win32SettingsStore(platform::Win32Registry& registry)
      : RegistrySettingsStore(registry) {}
  long DeleteKey(const std::string& key) override;

 protected:
  long DeleteValue(const std::string& key, const std::string& name) override;
};

}  // namespace orn::bench
