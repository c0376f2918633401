// The composite operations against the simulated register: the tax split and by-tax
// adjustments, multi-line printing, setting the date, the money format, the waits for the
// printer with paper running out and the continue-print state, and the bounds that keep a
// stuck register from holding the driver.

#include <gtest/gtest.h>

#include <algorithm>

#include "device/ResultCodes.h"
#include "unit/device/LinkFixture.h"
#include "unit/device/RecordingRegister.h"

namespace orn::device {
namespace {

using Codes = std::vector<uint8_t>;
using simulator::Station;

class CompositeTest : public testing::LinkFixture {
 protected:
  simulator::RegisterSimulator& Start(simulator::SimulatorConfig config = {}) {
    simulator::RegisterSimulator& sim = Attach(config);
    Open();
    EXPECT_TRUE(device_.GetDeviceType());
    device_.SetLineWidth(36);
    return sim;
  }
  // A sale of one unit at `price` kopecks in tax group `group`.
  bool Sell(int64_t price, uint8_t group, const char* text = "Товар") {
    return device_.Sale({1000, price, text}, group);
  }
  static bool Has(const std::vector<std::string>& lines, const std::string& text) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
      return line.find(text) != std::string::npos;
    });
  }
};

TEST_F(CompositeTest, AnAmountIsSpreadOverTheTaxGroupsWithTheRemainderFirst) {
  simulator::RegisterSimulator& sim = Start();
  ASSERT_TRUE(Sell(100, 1));
  ASSERT_TRUE(Sell(200, 2));
  const std::optional<TaxParts> parts = device_.SplitByTax(100);
  ASSERT_TRUE(parts);
  EXPECT_EQ(parts->part[1], 33);
  EXPECT_EQ(parts->part[2], 66);
  EXPECT_EQ(parts->part[3], 0);
  EXPECT_EQ(parts->part[0], 1);

  ports_.Port(kPort)->ClearTrace();
  ASSERT_TRUE(device_.DiscountByTax(100, ""));
  // Subtotal, status, the four tax registers, then the discounts: 1 without a group first.
  std::vector<std::vector<uint8_t>> discounts;
  for (const auto& request : SentRequests())
    if (request[0] == 0x86) discounts.push_back(request);
  ASSERT_EQ(discounts.size(), 3u);
  EXPECT_EQ(discounts[0][5], 1);   // amount
  EXPECT_EQ(discounts[0][10], 0);  // tax group
  EXPECT_EQ(discounts[1][5], 33);
  EXPECT_EQ(discounts[1][10], 1);
  EXPECT_EQ(discounts[2][5], 66);
  EXPECT_EQ(discounts[2][10], 2);
  EXPECT_EQ(sim.MoneyRegister(64), 100);  // discounts of the sales receipt
}

// The tax registers read are those of the open receipt's type (the mode byte's high
// nibble): 88 + 4 * (group - 1) + type, a return sale being type 2.
TEST_F(CompositeTest, TheTaxSplitReadsTheRegistersOfTheReceiptsType) {
  Start();
  ASSERT_TRUE(device_.ReturnSale({1000, 100, "Возврат"}, 1)) << device_.ErrorString();
  ports_.Port(kPort)->ClearTrace();
  const std::optional<TaxParts> parts = device_.SplitByTax(50);
  ASSERT_TRUE(parts);
  std::vector<uint8_t> registers;
  for (const auto& request : SentRequests())
    if (request[0] == 0x1A) registers.push_back(request[5]);
  EXPECT_EQ(registers, (std::vector<uint8_t>{90, 94, 98, 102}));
  EXPECT_EQ(parts->part[1], 50);
}

// An adjustment with no subtotal to spread over is refused as illegal: a failure must
// never reach the application as a success with nothing done.
TEST_F(CompositeTest, NothingToSpreadOverIsAnIllegalAdjustment) {
  Start();
  EXPECT_FALSE(device_.SplitByTax(100));
  EXPECT_EQ(device_.ResultCode(), OPOS_E_ILLEGAL);
  EXPECT_FALSE(device_.SurchargeByTax(100, ""));
  EXPECT_EQ(device_.ResultCode(), OPOS_E_ILLEGAL);
  EXPECT_TRUE(device_.StornoDiscountByTax(0, ""));  // nothing to do at all
}

