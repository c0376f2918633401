// Reports and the data read back: X and Z reports, the fiscal memory reports and their
// ranges, dates, totalizers and data items, on a register simulator.

#include "DocumentFixture.h"

namespace orn::testing {
namespace {

using namespace service;
using device::OPOS_E_EXTENDED;
using device::OPOS_E_ILLEGAL;
namespace money = simulator::money;

constexpr int32_t kPidxDayOpened = 16006;
constexpr int32_t kPidxDateType = 16032;
constexpr int32_t kPidxTotalizerType = 16036;

class ReportMethodsTest : public DocumentFixture {
 protected:
  void SetUp() override {
    Attach();
    AllowFiscalReports();
    Start();
  }
  std::string Data(int32_t item, int32_t optArgs = 0) {
    std::u16string data = u"untouched";
    last_ = Fptr().GetData(item, optArgs, data);
    return Ansi(data);
  }
  std::string Totalizer(int32_t type, int32_t optArgs) {
    EXPECT_EQ(Fptr().SetPropertyNumber(kPidxTotalizerType, type), 0);
    std::u16string data = u"untouched";
    last_ = Fptr().GetTotalizer(0, optArgs, data);
    return Ansi(data);
  }
  // A closed shift record in the fiscal memory.
  void CloseShiftOn(uint16_t shift, uint16_t year, uint16_t month, uint16_t day, int64_t sales) {
    simulator::ShiftRecord record;
    record.shift = shift;
    record.date = {year, month, day, 0, 0, 0, 0};
    record.totals[0] = sales;
    sim_->State().fiscalMemory.shifts.push_back(record);
  }
  int32_t last_ = -1;
};

TEST_F(ReportMethodsTest, XReportPrintsAndLeavesTheShiftOpen) {
  SellBreadAndMilk();
  PayBreadAndMilk();
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  ASSERT_EQ(Fptr().PrintXReport(), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_MONITOR);
  EXPECT_TRUE(TapeContains("СУТОЧНЫЙ ОТЧЕТ БЕЗ ГАШЕНИЯ"));
  EXPECT_EQ(Money(money::ShiftTotals(0)), 600);

  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  EXPECT_EQ(Fptr().PrintXReport(), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 207);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT);
}

TEST_F(ReportMethodsTest, ZReportOnAClosedShiftPrintsAZeroReceiptFirst) {
  ASSERT_EQ(sim_->State().mode, simulator::kModeShiftClosed);
  ASSERT_EQ(Fptr().PrintZReport(), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_MONITOR);
  const int sale = Requests("80 1E 00 00 00 00 00 00 00 00 00 00 00 00 00 01 00 00 00 00");
  EXPECT_EQ(sale, 1);
  EXPECT_LT(RequestAt("80 1E"), RequestAt("85 1E"));
  EXPECT_LT(RequestAt("85 1E"), RequestAt("41 1E"));
  ASSERT_EQ(sim_->State().fiscalMemory.shifts.size(), 1u);
  EXPECT_EQ(sim_->State().fiscalMemory.shifts[0].totals[0], 0);
  EXPECT_LT(TapeIndex("ПРОДАЖА"), TapeIndex("СУТОЧНЫЙ ОТЧЕТ С ГАШЕНИЕМ"));
  EXPECT_EQ(Number(kPidxDayOpened), 0);
}

TEST_F(ReportMethodsTest, ZReportAfterSalesClosesTheShiftWithTheirTotals) {
  SellBreadAndMilk();
  PayBreadAndMilk();
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(Number(kPidxDayOpened), 1);
  ASSERT_EQ(Fptr().PrintZReport(), 0);
  EXPECT_EQ(Requests("80 1E"), 2);  // the two items; no zero receipt
  ASSERT_EQ(sim_->State().fiscalMemory.shifts.size(), 1u);
  EXPECT_EQ(sim_->State().fiscalMemory.shifts[0].totals[0], 600);
  EXPECT_EQ(Money(money::ShiftTotals(0)), 0);
  EXPECT_EQ(Number(kPidxDayOpened), 0);
}

TEST_F(ReportMethodsTest, ZReportWithAReceiptOpenIsRefusedAndKeepsTheReceipt) {
  SellBreadAndMilk();
  EXPECT_EQ(Fptr().PrintZReport(), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 207);
  EXPECT_EQ(ErrorString(), "Неверное состояние.");
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT);
  EXPECT_EQ(Requests("41 1E"), 0);
}

