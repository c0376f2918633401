#pragma once
// The target system's own seam implementations, for tests that check them against the
// memory ones: Win32 under wine, POSIX natively.

#include <filesystem>
#include <memory>
#include <string>

#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/TextConverter.h"

namespace orn::testing {

std::unique_ptr<platform::FileSystem> MakeNativeFileSystem();
std::unique_ptr<platform::TextConverter> MakeNativeTextConverter();
// The POSIX registry keeps its data in `storeFile`; the Win32 one ignores it.
std::unique_ptr<platform::Registry> MakeNativeRegistry(const std::string& storeFile);
// Removes a key and its sub keys (tests clean up after themselves).
void DeleteNativeKey(platform::Registry& registry, const std::string& path);
long CurrentProcessId();

// A fresh temporary folder, removed with its contents at the end of the test.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  // A path inside the folder, as the ANSI string the seam takes.
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace orn::testing
