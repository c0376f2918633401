#include "platform/posix/PosixFileSystem.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace orn::platform {

FileHandle PosixFileSystem::OpenForAppend(const std::string& path) {
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return kInvalidFile;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0 || lseek(fd, 0, SEEK_END) < 0) {
    close(fd);
    return kInvalidFile;
  }
  return fd;
}

uint32_t PosixFileSystem::Size(FileHandle file) {
  struct stat info {};
  if (fstat(int(file), &info) != 0) return kInvalidFileSize;
  return uint32_t(info.st_size);
}

bool PosixFileSystem::Write(FileHandle file, const void* data, uint32_t count) {
  const char* bytes = static_cast<const char*>(data);
  while (count > 0) {
    ssize_t written = write(int(file), bytes, count);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes += written;
    count -= uint32_t(written);
  }
  return true;
}

void PosixFileSystem::Close(FileHandle file) {
  if (file != kInvalidFile) close(int(file));
}

bool PosixFileSystem::Rename(const std::string& from, const std::string& to) {
  // MoveFile does not replace an existing file; link + unlink keeps that rule atomically.
  if (link(from.c_str(), to.c_str()) != 0) return false;
  return unlink(from.c_str()) == 0;
}

bool PosixFileSystem::Delete(const std::string& path) {
  return unlink(path.c_str()) == 0;
}

}  // namespace orn::platform
