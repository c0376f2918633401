#pragma once
// Writing the settings page's values into the registry as one piece: what each value holds
// is read first, only the values that change are written, and when the system refuses one,
// every value written before it is put back, so that the keys stay as they were.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/memory/MemoryRegistry.h"

namespace orn::bench {

// A registry value as stored: its type and its bytes.
struct StoredValue {
  uint32_t type = 0;
  std::vector<uint8_t> data;
  bool operator==(const StoredValue&) const = default;
};
using Slot = std::optional<StoredValue>;  // empty: no such value

StoredValue DwordValue(uint32_t number);
StoredValue StringValue(const std::string& text);  // with its terminating zero

// One value as it should be afterwards: set, or (an empty slot) gone.
struct ValueWrite {
  std::string key;  // under HKEY_LOCAL_MACHINE
  std::string name;
  Slot value;
  std::string label;  // how the page names it: "ComNumber", "PayTypes\Бонусы"
};

// The registry as the settings are written into it; every call returns the Win32 code.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The value, or an empty slot when the key or the value is missing.
  virtual long Read(const std::string& key, const std::string& name, Slot& value) = 0;
  // Sets the value, or deletes it (a missing one is no error); the key exists.
  virtual long Write(const std::string& key, const std::string& name, const Slot& value) = 0;
  virtual bool KeyExists(const std::string& key) = 0;
  virtual long CreateKey(const std::string& key) = 0;
  // Deletes a key that CreateKey made, once it is empty again.
  virtual long DeleteKey(const std::string& key) = 0;
  // The value names of a key; none for a missing key.
  virtual long ValueNames(const std::string& key, std::vector<std::string>& names) = 0;
};

// A store on the driver's registry seam; deleting, which the seam does not do, is left to
// the registry's own kind.
class RegistrySettingsStore : public SettingsStore {
 public:
  explicit RegistrySettingsStore(platform::Registry& registry) : registry_(registry) {}
  long Read(const std::string& key, const std::string& name, Slot& value) override;
  long Write(const std::string& key, const std::string& name, const Slot& value) override;
  bool KeyExists(const std::string& key) override;
  long CreateKey(const std::string& key) override;
  long ValueNames(const std::string& key, std::vector<std::string>& names) override;

 protected:
  virtual long DeleteValue(const std::string& key, const std::string& name) = 0;

 private:
  platform::Registry& registry_;
};

// The memory registry of the driver's tests: the dry run of the page's writes.
class MemorySettingsStore : public RegistrySettingsStore {
 public:
  explicit MemorySettingsStore(platform::MemoryRegistry& registry)
      : RegistrySettingsStore(registry), memory_(registry) {}
  long DeleteKey(const std::string& key) override;

 protected:
  long DeleteValue(const std::string& key, const std::string& name) override;

 private:
  platform::MemoryRegistry& memory_;
};

struct WriteOutcome {
  std::vector<std::string> written;  // labels of the values that changed
  // The value (or key) the system refused, empty when everything was written; then the
  // values written before it have been put back, except those in `notRestored`.
  std::string refused;
  std::string refusedKey;
  long code = 0;
  std::vector<std::string> notRestored;
};

// Writes, in order, the values that differ from what the store holds, making a missing key
// before its first value.
WriteOutcome ApplyWrites(SettingsStore& store, const std::vector<ValueWrite>& writes);

}  // namespace orn::bench
