#pragma once
// The OS services of a platform bundle behind the OS boundary: each call runs inside an
// OsCall, so the measurements count only what the driver itself does (the OS's work, here
// the memory implementations, is the kernel's on a real machine).

#include "platform/Platform.h"

namespace orn::benchmarks {

class OsClock : public platform::Clock {
 public:
  explicit OsClock(platform::Clock& clock) : clock_(clock) {}
  uint32_t TickCount() override;
  void Sleep(uint32_t milliseconds) override;
  platform::LocalTime Now() override;

 private:
  platform::Clock& clock_;
};

class OsText : public platform::TextConverter {
 public:
  explicit OsText(platform::TextConverter& text) : text_(text) {}
  std::string AnsiFromUtf16(std::u16string_view text) override;
  std::u16string Utf16FromAnsi(std::string_view text) override;
  std::string AnsiFromOem(std::string_view text) override;
  std::string OemFromAnsi(std::string_view text) override;
  std::string CurrencyText(int64_t currency) override;

 private:
  platform::TextConverter& text_;
};

class OsFiles : public platform::FileSystem {
 public:
  explicit OsFiles(platform::FileSystem& files) : files_(files) {}
  platform::FileHandle OpenForAppend(const std::string& path) override;
  uint32_t Size(platform::FileHandle file) override;
  bool Write(platform::FileHandle file, const void* data, uint32_t count) override;
  void Close(platform::FileHandle file) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool Delete(const std::string& path) override;

 private:
  platform::FileSystem& files_;
};

class OsRegistry : public platform::Registry {
 public:
  explicit OsRegistry(platform::Registry& registry) : registry_(registry) {}
  long OpenKey(std::string_view path, platform::RegAccess access, platform::RegKey& key) override;
  long CreateKey(std::string_view path, platform::RegAccess access, platform::RegKey& key) override;
  long QueryValue(platform::RegKey key, const char* name, uint32_t* type, uint8_t* data,
                  uint32_t* size) override;
  long SetValue(platform::RegKey key, const char* name, uint32_t type, const uint8_t* data,
                uint32_t size) override;
  long ValueNames(platform::RegKey key, std::vector<std::string>& names) override;
  void CloseKey(platform::RegKey key) override;

 private:
  platform::Registry& registry_;
};

// A bundle whose every service goes through the boundary.
struct OsBoundary {
  explicit OsBoundary(const platform::Platform& inner)
      : clock(inner.clock), text(inner.text), files(inner.files), registry(inner.registry) {}

  OsClock clock;
  OsText text;
  OsFiles files;
  OsRegistry registry;

  platform::Platform Bundle() { return platform::Platform{clock, text, files, registry}; }
};

}  // namespace orn::benchmarks
