#include "platform/memory/MemoryClock.h"

#include <chrono>

namespace orn::platform {

using namespace std::chrono;

int64_t MillisecondsFromLocalTime(const LocalTime& t) {
  const sys_days date = year(t.year) / month(t.month) / day(t.day);
  const auto time =
      hours(t.hour) + minutes(t.minute) + seconds(t.second) + milliseconds(t.millisecond);
  return duration_cast<milliseconds>(date.time_since_epoch() + time).count();
}

LocalTime LocalTimeFromMilliseconds(int64_t ms) {
  const sys_time<milliseconds> point{milliseconds(ms)};
  const sys_days date = floor<days>(point);
  const year_month_day ymd{date};
  const hh_mm_ss<milliseconds> time{point - date};
  return LocalTime{uint16_t(int(ymd.year())),          uint16_t(unsigned(ymd.month())),
                   uint16_t(unsigned(ymd.day())),      uint16_t(time.hours().count()),
                   uint16_t(time.minutes().count()),   uint16_t(time.seconds().count()),
                   uint16_t(time.subseconds().count())};
}

MemoryClock::MemoryClock(LocalTime start, uint32_t startTick)
    : startMs_(MillisecondsFromLocalTime(start)), tick_(startTick) {}

LocalTime MemoryClock::Now() {
  return LocalTimeFromMilliseconds(startMs_ + int64_t(elapsed_));
}

void MemoryClock::SetLocalTime(LocalTime now) {
  startMs_ = MillisecondsFromLocalTime(now) - int64_t(elapsed_);
}

}  // namespace orn::platform
