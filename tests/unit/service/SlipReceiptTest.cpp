// Fiscal receipts on the slip station of a register that has one.

#include "unit/service/ReceiptFixture.h"

namespace orn::testing {
namespace {

using namespace service;
using device::OPOS_E_EXTENDED;
using device::OPOS_E_ILLEGAL;
namespace money = simulator::money;
namespace ops = simulator::operations;

class SlipReceiptTest : public ReceiptFixture {
 protected:
  void SetUp() override {
    Attach(5);
    sim_->InsertSlip();
    Start();
    ASSERT_EQ(Fptr().SetPropertyNumber(kPidxFiscalReceiptStation, FPTR_RS_SLIP), 0);
  }
  const std::vector<std::string>& Slip() const { return sim_->Printed(simulator::Station::kSlip); }
  bool SlipHas(const std::string& line) const {
    return std::find(Slip().begin(), Slip().end(), line) != Slip().end();
  }
};

TEST_F(SlipReceiptTest, ASaleIsClosedAndPrintedOnTheSlip) {
  ASSERT_EQ(Fptr().SetPropertyString(1016004, u"Строка 1\r\nСтрока 2"), 0);
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Fptr().PrintRecItem(u"Хлеб", 20000, 2000, 1, 10000, u""), 0);
  ASSERT_EQ(Fptr().PrintRecItemAdjustment(1, u"Скидка", 1000, 1), 0);
  ASSERT_EQ(Fptr().PrintRecItem(u"Молоко", 40000, 1000, 2, 0, u""), 0);
  EXPECT_EQ(Fptr().PrintRecVoidItem(u"Молоко", 40000, 0, 0, 0, 2), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().PrintRecSubtotalAdjustment(3, u"", 10000), OPOS_E_ILLEGAL);
  ASSERT_EQ(Fptr().PrintRecTotal(59000, 30000, kCash), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT_TOTAL);
  ASSERT_EQ(Fptr().PrintRecTotal(59000, 29000, kCard), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT_ENDING);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_MONITOR);
  EXPECT_EQ(Money(money::ShiftItems(0)), 600);
  EXPECT_EQ(Money(money::ShiftDiscounts(0)), 10);
  EXPECT_EQ(Money(money::ShiftPayments(1, 0)), 300);
  EXPECT_EQ(Money(money::ShiftPayments(4, 0)), 290);
  EXPECT_EQ(Operations(ops::ClosedReceipts(0)), 1);
  // Both header lines kept: each has a line of its own.
  EXPECT_TRUE(SlipHas("Строка 1"));
  EXPECT_TRUE(SlipHas("Строка 2"));
  EXPECT_TRUE(SlipHas("Хлеб"));
  EXPECT_TRUE(SlipHas("Молоко"));
  EXPECT_TRUE(SlipHas("СПАСИБО"));
}

TEST_F(SlipReceiptTest, ARefundSlipTakesNoSaleBeforeIt) {
  sim_->State().money[money::kCashInHand] = 100000;  // a refund pays cash out
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Fptr().PrintRecItem(u"Хлеб", 10000, 1000, 1, 0, u""), 0);
  EXPECT_EQ(Fptr().PrintRecRefund(u"Чайник", 150000, 1), OPOS_E_ILLEGAL);
  ASSERT_EQ(Fptr().PrintRecVoid(u"Отмена"), 0);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);

  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Fptr().PrintRecRefund(u"Чайник", 150000, 1), 0);
  ASSERT_EQ(Fptr().PrintRecRefund(u"Кружка", 20000, 1), 0);
  ASSERT_EQ(Fptr().PrintRecTotal(170000, 170000, kCash), 0);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(Money(money::ShiftItems(2)), 1700);
  EXPECT_EQ(Money(money::ShiftItems(0)), 0);
  EXPECT_EQ(Operations(ops::ClosedReceipts(2)), 1);
}

TEST_F(SlipReceiptTest, AVoidedSlipReceiptIsAnnulledInTheRegister) {
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Fptr().PrintRecItem(u"Хлеб", 10000, 1000, 1, 0, u""), 0);
  ASSERT_EQ(Fptr().PrintRecVoid(u"Отмена"), 0);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_MONITOR);
  EXPECT_EQ(Operations(ops::AnnulledReceipts(0)), 1);
  // Nothing left open in the register: the next slip receipt starts and closes.
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Fptr().PrintRecItem(u"Сыр", 10000, 1000, 1, 0, u""), 0);
  ASSERT_EQ(Fptr().PrintRecTotal(10000, 10000, kCash), 0);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(Operations(ops::ClosedReceipts(0)), 1);
}

TEST_F(SlipReceiptTest, ASlipThatCannotBePrintedIsPrintedByTheRepeatedCall) {
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Fptr().PrintRecItem(u"Хлеб", 10000, 1000, 1, 0, u""), 0);
  ASSERT_EQ(Fptr().PrintRecTotal(10000, 10000, kCash), 0);
  sim_->RemoveSlip();
  EXPECT_EQ(Fptr().EndFiscalReceipt(false), OPOS_E_EXTENDED);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT_ENDING);
  sim_->InsertSlip();
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(Operations(ops::ClosedReceipts(0)), 1);
  EXPECT_TRUE(SlipHas("Хлеб"));
}

}  // namespace
}  // namespace orn::testing
