#pragma once
// The log of one port's probes during the search side by side, kept in memory until the
// search knows whether the driver's log gets it: a port that the search one port at a time
// would never have reached leaves no line.

#include <string>
#include <string_view>

#include "config/DriverLog.h"
#include "platform/FileSystem.h"

namespace orn::device {

class ProbeLog {
 public:
  // Logs as `log` does, into memory.
  ProbeLog(const config::DriverLog& log, platform::Clock& clock);

  config::DriverLog& Log() { return log_; }
  // The lines kept, at the end of `log`.
  void AppendTo(config::DriverLog& log) const;

 private:
  // One file that only grows, in memory.
  class Text : public platform::FileSystem {
   public:
    platform::FileHandle OpenForAppend(const std::string&) override { return 1; }
    uint32_t Size(platform::FileHandle) override { return uint32_t(text.size()); }
    bool Write(platform::FileHandle, const void* data, uint32_t count) override {
      text.append(static_cast<const char*>(data), count);
      return true;
    }
    void Close(platform::FileHandle) override {}
    bool Rename(const std::string&, const std::string&) override { return false; }
    bool Delete(const std::string&) override { return false; }

    std::string text;
  };

  Text text_;
  config::DriverLog log_;
};

}  // namespace orn::device