TEST_F(CompositeTest, MultiLineTextsPrintAtCarriageReturns) {
  simulator::RegisterSimulator& sim = Start();
  ASSERT_TRUE(device_.PrintLines(kStationReceipt, "A\r\nB"));
  EXPECT_EQ(sim.Printed(Station::kReceipt), (std::vector<std::string>{"A", "B"}));
  sim.ClearPrinted();
  ASSERT_TRUE(device_.PrintLines(kStationReceipt, "A\nB"));
  EXPECT_EQ(sim.Printed(Station::kReceipt), (std::vector<std::string>{"B"}));
  sim.ClearPrinted();
  ports_.Port(kPort)->ClearTrace();
  ASSERT_TRUE(device_.PrintLines(kStationReceipt, ""));
  EXPECT_TRUE(SentRequests().empty());
  // A line is cut at 100 characters before its own packing.
  ASSERT_TRUE(device_.PrintLines(kStationReceipt, std::string(150, 'z') + "\r\n"));
  EXPECT_EQ(sim.Printed(Station::kReceipt).size(), 1u);
}

// A printed line is used up: the next adjustment must not print it again.
TEST_F(CompositeTest, ALinePrintedByPrintLinesIsNotPrintedAgainByTheNextAdjustment) {
  simulator::RegisterSimulator& sim = Start();
  ASSERT_TRUE(Sell(100, 1));
  sim.ClearPrinted();
  ASSERT_TRUE(device_.PrintLines(kStationReceipt, "one\r\ntwo\r\n"));
  ASSERT_TRUE(device_.DiscountByTax(10, ""));
  const std::vector<std::string> printed = sim.Printed(Station::kReceipt);
  EXPECT_EQ(std::count(printed.begin(), printed.end(), "one"), 1);
  EXPECT_EQ(std::count(printed.begin(), printed.end(), "two"), 1);
}

TEST_F(CompositeTest, ADateBeforeTheLastFiscalRecordIsRefusedAndTheOldDateConfirmed) {
  simulator::SimulatorConfig config;
  config.state.fiscalMemory.shifts.push_back({1, {2026, 6, 1, 0, 0, 0, 0}, {}});
  config.state.clockAtStart = {2026, 6, 2, 10, 0, 0, 0};
  Start(config);
  ASSERT_TRUE(device_.GetStatus());
  ports_.Port(kPort)->ClearTrace();
  const uint8_t newDate[5] = {1, 1, 26, 12, 30};
  EXPECT_FALSE(device_.SetDateTime(newDate));
  EXPECT_EQ(device_.ResultCode(), OPOS_E_EXTENDED);
  EXPECT_EQ(device_.ResultCodeExtended(), 319);
  EXPECT_EQ(device_.ErrorString(), "Текущая дата меньше даты последней записи в ФП");
  EXPECT_EQ(device_.LastDeviceError(), 0x13);
  const auto requests = SentRequests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0], (std::vector<uint8_t>{0x22, 30, 0, 0, 0, 1, 1, 26}));
  EXPECT_EQ(requests[1], (std::vector<uint8_t>{0x23, 30, 0, 0, 0, 2, 6, 26}));
}

// A register that refused a date and then stops answering: the refusal of the earlier
// command is not taken for this one's, so no date is confirmed and the call ends in 112.
TEST_F(CompositeTest, ASilentRegisterAfterARefusedDateIsNoAnswerNotARefusal) {
  simulator::SimulatorConfig config;
  config.state.fiscalMemory.shifts.push_back({1, {2026, 6, 1, 0, 0, 0, 0}, {}});
  config.state.clockAtStart = {2026, 6, 2, 10, 0, 0, 0};
  simulator::RegisterSimulator& sim = Start(config);
  const uint8_t earlier[5] = {1, 1, 26, 12, 30};
  EXPECT_FALSE(device_.SetDateTime(earlier));
  ASSERT_EQ(device_.ResultCodeExtended(), 319);
  sim.Faults().silent = true;
  ports_.Port(kPort)->ClearTrace();
  EXPECT_FALSE(device_.SetDateTime(earlier));
  EXPECT_EQ(device_.ResultCode(), OPOS_E_TIMEOUT);
  for (const auto& request : SentRequests()) EXPECT_NE(request[0], 0x23);
}

TEST_F(CompositeTest, ALaterDateIsSetConfirmedAndTheTimeFollows) {
  simulator::RegisterSimulator& sim = Start();
  ASSERT_TRUE(device_.GetStatus());
  ports_.Port(kPort)->ClearTrace();
  const uint8_t newDate[5] = {20, 2, 26, 9, 15};
  ASSERT_TRUE(device_.SetDateTime(newDate)) << device_.ErrorString();
  EXPECT_EQ(SentCodes(), (Codes{0x22, 0x23, 0x21}));
  EXPECT_EQ(SentRequests()[2], (std::vector<uint8_t>{0x21, 30, 0, 0, 0, 9, 15, 0}));
  const platform::LocalTime now = sim.ClockAt(Elapsed());
  EXPECT_EQ(now.day, 20);
  EXPECT_EQ(now.hour, 9);
}

