#include "support/NativePlatform.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/Win32Platform.h"
#else
#include <unistd.h>

#include "platform/posix/PosixPlatform.h"
#endif

namespace orn::testing {

#ifdef _WIN32
std::unique_ptr<platform::FileSystem> MakeNativeFileSystem() {
  return std::make_unique<platform::Win32FileSystem>();
}
std::unique_ptr<platform::TextConverter> MakeNativeTextConverter() {
  return std::make_unique<platform::Win32TextConverter>();
}
std::unique_ptr<platform::Registry> MakeNativeRegistry(const std::string&) {
  return std::make_unique<platform::Win32Registry>();
}
void DeleteNativeKey(platform::Registry&, const std::string& path) {
  ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, path.c_str());
  ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str());
}
long CurrentProcessId() { return long(::GetCurrentProcessId()); }
#else
std::unique_ptr<platform::FileSystem> MakeNativeFileSystem() {
  return std::make_unique<platform::PosixFileSystem>();
}
std::unique_ptr<platform::TextConverter> MakeNativeTextConverter() {
  return std::make_unique<platform::TableTextConverter>();
}
std::unique_ptr<platform::Registry> MakeNativeRegistry(const std::string& storeFile) {
  return std::make_unique<platform::PosixRegistry>(storeFile);
}
void DeleteNativeKey(platform::Registry& registry, const std::string& path) {
  static_cast<platform::MemoryRegistry&>(registry).DeleteKey(path);
}
long CurrentProcessId() { return long(::getpid()); }
#endif

TempFolder::TempFolder() {
  static int counter = 0;
  path_ = std::filesystem::temp_directory_path() /
          ("orn-test-" + std::to_string(CurrentProcessId()) + "-" + std::to_string(++counter));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace orn::testing
