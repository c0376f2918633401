// The virtual clock: it moves only when told, wraps like GetTickCount, and keeps a correct
// calendar across days, months and leap years.

#include <gtest/gtest.h>

#include "platform/memory/MemoryClock.h"

namespace orn::platform {
namespace {

void ExpectTime(const LocalTime& t, int year, int month, int day, int hour, int minute, int second,
                int millisecond) {
  EXPECT_EQ(t.year, year);
  EXPECT_EQ(t.month, month);
  EXPECT_EQ(t.day, day);
  EXPECT_EQ(t.hour, hour);
  EXPECT_EQ(t.minute, minute);
  EXPECT_EQ(t.second, second);
  EXPECT_EQ(t.millisecond, millisecond);
}

TEST(MemoryClock, StandsStillUntilSleptOrAdvanced) {
  MemoryClock clock({2026, 3, 1, 9, 0, 0, 0}, 1000);
  EXPECT_EQ(clock.TickCount(), 1000u);
  EXPECT_EQ(clock.TickCount(), 1000u);
  clock.Sleep(250);
  clock.Advance(5);
  EXPECT_EQ(clock.TickCount(), 1255u);
  EXPECT_EQ(clock.Elapsed(), 255u);
  ExpectTime(clock.Now(), 2026, 3, 1, 9, 0, 0, 255);
}

TEST(MemoryClock, TickCountWrapsButElapsedTimeDoesNot) {
  MemoryClock clock({}, 0xFFFFFF00u);
  const uint32_t start = clock.TickCount();
  clock.Advance(0x200);
  EXPECT_EQ(clock.TickCount(), 0x100u);
  EXPECT_EQ(TicksSince(start, clock.TickCount()), 0x200u);
}

TEST(MemoryClock, CalendarRollsOverDaysMonthsAndLeapYears) {
  MemoryClock clock({2028, 2, 28, 23, 59, 59, 999});
  clock.Advance(1);
  ExpectTime(clock.Now(), 2028, 2, 29, 0, 0, 0, 0);
  clock.Advance(24 * 3600 * 1000);
  ExpectTime(clock.Now(), 2028, 3, 1, 0, 0, 0, 0);
  clock.SetLocalTime({2026, 12, 31, 23, 59, 59, 500});
  clock.Advance(500);
  ExpectTime(clock.Now(), 2027, 1, 1, 0, 0, 0, 0);
}

}  // namespace
}  // namespace orn::platform