TEST_F(CompositeTest, ARegisterCountingWholeRoublesGetsWholeRoubles) {
  simulator::SimulatorConfig config;
  config.state.flags &= uint16_t(~simulator::flag::kTwoDecimals);
  simulator::RegisterSimulator& sim = Start(config);
  ASSERT_TRUE(device_.GetStatus());
  EXPECT_EQ(device_.CurrencyDivisor(), 10000);
  EXPECT_EQ(device_.ToRegisterUnits(123456), 12);  // 12.3456 roubles
  ASSERT_TRUE(Sell(device_.ToRegisterUnits(123456), 0));
  EXPECT_EQ(sim.MoneyRegister(0), 12);
}

TEST_F(CompositeTest, WaitingOutPrintingCostsThePrintingTime) {
  simulator::SimulatorConfig config;
  config.printing.lineMs = 200;
  simulator::RegisterSimulator& sim = Start(config);
  ASSERT_TRUE(device_.PrintReportX());
  const uint64_t before = Elapsed();
  ASSERT_TRUE(device_.WaitForPrinting(500)) << device_.ErrorString();
  EXPECT_GT(Elapsed() - before, 1000u);
  EXPECT_TRUE(Has(sim.Printed(Station::kReceipt), "СУТОЧНЫЙ ОТЧЕТ БЕЗ ГАШЕНИЯ"));
  EXPECT_TRUE(device_.GetStatus());
  EXPECT_EQ(device_.Submode(), 0);
}

TEST_F(CompositeTest, PaperRunningOutWhilePrintingIsReportedAsNoReceiptPaper) {
  simulator::SimulatorConfig config;
  config.printing.lineMs = 100;
  config.faults.paperOutAfterLine.push_back({2, Station::kReceipt});
  Start(config);
  ASSERT_TRUE(device_.PrintReportX());
  EXPECT_FALSE(device_.WaitForPrinting(100));
  EXPECT_EQ(device_.Submode(), 2);
  EXPECT_EQ(device_.ResultCode(), OPOS_E_EXTENDED);
  EXPECT_EQ(device_.ResultCodeExtended(), OPOS_EFPTR_REC_EMPTY);
  EXPECT_EQ(device_.ErrorString(), "Нет чековой ленты");
}

TEST_F(CompositeTest, ACommandRefusedWith58hIsSentAgainAfterContinuePrint) {
  simulator::SimulatorConfig config;
  config.printing.lineMs = 100;
  config.faults.paperOutAfterLine.push_back({1, Station::kReceipt});
  simulator::RegisterSimulator& sim = Start(config);
  ASSERT_TRUE(Sell(500, 1));
  // Paper out part way through the sale's lines, then back: the register waits for
  // ContinuePrint and refuses everything else with 58h.
  EXPECT_FALSE(device_.WaitForPrinting(100));
  sim.PutPaper(Station::kReceipt);
  ports_.Port(kPort)->ClearTrace();
  ASSERT_TRUE(Sell(700, 1)) << device_.ErrorString();
  const Codes codes = SentCodes();
  ASSERT_GE(codes.size(), 3u);
  EXPECT_EQ(codes.front(), 0x80);
  EXPECT_EQ(codes[1], 0xB0);
  EXPECT_EQ(codes.back(), 0x80);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), 0x80), 2);
  EXPECT_EQ(sim.MoneyRegister(0), 1200);  // both sales, the refused one once
}

TEST_F(CompositeTest, ContinuePrintWaitsUntilTheRegisterHasPrintedTheRest) {
  simulator::SimulatorConfig config;
  config.printing.lineMs = 100;
  config.faults.paperOutAfterLine.push_back({3, Station::kReceipt});
  simulator::RegisterSimulator& sim = Start(config);
  ASSERT_TRUE(device_.PrintReportX());
  EXPECT_FALSE(device_.WaitForPrinting(100));
  const size_t printedBefore = sim.Printed(Station::kReceipt).size();
  sim.PutPaper(Station::kReceipt);
  ASSERT_TRUE(device_.CheckPrinting(100) || device_.ResultCode() == OPOS_SUCCESS);
  ASSERT_TRUE(device_.WaitForPrinting(100)) << device_.ErrorString();
  EXPECT_GT(sim.Printed(Station::kReceipt).size(), printedBefore);
  EXPECT_TRUE(Has(sim.Printed(Station::kReceipt), "НАЛИЧНОСТЬ В КАССЕ"));
}

