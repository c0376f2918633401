#include "platform/posix/PosixClock.h"

#include <time.h>

namespace orn::platform {

uint32_t PosixClock::TickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return uint32_t(uint64_t(now.tv_sec) * 1000u + uint64_t(now.tv_nsec) / 1000000u);
}

void PosixClock::Sleep(uint32_t milliseconds) {
  timespec wait{time_t(milliseconds / 1000), long(milliseconds % 1000) * 1000000L};
  while (nanosleep(&wait, &wait) != 0) {
  }
}

LocalTime PosixClock::Now() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  localtime_r(&now.tv_sec, &local);
  return LocalTime{uint16_t(local.tm_year + 1900), uint16_t(local.tm_mon + 1),
                   uint16_t(local.tm_mday),        uint16_t(local.tm_hour),
                   uint16_t(local.tm_min),         uint16_t(local.tm_sec),
                   uint16_t(now.tv_nsec / 1000000)};
}

}  // namespace orn::platform
