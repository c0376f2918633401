#include "simulator/RegisterCommands.h"

#include <algorithm>
#include <cstring>

#include "platform/memory/MemoryClock.h"
#include "simulator/BaudRates.h"
#include "simulator/ErrorCodes.h"
#include "simulator/StatusBlock.h"

namespace orn::simulator {

struct RegisterCommands::Command {
  uint8_t code;
  uint8_t length;  // whole request, code included
  bool password;   // the operator password follows the code
  size_t (RegisterCommands::*run)(const uint8_t* params, uint64_t nowMs, uint8_t* data,
                                  uint8_t& error);
};

const RegisterCommands::Command RegisterCommands::kCommands[] = {
    {0x11, 5, true, &RegisterCommands::GetStatus},
    {0x14, 8, true, &RegisterCommands::SetExchangeParams},
    {0xFC, 1, false, &RegisterCommands::GetDeviceType},
};

namespace {

constexpr size_t kPasswordSize = 4;
constexpr size_t kAnswerHeader = 2;  // command code, error code
// Room for data in an answer message.
constexpr size_t kMaxAnswerData = 255 - kAnswerHeader;

uint32_t ReadPassword(const uint8_t* bytes) {
  return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
         uint32_t(bytes[3]) << 24;
}

}  // namespace

RegisterCommands::RegisterCommands(const RegisterState& state, const DeviceModel& model)
    : state_(state), model_(model) {}

size_t RegisterCommands::Execute(const uint8_t* request, size_t length, uint64_t nowMs,
                                 uint8_t* answer) {
  const uint8_t code = request[0];
  // A rate change waits for the acknowledgement of its own answer, not of a later one.
  requestedBaudRate_.reset();
  answer[0] = code;
  answer[1] = kErrorUnknownCommand;
  for (const Command& command : kCommands) {
    if (command.code != code) continue;
    if (length != command.length) {
      answer[1] = kErrorCommandLength;
    } else if (command.password && ReadPassword(request + 1) != state_.operatorPassword) {
      answer[1] = kErrorWrongPassword;
    } else {
      const uint8_t* params = request + 1 + (command.password ? kPasswordSize : 0);
      uint8_t error = kErrorNone;
      const size_t dataLength = (this->*command.run)(params, nowMs, answer + 2, error);
      answer[1] = error;
      if (error == kErrorNone) return kAnswerHeader + dataLength;
    }
    break;
  }
  return kAnswerHeader;
}

size_t RegisterCommands::StatusAnswer(uint64_t nowMs, uint8_t* answer) const {
  const auto block = EncodeStatusBlock(state_, ClockAt(nowMs));
  answer[0] = 0x11;
  answer[1] = kErrorNone;
  std::memcpy(answer + 2, block.data(), block.size());
  return kAnswerHeader + block.size();
}

platform::LocalTime RegisterCommands::ClockAt(uint64_t nowMs) const {
  return platform::LocalTimeFromMilliseconds(
      platform::MillisecondsFromLocalTime(state_.clockAtStart) + int64_t(nowMs));
}

std::optional<uint32_t> RegisterCommands::TakeRequestedBaudRate() {
  std::optional<uint32_t> rate = requestedBaudRate_;
  requestedBaudRate_.reset();
  return rate;
}

size_t RegisterCommands::GetStatus(const uint8_t*, uint64_t nowMs, uint8_t* data, uint8_t&) {
  const auto block = EncodeStatusBlock(state_, ClockAt(nowMs));
  std::memcpy(data, block.data(), block.size());
  return block.size();
}

// Parameters: port number (only port 0 exists), baud-rate code, byte timeout in ms.
size_t RegisterCommands::SetExchangeParams(const uint8_t* params, uint64_t, uint8_t*,
                                           uint8_t& error) {
  const std::optional<uint32_t> rate = BaudRateFromCode(params[1]);
  if (params[0] != 0 || !rate) {
    error = kErrorBadParameters;
    return 0;
  }
  requestedBaudRate_ = *rate;
  byteTimeout_ = params[2];
  return 0;
}

size_t RegisterCommands::GetDeviceType(const uint8_t*, uint64_t, uint8_t* data, uint8_t&) {
  data[0] = model_.type;
  data[1] = model_.subtype;
  data[2] = model_.protocolVersion;
  data[3] = model_.protocolSubversion;
  data[4] = model_.model;
  data[5] = model_.language;
  const size_t nameLength = std::min(model_.name.size(), kMaxAnswerData - 6);
  std::memcpy(data + 6, model_.name.data(), nameLength);
  return 6 + nameLength;
}

}  // namespace orn::simulator
