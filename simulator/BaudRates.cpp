#include "simulator/BaudRates.h"

namespace orn::simulator {

std::optional<uint32_t> BaudRateFromCode(uint8_t code) {
  if (code >= kBaudRates.size()) return std::nullopt;
  return kBaudRates[code];
}

bool IsKnownBaudRate(uint32_t rate) {
  for (uint32_t known : kBaudRates) {
    if (known == rate) return true;
  }
  return false;
}

}  // namespace orn::simulator
