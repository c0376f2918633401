#pragma once
// A serial port as the driver uses it, each call shaped like its Win32 comm call, and the
// provider that hands ports out by number (OrnComm.dll in the product).

#include <cstddef>
#include <cstdint>
#include <functional>

#include "platform/OsError.h"

namespace orn::platform {

// COMMTIMEOUTS: a read of n bytes ends when n bytes arrived, when more than
// `readInterval` ms pass between two bytes, or when readTotalMultiplier * n +
// readTotalConstant ms have passed since it started; writes alike.
struct CommTimeouts {
  uint32_t readInterval = 0;
  uint32_t readTotalMultiplier = 0;
  uint32_t readTotalConstant = 0;
  uint32_t writeTotalMultiplier = 0;
  uint32_t writeTotalConstant = 0;
};

// The part of the DCB that the driver reads and sets.
struct LineSettings {
  uint32_t baudRate = 9600;
  bool binary = true;
  bool parity = false;
  bool outxCtsFlow = false;
  bool outxDsrFlow = false;
  uint8_t dtrControl = 0;  // DTR_CONTROL_DISABLE
  bool dsrSensitivity = false;
  bool txContinueOnXoff = false;
  bool outX = false;
  bool inX = false;
  bool errorChar = false;
  bool null = false;
  uint8_t rtsControl = 0;  // RTS_CONTROL_DISABLE
  bool abortOnError = false;
  uint8_t byteSize = 8;
  uint8_t parityKind = 0;  // NOPARITY
  uint8_t stopBits = 0;    // ONESTOPBIT
};

// PurgeComm flags.
inline constexpr uint32_t kPurgeTxAbort = 0x1;
inline constexpr uint32_t kPurgeRxAbort = 0x2;
inline constexpr uint32_t kPurgeTxClear = 0x4;
inline constexpr uint32_t kPurgeRxClear = 0x8;
inline constexpr uint32_t kPurgeAll = 0xF;

class CommPort {
 public:
  virtual ~CommPort() = default;
  virtual bool SetupQueues(uint32_t inputSize, uint32_t outputSize) = 0;  // SetupComm
  virtual bool GetState(LineSettings& settings) = 0;                      // GetCommState
  virtual bool SetState(const LineSettings& settings) = 0;                // SetCommState
  virtual bool SetTimeouts(const CommTimeouts& timeouts) = 0;             // SetCommTimeouts
  virtual bool Purge(uint32_t flags) = 0;                                 // PurgeComm
  // ReadFile / WriteFile: `transferred` says how many bytes moved, also on a time-out.
  virtual bool Read(uint8_t* buffer, uint32_t count, uint32_t& transferred) = 0;
  virtual bool Write(const uint8_t* buffer, uint32_t count, uint32_t& transferred) = 0;
  // FlushFileBuffers: returns once every byte written has left the port (a write may return
  // while its bytes still wait in the transmit queue).
  virtual bool Drain() = 0;

  // The OS error of the last call that failed.
  const OsError& LastError() const { return lastError_; }

 protected:
  OsError lastError_;
};

inline constexpr int kFirstPortNumber = 1;
inline constexpr int kLastPortNumber = 32;

// An open that has not returned after this long is given up and left behind: some virtual
// ports (a Bluetooth link to a device that is not there) take many seconds to open, or
// never finish. A port that opens slower than this is not found.
inline constexpr uint32_t kPortOpenBoundMs = 3000;

// Hands out open ports by COM port number (1..32) and takes them back.
class PortProvider {
 public:
  virtual ~PortProvider() = default;
  // OrnComm ordinal 1: null when the port cannot be had, or when its open has not
  // returned within kPortOpenBoundMs.
  virtual CommPort* Acquire(int portNumber) = 0;
  // OrnComm ordinal 2: gives the port back; the pointer is not used afterwards.
  virtual bool Release(int portNumber) = 0;
  // Runs job(0) .. job(count - 1) side by side and returns once every one has ended. Each
  // job uses ports of its own: Acquire, Release and the ports' calls may come from several
  // jobs at once, for different port numbers. A job's own waits must be bounded.
  virtual void RunSideBySide(size_t count, const std::function<void(size_t)>& job) = 0;

  // Why the last Acquire of the port failed: kept per port, since jobs side by side
  // acquire several at once.
  const OsError& LastError(int portNumber) const { return errors_[ErrorSlot(portNumber)]; }

 protected:
  OsError& ErrorOf(int portNumber) { return errors_[ErrorSlot(portNumber)]; }
  static bool ValidPort(int portNumber) {
    return portNumber >= kFirstPortNumber && portNumber <= kLastPortNumber;
  }

 private:
  // A number out of range has slot 0.
  static size_t ErrorSlot(int portNumber) { return ValidPort(portNumber) ? size_t(portNumber) : 0; }
  OsError errors_[kLastPortNumber + 1];
};

}  // namespace orn::platform
