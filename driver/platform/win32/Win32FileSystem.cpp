#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

namespace orn::platform {

namespace {
HANDLE ToHandle(FileHandle file) {
  return reinterpret_cast<HANDLE>(file);
}
}  // namespace

FileHandle Win32FileSystem::OpenForAppend(const std::string& path) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return kInvalidFile;
  ::SetFilePointer(file, 0, nullptr, FILE_END);
  return reinterpret_cast<FileHandle>(file);
}

uint32_t Win32FileSystem::Size(FileHandle file) {
  return ::GetFileSize(ToHandle(file), nullptr);
}

bool Win32FileSystem::Write(FileHandle file, const void* data, uint32_t count) {
  DWORD written = 0;
  return ::WriteFile(ToHandle(file), data, count, &written, nullptr) && written == count;
}

void Win32FileSystem::Close(FileHandle file) {
  if (file != kInvalidFile) ::CloseHandle(ToHandle(file));
}

bool Win32FileSystem::Rename(const std::string& from, const std::string& to) {
  return ::MoveFileA(from.c_str(), to.c_str()) != 0;
}

bool Win32FileSystem::Delete(const std::string& path) {
  return ::DeleteFileA(path.c_str()) != 0;
}

}  // namespace orn::platform
