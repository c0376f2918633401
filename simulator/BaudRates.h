#pragma once
// The line rates the register knows, indexed by the code that SetExchangeParams carries.

#include <array>
#include <cstdint>
#include <optional>

namespace orn::simulator {

inline constexpr std::array<uint32_t, 7> kBaudRates = {2400,  4800,  9600,  19200,
                                                       38400, 57600, 115200};

// The rate of a code 0..6; nothing for other codes.
std::optional<uint32_t> BaudRateFromCode(uint8_t code);

bool IsKnownBaudRate(uint32_t rate);

}  // namespace orn::simulator
