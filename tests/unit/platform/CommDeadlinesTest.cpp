// The Win32 meaning of COMMTIMEOUTS for one read or write: the settings the driver's link
// uses, the special MAXDWORD settings, and settings of 0. The expected waits are worked
// out by hand from the Win32 rules, not from the code.

#include <gtest/gtest.h>

#include "platform/CommDeadlines.h"

namespace orn::platform {
namespace {

constexpr uint64_t kMinute = 60000;

CommTimeouts Read(uint32_t interval, uint32_t multiplier, uint32_t constant) {
  CommTimeouts timeouts;
  timeouts.readInterval = interval;
  timeouts.readTotalMultiplier = multiplier;
  timeouts.readTotalConstant = constant;
  return timeouts;
}

// The link's two settings: 200 ms a byte and between bytes, plus 1 ms (idle) or 10 s
// (waiting for an answer to start).
TEST(CommDeadlines, TheLinksSettingsGiveTwoHundredMillisecondsAByteAndTheirConstant) {
  const ReadDeadline idle = ReadDeadlineOf(Read(200, 200, 1), 1);
  EXPECT_EQ(idle.totalMs, 201u);
  EXPECT_EQ(idle.intervalMs, 200u);
  EXPECT_FALSE(idle.endsOnAnyByte);
  EXPECT_EQ(ReadDeadlineOf(Read(200, 200, 1), 254).totalMs, 50801u);
  const ReadDeadline answer = ReadDeadlineOf(Read(200, 200, 10000), 2);
  EXPECT_EQ(answer.totalMs, 10400u);
  // Before the first byte only the total counts; after one, the gap is bounded too.
  EXPECT_EQ(answer.NextByteLimit(0, 0), 10400u);
  EXPECT_EQ(answer.NextByteLimit(1, 3000), 3200u);
  EXPECT_EQ(answer.NextByteLimit(1, 10300), 10400u);
  // In microseconds for a finer clock.
  EXPECT_EQ(answer.NextByteLimit(1, 3000500, 1000), 3200500u);
}

TEST(CommDeadlines, OnlyATotalOrOnlyAnIntervalAppliesAlone) {
  const ReadDeadline total = ReadDeadlineOf(Read(0, 10, 5), 3);
  EXPECT_EQ(total.totalMs, 35u);
  EXPECT_EQ(total.NextByteLimit(2, 1), 35u);
  // No total: the read may wait for ever for its first byte; here a minute.
  const ReadDeadline interval = ReadDeadlineOf(Read(50, 0, 0), 3);
  EXPECT_EQ(interval.NextByteLimit(0, 0), kMinute);
  EXPECT_EQ(interval.NextByteLimit(1, 7000), 7050u);
}

TEST(CommDeadlines, AllZeroMeansNoTimeOutAtAllBoundedByAMinute) {
  const ReadDeadline none = ReadDeadlineOf(CommTimeouts{}, 10);
  EXPECT_EQ(none.totalMs, kMinute);
  EXPECT_EQ(none.intervalMs, 0u);
  EXPECT_FALSE(none.endsOnAnyByte);
  EXPECT_EQ(none.NextByteLimit(5, 100), kMinute);
  EXPECT_EQ(WriteDeadlineOf(CommTimeouts{}, 10), kMinute);
}

TEST(CommDeadlines, IntervalMaxDwordWithoutTotalsReturnsAtOnceWithWhatHasArrived) {
  const ReadDeadline now = ReadDeadlineOf(Read(kMaxDword, 0, 0), 100);
  EXPECT_EQ(now.totalMs, 0u);
  EXPECT_TRUE(now.endsOnAnyByte);
  EXPECT_EQ(now.NextByteLimit(0, 0), 0u);
  EXPECT_EQ(now.NextByteLimit(3, 0), 0u);
}

TEST(CommDeadlines, IntervalAndMultiplierMaxDwordWaitTheConstantForTheFirstByteOnly) {
  const ReadDeadline first = ReadDeadlineOf(Read(kMaxDword, kMaxDword, 500), 100);
  EXPECT_EQ(first.totalMs, 500u);
  EXPECT_TRUE(first.endsOnAnyByte);
  EXPECT_EQ(first.NextByteLimit(0, 0), 500u);
  EXPECT_EQ(first.NextByteLimit(1, 120), 120u);
  // With a constant of MAXDWORD the rule does not apply: an ordinary (huge) total.
  const ReadDeadline huge = ReadDeadlineOf(Read(kMaxDword, kMaxDword, kMaxDword), 2);
  EXPECT_FALSE(huge.endsOnAnyByte);
  EXPECT_EQ(huge.totalMs, 3ull * kMaxDword);
}

TEST(CommDeadlines, MaxDwordValuesDoNotOverflow) {
  EXPECT_EQ(ReadDeadlineOf(Read(0, kMaxDword, kMaxDword), kMaxDword).totalMs,
            uint64_t(kMaxDword) * kMaxDword + kMaxDword);
  CommTimeouts write;
  write.writeTotalMultiplier = kMaxDword;
  write.writeTotalConstant = kMaxDword;
  EXPECT_EQ(WriteDeadlineOf(write, 2), 3ull * kMaxDword);
  // The interval alone at MAXDWORD (with a total) is an ordinary, very long interval.
  const ReadDeadline longGap = ReadDeadlineOf(Read(kMaxDword, 200, 1), 1);
  EXPECT_EQ(longGap.totalMs, 201u);
  EXPECT_EQ(longGap.NextByteLimit(1, 100), 201u);
}

TEST(CommDeadlines, AWriteMayTakeItsMultiplierPerByteAndItsConstant) {
  CommTimeouts link;
  link.writeTotalMultiplier = 200;
  link.writeTotalConstant = 200;
  EXPECT_EQ(WriteDeadlineOf(link, 1), 400u);
  EXPECT_EQ(WriteDeadlineOf(link, 8), 1800u);
}

}  // namespace
}  // namespace orn::platform
