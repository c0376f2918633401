#pragma once
// A virtual clock for tests: time stands still until someone sleeps or advances it, so
// every timeout can be asserted to the millisecond.

#include <cstdint>

#include "platform/Clock.h"

namespace orn::platform {

class MemoryClock : public Clock {
 public:
  // Local time at tick `startTick`; the tick may start near the wrap to test it.
  explicit MemoryClock(LocalTime start = {2026, 1, 15, 10, 30, 0, 0}, uint32_t startTick = 0);

  uint32_t TickCount() override { return tick_; }
  void Sleep(uint32_t milliseconds) override { Advance(milliseconds); }
  LocalTime Now() override;

  void Advance(uint64_t milliseconds) {
    elapsed_ += milliseconds;
    tick_ += uint32_t(milliseconds);
  }
  // Back to an earlier moment: jobs that run side by side on the virtual line run one after
  // the other, each from the moment they all started.
  void RewindTo(uint64_t elapsed) {
    tick_ -= uint32_t(elapsed_ - elapsed);
    elapsed_ = elapsed;
  }
  // Milliseconds passed since construction (does not wrap).
  uint64_t Elapsed() const { return elapsed_; }
  void SetLocalTime(LocalTime now);

 private:
  int64_t startMs_;  // local time at elapsed 0, in ms since 1970-01-01
  uint64_t elapsed_ = 0;
  uint32_t tick_;
};

// Calendar helpers shared by the virtual clocks (and the register simulator's clock).
int64_t MillisecondsFromLocalTime(const LocalTime& time);
LocalTime LocalTimeFromMilliseconds(int64_t milliseconds);

}  // namespace orn::platform