TEST_F(ReportMethodsTest, AFailedZReportStillReturnsToMonitor) {
  sim_->State().mode = simulator::kModeShiftOpen;
  FailCommand(2);  // the GetStatus passes, the report is refused
  EXPECT_EQ(Fptr().PrintZReport(), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 300 + 0x73);
  EXPECT_EQ(PrinterState(), FPTR_PS_MONITOR);
  EXPECT_TRUE(sim_->State().fiscalMemory.shifts.empty());
}

// Paper ran out while the Z report printed: the call repeated after the paper is back only
// finishes the printing. The report is not made twice, and no zero receipt opens a shift.
TEST_F(ReportMethodsTest, AZReportTheRegisterTookIsNotMadeAgainByARetry) {
  SellBreadAndMilk();
  PayBreadAndMilk();
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  sim_->Faults().paperOutAfterLine.push_back(
      {sim_->Counters().linesPrinted + 2, simulator::Station::kReceipt});
  EXPECT_EQ(Fptr().PrintZReport(), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), device::OPOS_EFPTR_REC_EMPTY);
  sim_->PutPaper(simulator::Station::kReceipt);
  EXPECT_EQ(Fptr().PrintZReport(), 0) << ErrorString();
  EXPECT_EQ(Requests("41 1E"), 1);
  EXPECT_EQ(Requests("80 1E"), 2);
  EXPECT_EQ(sim_->State().fiscalMemory.shifts.size(), 1u);
  EXPECT_EQ(PrinterState(), FPTR_PS_MONITOR);
}

// The register made the Z report and forgot its answer: its document number tells, and
// the report is neither reported failed nor made again.
TEST_F(ReportMethodsTest, AZReportWhoseAnswerIsLostIsSettledByTheDocumentNumber) {
  SellBreadAndMilk();
  PayBreadAndMilk();
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  sim_->SetOperationObserver([this](const simulator::FiscalOperation& operation) {
    if (operation.kind == simulator::FiscalOperation::Kind::kZReport)
      sim_->Faults().forgottenAnswers.push_back(uint32_t(Commands()));
  });
  EXPECT_EQ(Fptr().PrintZReport(), 0) << ErrorString();
  EXPECT_EQ(Requests("41 1E"), 1);
  EXPECT_EQ(sim_->State().fiscalMemory.shifts.size(), 1u);
  EXPECT_EQ(Number(kPidxDayOpened), 0);
}

TEST_F(ReportMethodsTest, ShiftRangesOfTheFiscalMemoryReport) {
  CloseShiftOn(5, 2026, 1, 10, 1000);
  CloseShiftOn(6, 2026, 1, 11, 2000);
  // End 0: every shift from the start on.
  ASSERT_EQ(Fptr().PrintReport(FPTR_RT_ORDINAL, u"5", u"0"), 0);
  EXPECT_EQ(Requests("67 00 00 00 00 01 05 00 FF FF"), 1);
  EXPECT_TRUE(TapeContains("ВСЕГО СМЕН 2"));
  ASSERT_EQ(Fptr().PrintReport(FPTR_RT_ORDINAL, u" 5 ", u"5"), 0);
  EXPECT_EQ(Requests("67 00 00 00 00 01 05 00 05 00"), 1);
  EXPECT_TRUE(TapeContains("ВСЕГО СМЕН 1"));

  const int before = Commands();
  EXPECT_EQ(Fptr().PrintReport(FPTR_RT_ORDINAL, u"0", u"3"), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().PrintReport(FPTR_RT_ORDINAL, u"5", u"3"), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().PrintReport(FPTR_RT_ORDINAL, u"5x", u"6"), OPOS_E_ILLEGAL);
  EXPECT_NE(Log().find("\t5x не является целым числом."), std::string::npos);
  EXPECT_EQ(Fptr().PrintReport(FPTR_RT_ORDINAL, u"1", u"65536"), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().PrintReport(FPTR_RT_ORDINAL, u"-1", u"6"), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().PrintReport(3, u"1", u"2"), OPOS_E_ILLEGAL);
  EXPECT_EQ(Commands(), before);
}

