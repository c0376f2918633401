#pragma once
// A serial device (a real port or a pseudo-terminal) through termios and poll, with the
// Win32 meaning of the time-outs.

#include <memory>
#include <string>

#include "platform/CommPort.h"

namespace orn::platform {

class PosixCommPort : public CommPort {
 public:
  // Takes ownership of an open descriptor.
  explicit PosixCommPort(int fd) : fd_(fd) {}
  ~PosixCommPort() override;
  PosixCommPort(const PosixCommPort&) = delete;
  PosixCommPort& operator=(const PosixCommPort&) = delete;

  // Opens the device raw and non-blocking, and locks it against other programs (as Windows
  // holds a COM port for one program); null with `error` set when it cannot be had.
  static std::unique_ptr<PosixCommPort> OpenDevice(const std::string& path, OsError& error);

  bool SetupQueues(uint32_t inputSize, uint32_t outputSize) override;
  bool GetState(LineSettings& settings) override;
  bool SetState(const LineSettings& settings) override;
  bool SetTimeouts(const CommTimeouts& timeouts) override;
  bool Purge(uint32_t flags) override;
  bool Read(uint8_t* buffer, uint32_t count, uint32_t& transferred) override;
  bool Write(const uint8_t* buffer, uint32_t count, uint32_t& transferred) override;
  // Watches the transmit queue empty, for at most as long as a write of what it holds may
  // take (tcdrain alone has no time-out).
  bool Drain() override;

 private:
  // Keeps errno as the last error and returns false.
  bool Failed();

  int fd_;
  LineSettings settings_;
  CommTimeouts timeouts_;
};

}  // namespace orn::platform
