// A receipt carried on by a new service object after the old one was destroyed, as after a
// restart of the point-of-sale application: the state and payments come from the registry.

#include "unit/service/ReceiptFixture.h"

namespace orn::testing {
namespace {

using namespace service;
using device::OPOS_E_EXTENDED;
using device::OPOS_E_ILLEGAL;

class ReceiptRestartTest : public ReceiptFixture {
 protected:
  void SetUp() override {
    Attach();
    Start();
  }
};

TEST_F(ReceiptRestartTest, AfterThePaymentsTheNewObjectClosesWithThem) {
  SellBreadAndMilk();
  PayBreadAndMilk();
  fptr_.reset();
  Start();
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT_ENDING);
  EXPECT_EQ(Fptr().Receipt().PaymentSum(0), 300);
  EXPECT_EQ(Fptr().Receipt().PaymentSum(3), 300);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  ExpectBreadAndMilkClosedOnce();
}

TEST_F(ReceiptRestartTest, AfterTheSecondOfThreeItemsTheReceiptGoesOn) {
  SellBreadAndMilk();
  fptr_.reset();
  Start();
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT);
  ASSERT_EQ(Fptr().PrintRecItem(u"Сыр", 25000, 1000, 1, 0, u""), 0);
  ASSERT_EQ(Fptr().PrintRecTotal(85000, 50000, kCash), 0);
  ASSERT_EQ(Fptr().PrintRecTotal(85000, 35000, kCard), 0);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  namespace money = simulator::money;
  EXPECT_EQ(Money(money::ShiftItems(0)), 850);
  EXPECT_EQ(Money(money::ShiftPayments(1, 0)), 500);
  EXPECT_EQ(Money(money::ShiftPayments(4, 0)), 350);
  EXPECT_EQ(Operations(simulator::operations::ClosedReceipts(0)), 1);
}

TEST_F(ReceiptRestartTest, AVoidRequestedBeforeTheRestartIsCarriedOut) {
  SellBreadAndMilk();
  ASSERT_EQ(Fptr().PrintRecVoid(u"Отмена"), 0);
  fptr_.reset();
  Start();
  EXPECT_TRUE(Fptr().Receipt().CancelReceipt());
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(Operations(simulator::operations::AnnulledReceipts(0)), 1);
  EXPECT_EQ(PrinterState(), FPTR_PS_MONITOR);
}

}  // namespace
}  // namespace orn::testing
