// ornfr on the system's own ports: device paths on Linux, OrnComm.dll on Windows.

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "Doctor.h"
#include "Ornfr.h"

#ifdef _WIN32
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32PortProvider.h"
#include "win32/Win32DoctorSystem.h"
#else
#include "NativeDoctorSystem.h"
#include "platform/posix/PosixPlatform.h"
#include "platform/posix/PosixPortProvider.h"
#endif

namespace {

// "7" or "COM7" is a port number; anything else is a device path (Linux only).
int PortNumberOf(const std::string& text) {
  std::string digits = text;
  if (digits.size() > 3 && (digits.compare(0, 3, "COM") == 0 || digits.compare(0, 3, "com") == 0))
    digits = digits.substr(3);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos ||
      digits.size() > 2)
    return 0;
  return std::atoi(digits.c_str());
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  orn::platform::Win32Platform platform;
  orn::platform::Win32PortProvider ports;
  auto resolve = [](const std::string& text) { return PortNumberOf(text); };
  // The console shows the OEM code page.
  auto console = [&](const std::string& text) { return platform.text.OemFromAnsi(text); };
  // Arguments arrive in the ANSI code page already.
  auto ansi = [](const std::string& text) { return text; };
#else
  orn::platform::PosixPlatform platform("");
  orn::platform::PosixPortProvider ports;
  auto resolve = [&](const std::string& text) {
    if (const int number = PortNumberOf(text)) return number;
    ports.SetPath(1, text);
    return 1;
  };
  auto console = [&](const std::string& text) {
    return orn::platform::Utf8FromUtf16(platform.text.Utf16FromAnsi(text));
  };
  auto ansi = [&](const std::string& text) {
    return platform.text.AnsiFromUtf16(orn::platform::Utf16FromUtf8(text));
  };
#endif
  orn::ornfr::Environment environment{ports,   platform.clock, platform.files, resolve,
                                      console, ansi,           std::cout,      std::cerr};
  if (argc >= 2 && std::strcmp(argv[1], "doctor") == 0) {
    auto makeSystem = [&](const orn::ornfr::DoctorOptions& options, std::string& error) {
#ifdef _WIN32
      return orn::ornfr::MakeWin32DoctorSystem(options, environment, ports, error);
#else
      return orn::ornfr::MakeNativeDoctorSystem(options, environment, error);
#endif
    };
    return orn::ornfr::RunDoctor(argc, argv, environment, makeSystem);
  }
  return orn::ornfr::Run(argc, argv, environment);
}
