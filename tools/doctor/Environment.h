#pragma once
// What a command of the service tools is given: the ports, the clock and the files of the
// system it runs on, and the console it talks to. ornfr's commands and its doctor take it;
// OrnBench gives the doctor one whose console is the page that shows its lines.

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

}  // namespace orn::ornfr