// Against a register stuck in one state: the bounds.
class StuckRegisterTest : public testing::LinkFixture {
 protected:
  void SetUp() override {
    ports_.Attach(kPort, register_);
    Open();
  }
  testing::RecordingRegister register_;
};

// The bounds of the printing waits run from the last change in the status the register
// answers: a minute for printing an operation, half an hour for a long report.
TEST_F(StuckRegisterTest, PrintingThatShowsNoProgressIsGivenUpAfterItsBound) {
  register_.mode = 11;
  register_.submode = 5;
  EXPECT_FALSE(device_.WaitForPrinting(1000));
  EXPECT_EQ(device_.ResultCode(), OPOS_E_TIMEOUT);
  EXPECT_GE(Elapsed(), 60u * 1000);
  EXPECT_LT(Elapsed(), 60u * 1000 + 2000);

  register_.submode = 4;
  const uint64_t start = Elapsed();
  EXPECT_FALSE(device_.WaitForPrinting(1000));
  EXPECT_GE(Elapsed() - start, 30u * 60 * 1000);
  EXPECT_LT(Elapsed() - start, 30u * 60 * 1000 + 2000);
}

TEST_F(StuckRegisterTest, ALongReportStillPrintingIsWaitedForPastAnyFixedBound) {
  // Forty minutes of a report; every ten the register moves on to the next phase.
  register_.mode = 11;
  register_.beforeStatus = [this](uint64_t nowMs) {
    const uint64_t minutes = nowMs / 60000;
    register_.submode = minutes >= 40 ? 0 : 4;
    register_.mode = minutes >= 40 ? 2 : uint8_t(minutes / 10 % 2 ? 12 : 11);
  };
  EXPECT_TRUE(device_.WaitForPrinting(1000));
  EXPECT_GE(Elapsed(), 40u * 60 * 1000);
}

TEST_F(StuckRegisterTest, PaperTheSensorsSeeButTheRegisterDoesNotIsReportedSoon) {
  register_.mode = 2;
  register_.submode = 1;  // paper present by the flags
  EXPECT_FALSE(device_.WaitForPrinting(200));
  EXPECT_EQ(device_.ResultCodeExtended(), OPOS_EFPTR_REC_EMPTY);
  EXPECT_EQ(device_.ErrorString(), "Пассивное отсутствие бумаги");
  EXPECT_LT(Elapsed(), 12u * 1000);
}

// Told to go on, the register runs out of paper again: the cashier hears of it (the paper
// error) within seconds, not as a timeout after the minute without progress.
TEST_F(StuckRegisterTest, PaperOutAgainWhileContinuingIsReportedAsPaperOut) {
  register_.mode = 8;
  register_.submode = 3;  // after active paper out
  register_.beforeStatus = [this](uint64_t) {
    if (register_.Count(0xB0) == 0) return;
    register_.submode = 2;
    register_.flags = uint16_t(0x00D0 & ~(1u << 7));  // no receipt paper
  };
  EXPECT_FALSE(device_.CheckPrinting(100));
  EXPECT_EQ(device_.ResultCode(), OPOS_E_EXTENDED);
  EXPECT_EQ(device_.ResultCodeExtended(), OPOS_EFPTR_REC_EMPTY);
  EXPECT_GE(Elapsed(), 10u * 1000);
  EXPECT_LT(Elapsed(), 12u * 1000);
}

TEST_F(StuckRegisterTest, AnUnknownSubmodeEndsEveryWaitAtOnce) {
  for (uint8_t submode : {6, 255}) {
    register_.mode = 11;
    register_.submode = submode;
    const uint64_t start = Elapsed();
    EXPECT_FALSE(device_.WaitForPrinting(1000));
    EXPECT_EQ(device_.ResultCode(), OPOS_E_FAILURE);
    EXPECT_EQ(device_.ErrorString(),
              "Неизвестный код подрежима ФР (" + std::to_string(submode) + ").");
    EXPECT_LT(Elapsed() - start, 1000u);
  }
}

