#pragma once
// The register's command interpreter: one request message in, one answer message out
// (command code, error code, data). It knows nothing of the link or the transport.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/Clock.h"
#include "simulator/DeviceModel.h"
#include "simulator/RegisterState.h"

namespace orn::simulator {

class RegisterCommands {
 public:
  RegisterCommands(const RegisterState& state, const DeviceModel& model);

  // Runs a request of `length` bytes (at least 1) arriving at line time `nowMs`; writes the
  // answer to `answer` (room for 255 bytes) and returns its length.
  size_t Execute(const uint8_t* request, size_t length, uint64_t nowMs, uint8_t* answer);

  // The GetStatus answer as of `nowMs`, without running a command (a leftover answer).
  size_t StatusAnswer(uint64_t nowMs, uint8_t* answer) const;

  // The register's clock at line time `nowMs`.
  platform::LocalTime ClockAt(uint64_t nowMs) const;

  // The rate a successful SetExchangeParams asked for, once; the link applies it after the
  // driver has acknowledged that answer.
  std::optional<uint32_t> TakeRequestedBaudRate();
  // The rate agreed by SetExchangeParams that takes effect once the answer is acknowledged.
  std::optional<uint32_t> RequestedBaudRate() const { return requestedBaudRate_; }

  RegisterState& State() { return state_; }
  DeviceModel& Model() { return model_; }
  uint8_t ByteTimeout() const { return byteTimeout_; }

 private:
  struct Command;
  static const Command kCommands[];

  // Each handler gets the parameters after the password (or after the code when the
  // command has none), writes its data and returns the data length, or sets `error`.
  size_t GetStatus(const uint8_t* params, uint64_t nowMs, uint8_t* data, uint8_t& error);
  size_t SetExchangeParams(const uint8_t* params, uint64_t nowMs, uint8_t* data, uint8_t& error);
  size_t GetDeviceType(const uint8_t* params, uint64_t nowMs, uint8_t* data, uint8_t& error);

  RegisterState state_;
  DeviceModel model_;
  uint8_t byteTimeout_ = 200;
  std::optional<uint32_t> requestedBaudRate_;
};

}  // namespace orn::simulator
