#pragma once
// The few file operations the driver log needs, each shaped like its Win32 call.

#include <cstdint>
#include <string>

namespace orn::platform {

using FileHandle = intptr_t;
inline constexpr FileHandle kInvalidFile = -1;
inline constexpr uint32_t kInvalidFileSize = 0xFFFFFFFFu;

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // CreateFileA(read and write, FILE_SHARE_READ, OPEN_ALWAYS) and the file pointer moved
  // to the end. kInvalidFile when the file cannot be opened (bad path, no rights, or
  // another writer holds it).
  virtual FileHandle OpenForAppend(const std::string& path) = 0;
  // GetFileSize: kInvalidFileSize on failure.
  virtual uint32_t Size(FileHandle file) = 0;
  // WriteFile of all `count` bytes.
  virtual bool Write(FileHandle file, const void* data, uint32_t count) = 0;
  virtual void Close(FileHandle file) = 0;
  // MoveFileA: fails when `to` exists.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  // DeleteFileA.
  virtual bool Delete(const std::string& path) = 0;
};

}  // namespace orn::platform
