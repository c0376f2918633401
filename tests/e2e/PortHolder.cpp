// port_holder PORT: takes a serial port the way the driver does (OrnComm.dll on Windows,
// the device path and its lock natively), prints "held" and keeps the port until its
// standard input closes: another program holding the port, for the end-to-end tests.

#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#include "platform/win32/Win32PortProvider.h"
#else
#include "platform/posix/PosixPortProvider.h"
#endif

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: port_holder PORT (a COM port number, or a path natively)\n");
    return 2;
  }
#ifdef _WIN32
  orn::platform::Win32PortProvider ports;
  const int number = std::atoi(argv[1]);
#else
  orn::platform::PosixPortProvider ports;
  const int number = 1;
  ports.SetPath(number, argv[1]);
#endif
  if (!ports.Acquire(number)) {
    std::fprintf(stderr, "port_holder: cannot take %s: %s\n", argv[1],
                 ports.LastError(number).text.c_str());
    return 1;
  }
  std::printf("held\n");
  std::fflush(stdout);
  while (std::fgetc(stdin) != EOF) {
  }
  ports.Release(number);
  return 0;
}
