// A receipt the till gives up on half way (ResetPrinter, a void during the payments): the
// register annuls it, and nothing of it, payments included, is carried into the next one.

#include "unit/service/ReceiptFixture.h"

namespace orn::testing {
namespace {

using namespace service;
namespace money = simulator::money;
namespace ops = simulator::operations;

class AbandonedReceiptTest : public ReceiptFixture {
 protected:
  void SetUp() override {
    Attach();
    Start();
  }
};

TEST_F(AbandonedReceiptTest, AResetDuringThePaymentsLeavesNoPaymentBehind) {
  SellBreadAndMilk();
  ASSERT_EQ(Fptr().PrintRecTotal(60000, 20000, kCard), 0);
  ASSERT_EQ(Fptr().PrintRecTotal(60000, 10000, kCash), 0);
  ASSERT_EQ(Fptr().ResetPrinter(), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_MONITOR);
  EXPECT_EQ(Operations(ops::AnnulledReceipts(0)), 1);
  EXPECT_EQ(Fptr().Receipt().PaymentSum(0), 0);
  EXPECT_EQ(Fptr().Receipt().PaymentSum(3), 0);
  EXPECT_EQ(DeviceSum("3"), "0");
  // The next receipt is paid and closed with its own money alone.
  SellBreadAndMilk();
  PayBreadAndMilk();
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(Operations(ops::ClosedReceipts(0)), 1);
  EXPECT_EQ(Money(money::ShiftPayments(1, 0)), 300);
  EXPECT_EQ(Money(money::ShiftPayments(4, 0)), 300);
  EXPECT_EQ(Money(money::ShiftTotals(0)), 600);
}

TEST_F(AbandonedReceiptTest, AResetWithNoReceiptOpenOnlyReturnsToMonitor) {
  ASSERT_EQ(Fptr().ResetPrinter(), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_MONITOR);
  EXPECT_EQ(Operations(ops::AnnulledReceipts(0)), 0);
}

TEST_F(AbandonedReceiptTest, AVoidedReceiptTheRegisterAlreadyDroppedStillEndsTheTape) {
  SellBreadAndMilk();
  ASSERT_EQ(Fptr().PrintRecVoid(u"Отмена"), 0);
  sim_->Reset();  // the register's RAM is cleared: its open receipt is gone
  const int headers = TapeCount("ДОБРО ПОЖАЛОВАТЬ");
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_MONITOR);
  // The trailer and the next customer's header are printed all the same.
  EXPECT_EQ(TapeCount("ДОБРО ПОЖАЛОВАТЬ"), headers + 1);
  EXPECT_EQ(Operations(ops::ClosedReceipts(0)), 0);
}

}  // namespace
}  // namespace orn::testing
