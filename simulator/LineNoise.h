#pragma once
// The random byte faults of a noisy line (RandomByteFaults): one generator for both
// directions, drawn once per byte in the order the bytes cross the line, so a run is
// repeated exactly by its seed. Every corruption is one the frame's check byte can see.

#include <bitset>
#include <cstdint>
#include <random>

#include "simulator/SimulatorFaults.h"

namespace orn::simulator {

class LineNoise {
 public:
  enum class Direction { kToRegister, kFromRegister };

  LineNoise(const RandomByteFaults& rates, SimulatorCounters& counters)
      : rates_(rates), counters_(counters), random_(rates.seed) {}

  // False when the byte is lost; otherwise it may come out corrupted.
  bool Pass(uint8_t& byte, Direction direction) {
    if (rates_.dropPerMillion == 0 && rates_.corruptPerMillion == 0) return true;
    Checked& checked = checked_[size_t(direction)];
    if (++checked.bytesSinceCorruption > kFrameSpan) checked.Restart();
    const uint32_t draw = uint32_t(random_() % kMillion);
    if (draw < rates_.dropPerMillion) {
      ++counters_.randomBytesDropped;
      return false;
    }
    if (draw < rates_.dropPerMillion + rates_.corruptPerMillion) {
      const uint8_t mask = checked.SeenMask(uint8_t(1 + random_() % 255));
      if (mask != 0) {
        byte ^= mask;
        ++counters_.randomBytesCorrupted;
      }
    }
    return true;
  }

 private:
  static constexpr uint32_t kMillion = 1000000;
  // Longer than any frame: corruptions further apart never meet in one frame.
  static constexpr uint32_t kFrameSpan = 300;

  // The frame's check byte is the XOR of its bytes, so corrupted bytes whose masks XOR to
  // zero pass it unseen, and no driver can tell such a frame from a good one. The noise
  // makes only corruptions the check byte sees: within a span of a frame, the XOR of the
  // masks of any run of consecutive corruptions is never zero (every running XOR of the
  // masks differs from all earlier ones).
  struct Checked {
    std::bitset<256> running;  // running XORs of this span's masks, 0 included
    uint8_t current = 0;
    uint32_t bytesSinceCorruption = 0;

    Checked() { Restart(); }
    void Restart() {
      running.reset();
      running.set(0);
      current = 0;
      bytesSinceCorruption = 0;
    }
    // `wanted`, or the next mask that keeps the running XORs distinct; 0 when none does.
    uint8_t SeenMask(uint8_t wanted) {
      for (int step = 0; step < 255; ++step) {
        const uint8_t mask = uint8_t(1 + (wanted - 1 + step) % 255);
        if (running.test(uint8_t(current ^ mask))) continue;
        current = uint8_t(current ^ mask);
        running.set(current);
        bytesSinceCorruption = 0;
        return mask;
      }
      return 0;
    }
  };

  const RandomByteFaults& rates_;
  SimulatorCounters& counters_;
  std::mt19937 random_;
  Checked checked_[2];
};

}  // namespace orn::simulator
