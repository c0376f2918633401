#pragma once
// In-memory files for tests, with the sharing rule of the log file: a file open for
// writing cannot be opened for writing again until it is closed.

#include <map>
#include <set>
#include <string>

#include "platform/FileSystem.h"

namespace orn::platform {

class MemoryFileSystem : public FileSystem {
 public:
  FileHandle OpenForAppend(const std::string& path) override;
  uint32_t Size(FileHandle file) override;
  bool Write(FileHandle file, const void* data, uint32_t count) override;
  void Close(FileHandle file) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool Delete(const std::string& path) override;

  // Test controls and inspection.
  bool Exists(const std::string& path) const { return files_.count(path) != 0; }
  std::string Contents(const std::string& path) const;
  void SetContents(const std::string& path, std::string contents) {
    files_[path] = std::move(contents);
  }
  // Opening a path in this set fails, as a bad directory or missing rights would.
  void SetUnopenable(const std::string& path, bool unopenable);
  int OpenCount() const { return int(open_.size()); }

 private:
  std::map<std::string, std::string> files_;
  std::map<FileHandle, std::string> open_;  // handle -> path
  std::set<std::string> unopenable_;
  FileHandle nextHandle_ = 1;
};

}  // namespace orn::platform
