#include "platform/memory/MemoryFileSystem.h"

namespace orn::platform {

FileHandle MemoryFileSystem::OpenForAppend(const std::string& path) {
  if (unopenable_.count(path)) return kInvalidFile;
  for (const auto& [handle, openPath] : open_)
    if (openPath == path) return kInvalidFile;  // shared for reading only
  files_[path];                                 // OPEN_ALWAYS creates it
  FileHandle handle = nextHandle_++;
  open_[handle] = path;
  return handle;
}

uint32_t MemoryFileSystem::Size(FileHandle file) {
  auto it = open_.find(file);
  if (it == open_.end()) return kInvalidFileSize;
  return uint32_t(files_[it->second].size());
}

bool MemoryFileSystem::Write(FileHandle file, const void* data, uint32_t count) {
  auto it = open_.find(file);
  if (it == open_.end()) return false;
  files_[it->second].append(static_cast<const char*>(data), count);
  return true;
}

void MemoryFileSystem::Close(FileHandle file) {
  open_.erase(file);
}

bool MemoryFileSystem::Rename(const std::string& from, const std::string& to) {
  auto it = files_.find(from);
  if (it == files_.end() || files_.count(to)) return false;
  for (const auto& [handle, openPath] : open_)
    if (openPath == from) return false;  // not shared for deletion
  files_[to] = std::move(it->second);
  files_.erase(from);
  return true;
}

bool MemoryFileSystem::Delete(const std::string& path) {
  for (const auto& [handle, openPath] : open_)
    if (openPath == path) return false;  // not shared for deletion
  return files_.erase(path) != 0;
}

std::string MemoryFileSystem::Contents(const std::string& path) const {
  auto it = files_.find(path);
  return it == files_.end() ? std::string() : it->second;
}

void MemoryFileSystem::SetUnopenable(const std::string& path, bool unopenable) {
  if (unopenable)
    unopenable_.insert(path);
  else
    unopenable_.erase(path);
}

}  // namespace orn::platform
