#pragma once
#include "platform/FileSystem.h"

namespace orn::platform {

// POSIX files. Sharing is advisory here: a second writer is kept out by an exclusive
// flock, the nearest thing to Windows' read-only sharing.
class PosixFileSystem : public FileSystem {
 public:
  FileHandle OpenForAppend(const std::string& path) override;
  uint32_t Size(FileHandle file) override;
  bool Write(FileHandle file, const void* data, uint32_t count) override;
  void Close(FileHandle file) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool Delete(const std::string& path) override;
};

}  // namespace orn::platform
