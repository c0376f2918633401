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

  // Opens the device raw and non-blocking; null when it cannot be opened.
  static std::unique_ptr<PosixCommPort> OpenDevice(const std::string& path);

  bool SetupQueues(uint32_t inputSize, uint32_t outputSize) override;
  bool GetState(LineSettings& settings) override;
  bool SetState(const LineSettings& settings) override;
  bool SetTimeouts(const CommTimeouts& timeouts) override;
  bool Purge(uint32_t flags) override;
  bool Read(uint8_t* buffer, uint32_t count, uint32_t& transferred) override;
  bool Write(const uint8_t* buffer, uint32_t count, uint32_t& transferred) override;

 private:
  int fd_;
  LineSettings settings_;
  CommTimeouts timeouts_;
};

// Port numbers mapped to device paths: by default N is /dev/ttyS(N-1); a path can be
// given for any number (a pseudo-terminal, a USB adapter).
class PosixPortProvider : public PortProvider {
 public:
  PosixPortProvider() = default;
  void SetPath(int portNumber, std::string path);

  CommPort* Acquire(int portNumber) override;
  bool Release(int portNumber) override;

 private:
  std::string PathOf(int portNumber) const;
  std::string paths_[33];
  std::unique_ptr<PosixCommPort> ports_[33];
};

}  // namespace orn::platform
