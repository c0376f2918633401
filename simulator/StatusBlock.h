#pragma once
// The 46 data bytes of the GetStatus answer.

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/Clock.h"
#include "simulator/RegisterState.h"

namespace orn::simulator {

inline constexpr size_t kStatusBlockSize = 46;

// The block for a state, with the clock reading `clock`; bytes the register does not fill
// are 0.
std::array<uint8_t, kStatusBlockSize> EncodeStatusBlock(const RegisterState& state,
                                                        const platform::LocalTime& clock);

}  // namespace orn::simulator
