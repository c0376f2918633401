#pragma once
// The port the register hangs on: obtained from the port provider by number, set to
// 8 data bits, no parity, one stop bit and no flow control, with Win32-style time-outs.

#include <atomic>
#include <cstdint>

#include "platform/CommPort.h"

namespace orn::device {

class SerialPort {
 public:
  static constexpr uint32_t kByteTimeout = 200;  // ms per byte, also the interval time-out
  static constexpr uint32_t kQueueSize = 1024;

  explicit SerialPort(platform::PortProvider& ports) : ports_(ports) {}
  ~SerialPort() { Close(); }
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  // Closes a port held before, then acquires and sets up this one. On failure the port
  // is handed back to the provider and nothing is held.
  bool Open(int portNumber, uint32_t baudRate);
  // Hands the port back; fails when none is held.
  bool Close();
  // Takes over the port `other` holds (from the same provider), after closing its own.
  void TakeFrom(SerialPort& other);
  bool IsOpen() const { return port_ != nullptr; }
  platform::PortProvider& Provider() const { return ports_; }
  // Once `*stop` is set, purges, writes and rate changes fail at once, so that the exchange
  // under way ends with its read in progress: the search stops probing a port whose answer
  // can no longer matter.
  void StopWhen(const std::atomic<bool>* stop) { stop_ = stop; }
  int PortNumber() const { return portNumber_; }
  uint32_t ByteTimeout() const { return kByteTimeout; }
  // The rate the port was last set to.
  uint32_t CurrentBaud() const { return baudRate_; }

  // Throws away what has come in and not been read.
  bool Purge();
  // Read time-out: 200 ms between bytes, 200 ms a byte plus `readConstant` in all.
  bool SetTimeouts(uint32_t readConstant);
  bool SetBaud(uint32_t baudRate);
  // Success only when exactly `count` bytes moved; a write returns once they have left.
  bool Read(uint8_t* buffer, uint32_t count);
  bool Write(const uint8_t* buffer, uint32_t count);

  // The OS error of the last call that failed in the OS (a time-out is none): kept where it
  // happened so that a port held by another program is told from a silent register.
  const platform::OsError& LastError() const { return lastError_; }
  void ClearError() { lastError_.Clear(); }

 private:
  // Keeps the port's OS error and returns false.
  bool Failed();
  // Open, and not stopped.
  bool Usable() const { return port_ && !(stop_ && stop_->load(std::memory_order_relaxed)); }

  platform::PortProvider& ports_;
  platform::CommPort* port_ = nullptr;
  int portNumber_ = 0;
  uint32_t baudRate_ = 0;
  platform::OsError lastError_;
  const std::atomic<bool>* stop_ = nullptr;
};

}  // namespace orn::device
