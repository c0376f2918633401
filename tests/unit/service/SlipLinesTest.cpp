// Every line of a slip receipt keeps a line of the slip to itself: items, their
// adjustments and texts printed one under the other, none over another.

#include <algorithm>

#include "unit/service/ReceiptFixture.h"

namespace orn::testing {
namespace {

using namespace service;

class SlipLinesTest : public ReceiptFixture {
 protected:
  void SetUp() override {
    Attach(5);
    sim_->InsertSlip();
    Start();
    ASSERT_EQ(Fptr().SetPropertyNumber(kPidxFiscalReceiptStation, FPTR_RS_SLIP), 0);
  }
  int SlipIndex(const std::string& line) const {
    const std::vector<std::string>& slip = sim_->Printed(simulator::Station::kSlip);
    const auto found = std::find(slip.begin(), slip.end(), line);
    return found == slip.end() ? -1 : int(found - slip.begin());
  }
};

TEST_F(SlipLinesTest, AdjustmentsAndTextsStandBetweenTheItems) {
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Fptr().PrintRecItem(u"Хлеб", 20000, 1000, 1, 0, u""), 0);
  ASSERT_EQ(Fptr().PrintRecItemAdjustment(FPTR_AT_AMOUNT_DISCOUNT, u"Скидка", 1000, 1), 0);
  ASSERT_EQ(Fptr().PrintRecItem(u"Молоко", 40000, 1000, 2, 0, u""), 0);
  ASSERT_EQ(Fptr().PrintRecItemAdjustment(FPTR_AT_AMOUNT_SURCHARGE, u"Доставка", 2000, 2), 0);
  ASSERT_EQ(Fptr().PrintRecItem(u"Сыр", 30000, 1000, 1, 0, u""), 0);
  ASSERT_EQ(Fptr().PrintRecTotal(91000, 91000, kCash), 0);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  // The first item stands two lines below the eleven header lines of this model's slip.
  const int bread = SlipIndex("Хлеб");
  EXPECT_EQ(bread, 12);
  EXPECT_LT(bread, SlipIndex("Скидка                         =0.10"));
  EXPECT_LT(SlipIndex("Скидка                         =0.10"), SlipIndex("Молоко"));
  EXPECT_LT(SlipIndex("Молоко"), SlipIndex("Доставка                       =0.20"));
  EXPECT_LT(SlipIndex("Доставка                       =0.20"), SlipIndex("Сыр"));
  EXPECT_LT(SlipIndex("Сыр"), SlipIndex("ИТОГ                           =9.10"));
}

TEST_F(SlipLinesTest, ACloseTheRegisterRefusesIsMadeByTheRepeatedCall) {
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Fptr().PrintRecItem(u"Хлеб", 20000, 1000, 1, 0, u""), 0);
  ASSERT_EQ(Fptr().PrintRecTotal(20000, 20000, kCash), 0);
  // The end's commands: a status, then the close, which the register refuses.
  FailCommand(2);
  EXPECT_NE(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT_ENDING);
  EXPECT_EQ(Operations(simulator::operations::ClosedReceipts(0)), 0);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0) << Fptr().Device().ErrorString();
  EXPECT_EQ(Operations(simulator::operations::ClosedReceipts(0)), 1);
  EXPECT_EQ(Money(simulator::money::ShiftPayments(1, 0)), 200);
}

}  // namespace
}  // namespace orn::testing