TEST_F(StuckRegisterTest, ContinuePrintNestsOnlySoDeep) {
  register_.submode = 3;  // for ever "after active paper out"
  EXPECT_FALSE(device_.ContinuePrint());
  EXPECT_EQ(device_.ResultCode(), OPOS_E_TIMEOUT);
  // ContinuePrint inside WaitContinue inside ContinuePrint ..., four deep at the most.
  EXPECT_EQ(register_.Count(0xB0), 4);
}

TEST_F(StuckRegisterTest, ACommandRefusedWith58hForEverIsGivenUpWithThatError) {
  register_.stickyError = 0x58;
  EXPECT_FALSE(device_.Sale({0, 0, "x"}));
  // The register answers: its own error is the diagnosis, not a silent line.
  EXPECT_EQ(device_.ResultCode(), OPOS_E_EXTENDED);
  EXPECT_EQ(device_.ResultCodeExtended(), 300 + 0x58);
  // Sent again after each of ten ContinuePrints.
  EXPECT_EQ(register_.Count(0x80), 11);
  EXPECT_EQ(register_.Count(0xB0), 10);
}

// Modes 11, 12 and 14 (and 8 for CheckPrinting) may still be printing with submode 0:
// one look waits the pause there and nowhere else.
TEST_F(StuckRegisterTest, OnlyThePrintingModesWaitThePauseWhenIdle) {
  for (uint8_t mode = 0; mode < 16; ++mode) {
    const bool printing = mode == 8 || mode == 11 || mode == 12 || mode == 14;
    register_.mode = uint8_t(0x30 | mode);  // the high nibble is not the mode
    const uint64_t before = Elapsed();
    EXPECT_TRUE(device_.CheckPrinting(500)) << int(mode);
    const uint64_t waited = Elapsed() - before;
    if (printing)
      EXPECT_GE(waited, 500u) << int(mode);
    else
      EXPECT_LT(waited, 500u) << int(mode);
  }
  // WaitForPrinting: 11, 12 and 14, not 8, keep polling while idle.
  for (uint8_t mode : {8, 11, 12, 13, 14, 15}) {
    register_.mode = mode;
    register_.requests.clear();
    const bool printing = mode == 11 || mode == 12 || mode == 14;
    const uint64_t before = Elapsed();
    const bool done = device_.WaitForPrinting(1000);
    EXPECT_EQ(done, !printing) << int(mode);
    EXPECT_EQ(register_.Count(0x11) > 1, printing) << int(mode);
    EXPECT_EQ(Elapsed() - before >= 1000, printing) << int(mode);
  }
}

TEST_F(StuckRegisterTest, AnUnknownSubmodeIsNamed) {
  register_.mode = 8;
  register_.submode = 7;
  EXPECT_FALSE(device_.CheckPrinting(100));
  EXPECT_EQ(device_.ResultCode(), OPOS_E_FAILURE);
  EXPECT_EQ(device_.ErrorString(), "Неизвестный код подрежима ФР (7).");
}

TEST_F(StuckRegisterTest, APaperOutSubmodeWithBothSensorsClearReportsTheJournal) {
  register_.mode = 8;
  register_.submode = 2;
  register_.flags = 0x0010;
  EXPECT_FALSE(device_.WaitForPrinting(100));
  EXPECT_EQ(device_.ResultCodeExtended(), OPOS_EFPTR_JRN_EMPTY);
  register_.flags = 0x0050;  // journal back, receipt still out
  EXPECT_FALSE(device_.WaitForPrinting(100));
  EXPECT_EQ(device_.ResultCodeExtended(), OPOS_EFPTR_REC_EMPTY);
  EXPECT_EQ(device_.ErrorString(), "Нет чековой ленты");
}

// A register whose tax-group turnovers are far above its subtotal (0.01 against 2^22 in
// each group, as untaxed discounts leave them): the largest amount is spread in proportion,
// without overflow, and its parts add up.
TEST_F(StuckRegisterTest, TurnoversAboveTheSubtotalAreSpreadInProportion) {
  register_.answerData[0x89] = {0x1E, 0x01, 0x00, 0x00, 0x00, 0x00};
  register_.answerData[0x1A] = {0x1E, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00};
  const int64_t largest = (int64_t(1) << 40) - 1;
  const std::optional<TaxParts> parts = device_.SplitByTax(largest);
  ASSERT_TRUE(parts) << device_.ErrorString();
  for (int group = 1; group <= 4; ++group) EXPECT_EQ(parts->part[group], (int64_t(1) << 38) - 1);
  EXPECT_EQ(parts->part[0], 3);
}

}  // namespace
}  // namespace orn::device
