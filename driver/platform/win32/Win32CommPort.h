#pragma once
#include <windows.h>

#include <memory>

#include "platform/CommPort.h"

namespace orn::platform {

// The Win32 comm API on a port handle that someone else owns.
class Win32CommPort : public CommPort {
 public:
  explicit Win32CommPort(HANDLE handle) : handle_(handle) {}

  bool SetupQueues(uint32_t inputSize, uint32_t outputSize) override;
  bool GetState(LineSettings& settings) override;
  bool SetState(const LineSettings& settings) override;
  bool SetTimeouts(const CommTimeouts& timeouts) override;
  bool Purge(uint32_t flags) override;
  bool Read(uint8_t* buffer, uint32_t count, uint32_t& transferred) override;
  bool Write(const uint8_t* buffer, uint32_t count, uint32_t& transferred) override;

 private:
  HANDLE handle_;
  DCB dcb_{};  // the last state read, so that fields the driver does not touch stay as read
};

// Ports from OrnComm.dll (ordinals 1 and 2).
class Win32PortProvider : public PortProvider {
 public:
  CommPort* Acquire(int portNumber) override;
  bool Release(int portNumber) override;

 private:
  std::unique_ptr<Win32CommPort> ports_[33];
};

}  // namespace orn::platform
