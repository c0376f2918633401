#pragma once
// ornfr: a service tool for an engineer at a register, on the driver's own code: status,
// type and the port search, reports, printing, the clock, tables and cash registers.

#include <functional>
#include <ostream>
#include <string>

#include "platform/Clock.h"
#include "platform/CommPort.h"
#include "platform/FileSystem.h"

namespace orn::ornfr {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitRegisterError = 3;
inline constexpr int kExitNoAnswer = 4;

struct Environment {
  platform::PortProvider& ports;
  platform::Clock& clock;
  platform::FileSystem& files;
  // Turns the --port argument into a port number of `ports` (0 when it cannot).
  std::function<int(const std::string&)> resolvePort;
  // Turns the driver's ANSI text into the console's encoding, and back.
  std::function<std::string(const std::string&)> consoleText;
  std::function<std::string(const std::string&)> ansiText;
  std::ostream& out;
  std::ostream& err;
};

// argv[0] is the program name. Returns the exit status.
int Run(int argc, const char* const* argv, Environment& environment);

}  // namespace orn::ornfr
