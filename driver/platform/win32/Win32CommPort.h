#pragma once
#include <windows.h>

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
  bool Drain() override;

 private:
  // Keeps GetLastError() when `result` is a failure.
  bool Succeeded(BOOL result);

  HANDLE handle_;
  DCB dcb_{};  // the last state read, so that fields the driver does not touch stay as read
};

}  // namespace orn::platform
