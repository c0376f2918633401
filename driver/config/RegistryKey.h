#pragma once
// One registry key held for the length of one operation: opening another key through the
// same object closes the one it held, and the destructor closes whatever is still open.

#include <string_view>

#include "platform/Registry.h"

namespace orn::config {

class RegistryKey {
 public:
  explicit RegistryKey(platform::Registry& registry) : registry_(registry) {}
  ~RegistryKey() { Close(); }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // An existing key only. The key held before is closed after the attempt, whatever its
  // outcome; the Win32 code is returned for the log.
  long Open(std::string_view path, platform::RegAccess access) {
    platform::RegKey opened = platform::kNoKey;
    const long code = registry_.OpenKey(path, access, opened);
    Replace(code == platform::kErrorSuccess ? opened : platform::kNoKey);
    return code;
  }
  // Creates the key (and its parents) when missing.
  long Create(std::string_view path, platform::RegAccess access) {
    platform::RegKey created = platform::kNoKey;
    const long code = registry_.CreateKey(path, access, created);
    Replace(code == platform::kErrorSuccess ? created : platform::kNoKey);
    return code;
  }
  void Close() { Replace(platform::kNoKey); }

  platform::RegKey Handle() const { return key_; }

 private:
  void Replace(platform::RegKey key) {
    if (key_ != platform::kNoKey) registry_.CloseKey(key_);
    key_ = key;
  }

  platform::Registry& registry_;
  platform::RegKey key_ = platform::kNoKey;
};

}  // namespace orn::config
