// The register's record of its fiscal operations, the silent period in line time, and the
// seeded line noise.

#include <gtest/gtest.h>

#include <vector>

#include "unit/simulator/RegisterBench.h"

namespace orn::simulator::testing {
namespace {

using Kind = FiscalOperation::Kind;

class FiscalRecordTest : public ::testing::Test {
 protected:
  FiscalRecordTest() {
    bench.sim.SetOperationObserver(
        [this](const FiscalOperation& operation) { record.push_back(operation); });
  }

  RegisterBench bench;
  std::vector<FiscalOperation> record;
};

TEST_F(FiscalRecordTest, AReceiptIsRecordedOperationByOperationInItsDocument) {
  ASSERT_EQ(bench.Error(Item(0x82, 1000, 500, 2, "R1 I1")), 0);  // a sale refund
  ASSERT_EQ(bench.Error(Item(0x82, 2000, 300, 1, "R1 I2")), 0);
  ASSERT_EQ(bench.Error(Adjust(0x86, 50, 1)), 0);
  ASSERT_EQ(bench.Error(Item(0x84, 1000, 500, 2, "R1 I1")), 0);
  EXPECT_NE(bench.Error(Item(0x84, 1000, 9999, 1, "R1 I9")), 0);  // refused: not recorded
  bench.sim.State().money[money::kCashInHand] = 100000;
  ASSERT_EQ(bench.Error(Close(550)), 0);
  ASSERT_EQ(record.size(), 5u);
  EXPECT_EQ(record[0].kind, Kind::kItem);
  EXPECT_EQ(record[0].code, 0x82);
  EXPECT_EQ(record[0].text, "R1 I1");
  EXPECT_EQ(record[0].receiptType, 2);
  EXPECT_EQ(record[0].taxGroup, 2);
  EXPECT_EQ(record[1].amount, 600);
  EXPECT_EQ(record[2].kind, Kind::kAdjustment);
  EXPECT_EQ(record[2].amount, 50);
  EXPECT_EQ(record[3].kind, Kind::kStorno);
  EXPECT_EQ(record[3].text, "R1 I1");
  EXPECT_EQ(record[4].kind, Kind::kClose);
  EXPECT_EQ(record[4].amount, 550);
  for (const FiscalOperation& operation : record) EXPECT_EQ(operation.documentNumber, 2);
  // The next document has the next number.
  ASSERT_EQ(bench.Error(Request(0x50, {Le(777, 5)})), 0);
  EXPECT_EQ(record.back().kind, Kind::kCashIn);
  EXPECT_EQ(record.back().amount, 777);
  EXPECT_EQ(record.back().documentNumber, 3);
}

TEST_F(FiscalRecordTest, AResetAndAnAnnulmentEndTheOpenReceiptWithoutClosingIt) {
  ASSERT_EQ(bench.Error(Item(0x80, 1000, 100, 1, "R1 I1")), 0);
  bench.sim.Faults().resetBeforeCommand = {bench.sim.Counters().framesReceived + 1};
  ASSERT_EQ(bench.Error(Item(0x80, 1000, 100, 1, "R1 I2")), 0);
  ASSERT_EQ(bench.Error(Simple(0x88)), 0);
  ASSERT_EQ(bench.Error(Simple(0x40)), 0);
  std::vector<Kind> kinds;
  for (const FiscalOperation& operation : record) kinds.push_back(operation.kind);
  EXPECT_EQ(kinds, (std::vector<Kind>{Kind::kItem, Kind::kReset, Kind::kItem, Kind::kAnnul,
                                      Kind::kXReport}));
  EXPECT_EQ(bench.sim.Counters().resets, 1u);
  // The receipt lost in the reset and the annulled one had the same number: neither closed.
  EXPECT_EQ(record[0].documentNumber, record[2].documentNumber);
}

TEST_F(FiscalRecordTest, TheZReportIsRecordedBeforeTheShiftRegistersAreCleared) {
  ASSERT_EQ(bench.Error(Item(0x80, 1000, 100, 1, "R1 I1")), 0);
  ASSERT_EQ(bench.Error(Close(100)), 0);
  int64_t itemsSeen = -1;
  bench.sim.SetOperationObserver([&](const FiscalOperation& operation) {
    if (operation.kind == Kind::kZReport) itemsSeen = bench.sim.MoneyRegister(money::ShiftItems(0));
  });
  ASSERT_EQ(bench.Error(Simple(0x41)), 0);
  EXPECT_EQ(itemsSeen, 100);
  EXPECT_EQ(bench.sim.MoneyRegister(money::ShiftItems(0)), 0);
}

TEST(ForgottenAnswerTest, TheCommandRunsAndTheNextEnqFindsNoAnswer) {
  RegisterBench bench;
  bench.sim.Faults().forgottenAnswers = {1};
  EXPECT_EQ(bench.Send(Item(0x80, 1000, 100, 1, "R1 I1")), Bytes{});
  EXPECT_FALSE(bench.sim.AnswerPending());
  EXPECT_EQ(bench.line.Feed(bench.sim, {kEnq}, bench.nowMs), Bytes{kNak});
  EXPECT_EQ(bench.sim.MoneyRegister(money::ReceiptItems(0)), 100);
  // Sent again, the item is registered again: only the register's state tells.
  ASSERT_EQ(bench.Error(Item(0x80, 1000, 100, 1, "R1 I1")), 0);
  EXPECT_EQ(bench.sim.MoneyRegister(money::ReceiptItems(0)), 200);
}

TEST(SilentPeriodTest, TheRegisterAnswersAgainWhenThePeriodIsOver) {
  RegisterSimulator sim;
  LineRecorder line;
  sim.Faults().silentUntilMs = 5000;
  EXPECT_EQ(line.Feed(sim, {kEnq}, 100), Bytes{});
  EXPECT_EQ(line.Feed(sim, FrameOf(kGetStatus), 4000), Bytes{});
  EXPECT_EQ(sim.Counters().framesReceived, 0u);
  EXPECT_EQ(line.Feed(sim, {kEnq}, 5000), Bytes{kNak});
  EXPECT_FALSE(AnswerAfterAck(line.Feed(sim, FrameOf(kGetStatus), 5100)).empty());
}

// What the register sends back to 2,000 ENQs with noise of `seed`.
Bytes NoisyReplies(uint32_t seed, uint32_t dropPerMillion, uint32_t corruptPerMillion,
                   SimulatorCounters* counters = nullptr) {
  SimulatorConfig config;
  config.faults.randomBytes = {seed, dropPerMillion, corruptPerMillion};
  RegisterSimulator sim(config);
  LineRecorder line;
  Bytes all;
  for (uint64_t i = 0; i < 2000; ++i) {
    const Bytes reply = line.Feed(sim, {kEnq}, i * 10);
    all.insert(all.end(), reply.begin(), reply.end());
    all.push_back(0);  // marks where a reply ends
  }
  if (counters) *counters = sim.Counters();
  return all;
}

TEST(LineNoiseTest, TheSameSeedGivesTheSameFaultsAndTheRatesHold) {
  SimulatorCounters counters;
  const Bytes first = NoisyReplies(7, 50000, 50000, &counters);
  EXPECT_EQ(NoisyReplies(7, 50000, 50000), first);
  EXPECT_NE(NoisyReplies(8, 50000, 50000), first);
  // About 4,000 bytes cross the line (fewer come back than go out), at 5 % of each kind.
  EXPECT_GT(counters.randomBytesDropped, 60u);
  EXPECT_LT(counters.randomBytesDropped, 300u);
  EXPECT_GT(counters.randomBytesCorrupted, 60u);
  EXPECT_LT(counters.randomBytesCorrupted, 300u);
}

TEST(LineNoiseTest, NoRatesNoFaults) {
  SimulatorCounters counters;
  const Bytes replies = NoisyReplies(7, 0, 0, &counters);
  EXPECT_EQ(counters.randomBytesDropped + counters.randomBytesCorrupted, 0u);
  EXPECT_EQ(replies.size(), 4000u);
}

}  // namespace
}  // namespace orn::simulator::testing
