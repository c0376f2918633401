#pragma once
// The random byte faults of a noisy line (RandomByteFaults): one generator for both
// directions, drawn once per byte in the order the bytes cross the line, so a run is
// repeated exactly by its seed.

#include <cstdint>
#include <random>

#include "simulator/SimulatorFaults.h"

namespace orn::simulator {

class LineNoise {
 public:
  LineNoise(const RandomByteFaults& rates, SimulatorCounters& counters)
      : rates_(rates), counters_(counters), random_(rates.seed) {}

  // False when the byte is lost; otherwise it may come out corrupted.
  bool Pass(uint8_t& byte) {
    if (rates_.dropPerMillion == 0 && rates_.corruptPerMillion == 0) return true;
    const uint32_t draw = uint32_t(random_() % kMillion);
    if (draw < rates_.dropPerMillion) {
      ++counters_.randomBytesDropped;
      return false;
    }
    if (draw < rates_.dropPerMillion + rates_.corruptPerMillion) {
      byte ^= uint8_t(1 + random_() % 255);
      ++counters_.randomBytesCorrupted;
    }
    return true;
  }

 private:
  static constexpr uint32_t kMillion = 1000000;

  const RandomByteFaults& rates_;
  SimulatorCounters& counters_;
  std::mt19937 random_;
};

}  // namespace orn::simulator
