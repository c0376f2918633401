#pragma once
// Time as the driver sees it: a wrapping 32-bit millisecond tick count, a sleep, and the
// local wall-clock time with milliseconds (for log time stamps).

#include <cstdint>

namespace orn::platform {

struct LocalTime {
  uint16_t year = 0;
  uint16_t month = 0;  // 1..12
  uint16_t day = 0;    // 1..31
  uint16_t hour = 0;
  uint16_t minute = 0;
  uint16_t second = 0;
  uint16_t millisecond = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since some start, wrapping at 2^32 (GetTickCount).
  virtual uint32_t TickCount() = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;
  virtual LocalTime Now() = 0;
};

// Milliseconds from `start` to `now` on the wrapping tick counter.
inline uint32_t TicksSince(uint32_t start, uint32_t now) {
  return now - start;
}

}  // namespace orn::platform