TEST_F(ReportMethodsTest, DateRangesOfTheFiscalMemoryReports) {
  CloseShiftOn(1, 2026, 1, 10, 1000);
  CloseShiftOn(2, 2026, 1, 12, 2000);
  ASSERT_EQ(Fptr().PrintReport(FPTR_RT_DATE, u"010120260000", u"110120262359"), 0);
  EXPECT_EQ(Requests("66 00 00 00 00 01 01 01 1A 0B 01 1A"), 1);
  EXPECT_TRUE(TapeContains("ПОЛНЫЙ"));
  EXPECT_TRUE(TapeContains("ВСЕГО СМЕН 1"));
  ASSERT_EQ(Fptr().PrintPeriodicTotalsReport(u"010120260000", u"310120260000"), 0);
  EXPECT_EQ(Requests("66 00 00 00 00 00 01 01 1A 1F 01 1A"), 1);
  EXPECT_TRUE(TapeContains("СОКРАЩЕННЫЙ"));

  const int before = Commands();
  // Ten digits, day 32, an eleventh digit: no report with half a date.
  EXPECT_EQ(Fptr().PrintReport(FPTR_RT_DATE, u"3112051530", u"010120260000"), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 219);
  EXPECT_EQ(ErrorString(), "Неверное значение даты");
  EXPECT_EQ(Fptr().PrintReport(FPTR_RT_DATE, u"010120260000", u"320120260000"), OPOS_E_EXTENDED);
  EXPECT_EQ(Fptr().PrintPeriodicTotalsReport(u"01012026000", u"010120260000"), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 219);
  EXPECT_EQ(Commands(), before);
  // The register's own check: the first date after the last.
  EXPECT_EQ(Fptr().PrintPeriodicTotalsReport(u"020120260000", u"010120260000"), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 300 + 0x18);
}

class ReportsWithoutTaxPasswordTest : public DocumentFixture {
 protected:
  void SetUp() override {
    Attach();
    Start();
  }
};

TEST_F(ReportsWithoutTaxPasswordTest, FiscalMemoryReportsAreRefusedUnsent) {
  const int before = Commands();
  EXPECT_EQ(Fptr().PrintReport(FPTR_RT_ORDINAL, u"1", u"0"), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().PrintPeriodicTotalsReport(u"010120260000", u"310120260000"), OPOS_E_ILLEGAL);
  EXPECT_EQ(Commands(), before);
}

TEST_F(ReportMethodsTest, GetDateByDateType) {
  CloseShiftOn(1, 2005, 3, 7, 0);
  ASSERT_EQ(Fptr().SetPropertyNumber(kPidxDateType, FPTR_DT_EOD), 0);
  std::u16string date;
  ASSERT_EQ(Fptr().GetDate(date), 0);
  EXPECT_EQ(date, u"070320050000");
  ASSERT_EQ(Fptr().SetPropertyNumber(kPidxDateType, FPTR_DT_RTC), 0);
  ASSERT_EQ(Fptr().GetDate(date), 0);
  // The simulated clock starts at 15.01.2026 10:30 and has run for a moment.
  EXPECT_EQ(date.substr(0, 11), u"15012026103");
  EXPECT_EQ(Fptr().SetPropertyNumber(kPidxDateType, 3), OPOS_E_ILLEGAL);

  sim_->Faults().silent = true;
  date = u"untouched";
  EXPECT_EQ(Fptr().GetDate(date), device::OPOS_E_TIMEOUT);
  EXPECT_EQ(date, u"");
}

TEST_F(ReportMethodsTest, TotalizersOfTheDayAndOfTheReceipt) {
  EXPECT_EQ(Number(kPidxTotalizerType), FPTR_TT_DAY);  // what a new object counts
  SellBreadAndMilk();
  // The open receipt: its items.
  EXPECT_EQ(Totalizer(FPTR_TT_RECEIPT, FPTR_GT_GROSS), "6.00");
  EXPECT_EQ(Totalizer(FPTR_TT_DOCUMENT, FPTR_GT_GROSS), "6.00");
  EXPECT_EQ(Totalizer(FPTR_TT_RECEIPT, FPTR_GT_ITEM), "6.00");
  // The current total agrees with it: roubles of the same register units.
  EXPECT_EQ(Data(FPTR_GD_CURRENT_TOTAL), "6.00");
  ASSERT_EQ(Fptr().PrintRecItemAdjustment(1, u"Скидка", 5000, 0), 0);
  EXPECT_EQ(Totalizer(FPTR_TT_RECEIPT, FPTR_GT_DISCOUNT), "0.50");
  PayBreadAndMilk();
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  sim_->State().money[money::ShiftTotals(2)] = 100;  // a refund of the shift

  EXPECT_EQ(Totalizer(FPTR_TT_DAY, FPTR_GT_GROSS), "4.50");
  EXPECT_EQ(last_, 0);
  EXPECT_EQ(Totalizer(FPTR_TT_DAY, FPTR_GT_ITEM), "6.00");
  EXPECT_EQ(Totalizer(FPTR_TT_DAY, FPTR_GT_DISCOUNT), "0.50");
  EXPECT_EQ(Totalizer(FPTR_TT_RECEIPT, FPTR_GT_GROSS), "0.00");  // no receipt open
  EXPECT_EQ(Data(FPTR_GD_CURRENT_TOTAL), "0.00");
  // A type without totals of its own: gross is 0, the others are refused.
  EXPECT_EQ(Totalizer(4, FPTR_GT_GROSS), "0.00");
  EXPECT_EQ(last_, 0);
  EXPECT_EQ(Totalizer(4, FPTR_GT_DISCOUNT), "0.00");
  EXPECT_EQ(last_, OPOS_E_ILLEGAL);
  EXPECT_EQ(Totalizer(FPTR_TT_DAY, 2), "0.00");
  EXPECT_EQ(last_, OPOS_E_ILLEGAL);
  FailCommand(1);
  EXPECT_EQ(Totalizer(FPTR_TT_DAY, FPTR_GT_GROSS), "0.00");
  EXPECT_EQ(last_, OPOS_E_EXTENDED);
}

