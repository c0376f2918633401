// The ledger's sums against a register that executed the same documents.

#include "soak/Ledger.h"

#include <gtest/gtest.h>

#include "service/OposConstants.h"
#include "unit/simulator/RegisterBench.h"

namespace orn::soak {
namespace {

using namespace simulator::testing;

PlannedItem Planned(const std::string& text, int64_t unitPrice, int32_t units, int32_t vatInfo) {
  PlannedItem item;
  item.text = text;
  item.unitPrice = unitPrice;
  item.units = units;
  item.vatInfo = vatInfo;
  return item;
}

class LedgerTest : public ::testing::Test {
 protected:
  std::vector<std::string> Differences() {
    std::vector<std::string> what;
    for (const Discrepancy& d : ledger.Compare(bench.sim)) what.push_back(d.what);
    return what;
  }

  RegisterBench bench;
  Ledger ledger;
};

TEST_F(LedgerTest, ASaleWithEveryKindOfLineAndARefundAddUpAsTheRegisterDoes) {
  DocumentPlan cashIn;
  cashIn.kind = DocumentKind::kCashIn;
  cashIn.cashAmount = 10000;
  ASSERT_EQ(bench.Error(Request(0x50, {Le(10000, 5)})), 0);
  ledger.AddDone(cashIn);

  // 2 x 3.00 less 0.50, 10.00 voided, 2.00, a 0.30 surcharge on the subtotal: 7.80, paid
  // 5.00 by card and 3.00 in cash, 0.20 change.
  DocumentPlan sale;
  sale.items = {Planned("R2 I1", 300, 2, 1), Planned("R2 I2", 1000, 1, 2),
                Planned("R2 I3", 200, 1, 3)};
  sale.items[0].adjustmentType = service::FPTR_AT_AMOUNT_DISCOUNT;
  sale.items[0].adjustment = 50;
  sale.items[1].voided = true;
  sale.subtotalAdjustmentType = service::FPTR_AT_AMOUNT_SURCHARGE;
  sale.subtotalAdjustment = 30;
  sale.card = 500;
  sale.cash = 300;
  ASSERT_EQ(sale.Total(), 780);
  ASSERT_EQ(bench.Error(Item(0x80, 2000, 300, 1, "R2 I1")), 0);
  ASSERT_EQ(bench.Error(Adjust(0x86, 50, 1)), 0);
  ASSERT_EQ(bench.Error(Item(0x80, 1000, 1000, 2, "R2 I2")), 0);
  ASSERT_EQ(bench.Error(Item(0x80, 1000, 200, 3, "R2 I3")), 0);
  ASSERT_EQ(bench.Error(Item(0x84, 1000, 1000, 2, "R2 I2")), 0);
  ASSERT_EQ(bench.Error(Adjust(0x87, 30, 1)), 0);
  ASSERT_EQ(bench.Error(Close(300, 0, 0, 500)), 0);
  ledger.AddDone(sale);
  EXPECT_EQ(Differences(), std::vector<std::string>{});

  DocumentPlan refund;
  refund.kind = DocumentKind::kRefund;
  refund.items = {Planned("R3 I1", 100, 1, 1)};
  refund.cash = 100;
  ASSERT_EQ(bench.Error(Item(0x82, 1000, 100, 1, "R3 I1")), 0);
  ASSERT_EQ(bench.Error(Close(100)), 0);
  ledger.AddDone(refund);
  EXPECT_EQ(Differences(), std::vector<std::string>{});
  EXPECT_EQ(ledger.CashInHand(), 10000 + 280 - 100);

  // A Z report on both sides: the drawer stays.
  ASSERT_EQ(bench.Error(Simple(0x41)), 0);
  ledger.NewShift();
  EXPECT_EQ(Differences(), std::vector<std::string>{});
  EXPECT_FALSE(ledger.ShiftHasDocuments());
}

TEST_F(LedgerTest, AReceiptTheDriverDidNotReportClosedShowsInEveryRegisterItMoved) {
  ASSERT_EQ(bench.Error(Item(0x80, 1000, 250, 1, "R1 I1")), 0);
  ASSERT_EQ(bench.Error(Close(250)), 0);
  EXPECT_EQ(Differences(), (std::vector<std::string>{"money 241", "money 121", "money 245",
                                                     "money 193", "operations 144"}));
  // A voided receipt the driver reported done adds nothing.
  DocumentPlan voided;
  voided.items = {Planned("R2 I1", 100, 1, 1)};
  voided.voided = true;
  ledger.AddDone(voided);
  EXPECT_EQ(Differences().size(), 5u);
  EXPECT_TRUE(ledger.ShiftHasDocuments());
}

TEST_F(LedgerTest, ACashInTheLineChangedUnseenIsBookedAsTheRegisterRecordedIt) {
  DocumentPlan cashIn;
  cashIn.kind = DocumentKind::kCashIn;
  cashIn.cashAmount = 500002;
  // Two bytes of the amount changed with one mask: the register took 500002 + 2^24 - 1.
  const RegisterSums before = RegisterSums::Of(bench.sim);
  ASSERT_EQ(bench.Error(Request(0x50, {Le(500002 + 16777216 - 1, 5)})), 0);
  const RegisterSums recorded = RegisterSums::Of(bench.sim).Since(before);

  std::vector<std::string> changed;
  for (const Discrepancy& d : soak::Differences(recorded, Ledger::Expected(cashIn)))
    changed.push_back(d.what + " " + std::to_string(d.registered - d.expected));
  EXPECT_EQ(changed, (std::vector<std::string>{"money 241 16777215", "money 242 16777215"}));
  ledger.AddRecorded(recorded, true);
  EXPECT_EQ(Differences(), std::vector<std::string>{});
  EXPECT_TRUE(ledger.ShiftHasDocuments());
}

}  // namespace
}  // namespace orn::soak
