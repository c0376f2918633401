#pragma once
// The registry of native tools: the in-memory registry loaded from a REGEDIT4 file and
// written back to it after every change.

#include <string>

#include "platform/memory/MemoryRegistry.h"

namespace orn::platform {

class PosixRegistry : public MemoryRegistry {
 public:
  // A missing file is an empty registry; `loaded` tells whether the file was read whole.
  // An empty path keeps the registry in memory for this run only.
  explicit PosixRegistry(std::string path);
  bool Loaded() const { return loaded_; }

  long CreateKey(std::string_view path, RegAccess access, RegKey& key) override;
  long SetValue(RegKey key, const char* name, uint32_t type, const uint8_t* data,
                uint32_t size) override;

 private:
  void Save();
  std::string path_;
  bool loaded_ = true;
};

}  // namespace orn::platform