TEST_F(ReportMethodsTest, DataItems) {
  SellBreadAndMilk();
  PayBreadAndMilk();
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  sim_->State().money[money::kCashInHand] = 12345;
  EXPECT_EQ(Data(FPTR_GD_DAILY_TOTAL), "123.45");
  EXPECT_EQ(Data(FPTR_GD_RECEIPT_NUMBER), std::to_string(sim_->State().documentNumber));
  sim_->State().operations[146] = 3;
  EXPECT_EQ(Data(FPTR_GD_REFUND), "3");
  CloseShiftOn(41, 2026, 1, 14, 0);
  EXPECT_EQ(Data(FPTR_GD_Z_REPORT), "41");
  EXPECT_EQ(Data(FPTR_GD_PRINTER_ID), "007701234567");
  EXPECT_EQ(Data(FPTR_GD_FIRMWARE, 0), "1.0");
  EXPECT_EQ(Data(FPTR_GD_FIRMWARE, 1), "100");
  EXPECT_EQ(Data(FPTR_GD_FIRMWARE, 2), "1.0");
  EXPECT_EQ(Data(FPTR_GD_FIRMWARE, 3), "100");
  EXPECT_EQ(Data(FPTR_GD_DESCRIPTION_LENGTH), "36");
  EXPECT_EQ(last_, 0);
  EXPECT_EQ(Data(FPTR_GD_FIRMWARE, 4), "");
  EXPECT_EQ(last_, OPOS_E_ILLEGAL);
  EXPECT_EQ(Data(5), "");
  EXPECT_EQ(last_, OPOS_E_ILLEGAL);
}

// Every amount the driver reports is roubles and kopecks, whatever the register counts in:
// the data items and the totalizers agree on a register of kopecks and on one of roubles.
TEST_F(ReportMethodsTest, DataItemsAndTotalizersReportMoneyInOneUnit) {
  for (bool wholeRoubles : {false, true}) {
    SCOPED_TRACE(wholeRoubles ? "whole roubles" : "kopecks");
    Attach();
    if (wholeRoubles) sim_->State().flags &= uint16_t(~simulator::flag::kTwoDecimals);
    Start();
    sim_->State().money[money::kCashInHand] = 12345;
    sim_->State().money[money::ShiftItems(0)] = 12345;
    const char* expected = wholeRoubles ? "12345.00" : "123.45";
    EXPECT_EQ(Data(FPTR_GD_DAILY_TOTAL), expected);
    EXPECT_EQ(Totalizer(FPTR_TT_DAY, FPTR_GT_ITEM), expected);
    // A refund shift: the gross total below zero.
    sim_->State().money[money::ShiftTotals(2)] = 12346;
    EXPECT_EQ(Totalizer(FPTR_TT_DAY, FPTR_GT_GROSS), wholeRoubles ? "-12346.00" : "-123.46");
  }
}

TEST_F(ReportMethodsTest, MethodsTheRegisterDoesNotHave) {
  int32_t rate = 77;
  EXPECT_EQ(Fptr().GetVatEntry(1, 0, rate), OPOS_E_ILLEGAL);
  EXPECT_EQ(rate, 77);
  EXPECT_EQ(Fptr().PrintPowerLossReport(), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().SetPOSID(u"1", u"2"), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().SetStoreFiscalID(u"1"), OPOS_E_ILLEGAL);
}

}  // namespace
}  // namespace orn::testing
