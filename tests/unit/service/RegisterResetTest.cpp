// A register that was reset in the middle of a receipt dropped it: the items sent after the
// reset open another receipt holding only those. The driver must not close that one as if
// it were the application's receipt, nor report a receipt closed that the register lost.

#include "unit/service/ReceiptFixture.h"

namespace orn::testing {
namespace {

using namespace service;
using device::OPOS_E_FAILURE;
namespace money = simulator::money;
namespace operations = simulator::operations;

constexpr char kReplacedText[] =
    "Чек аннулирован: подытог чека в ФР не совпадает с переданными позициями (ФР сбрасывался)";

class RegisterResetTest : public ReceiptFixture {
 protected:
  void SetUp() override {
    Attach();
    Start();
  }
  std::string ErrorString() const { return fptr_->Device().ErrorString(); }
  // Nothing of the receipt reached the shift, and the register has no receipt open.
  void ExpectNothingRegistered() {
    EXPECT_EQ(Money(money::ShiftItems(0)), 0);
    EXPECT_EQ(Operations(operations::ClosedReceipts(0)), 0);
    EXPECT_NE(sim_->State().mode, simulator::kModeReceiptOpen);
    EXPECT_EQ(PrinterState(), FPTR_PS_MONITOR);
  }
};

TEST_F(RegisterResetTest, ItemsAfterAResetAreAnnulledNotClosedAndTheNextReceiptIsWhole) {
  SellBreadAndMilk();
  sim_->Reset();
  ASSERT_EQ(Fptr().PrintRecItem(u"Сыр", 25000, 1000, 1, 0, u""), 0);
  // The register's receipt holds the cheese alone.
  EXPECT_EQ(Fptr().PrintRecSubtotal(0), OPOS_E_FAILURE);
  EXPECT_EQ(ErrorString(), kReplacedText);
  EXPECT_EQ(Operations(operations::AnnulledReceipts(0)), 1);
  ExpectNothingRegistered();

  // The point of sale starts the receipt again.
  SellBreadAndMilk();
  PayBreadAndMilk();
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(Money(money::ShiftItems(0)), 600);
  EXPECT_EQ(Money(money::ShiftTotals(0)), 600);
  EXPECT_EQ(Operations(operations::ClosedReceipts(0)), 1);
}

TEST_F(RegisterResetTest, APaymentFindsTheReceiptReplacedWhateverCheckTotalSays) {
  for (int32_t checkTotal : {0, 1}) {
    ASSERT_EQ(Fptr().SetPropertyNumber(kPidxCheckTotal, checkTotal), 0);
    SellBreadAndMilk();
    sim_->Reset();
    ASSERT_EQ(Fptr().PrintRecItem(u"Сыр", 25000, 1000, 1, 0, u""), 0);
    // Cash would close the cheese alone, with change.
    EXPECT_EQ(Fptr().PrintRecTotal(85000, 100000, kCash), OPOS_E_FAILURE) << checkTotal;
    EXPECT_EQ(ErrorString(), kReplacedText);
    ExpectNothingRegistered();
  }
}

TEST_F(RegisterResetTest, AReceiptLostAfterItsPaymentsIsNotReportedClosed) {
  SellBreadAndMilk();
  PayBreadAndMilk();
  sim_->Reset();
  EXPECT_EQ(Fptr().EndFiscalReceipt(false), OPOS_E_FAILURE);
  EXPECT_EQ(ErrorString(), "Чек не закрыт: в ФР он не открыт (аннулирован ФР)");
  ExpectNothingRegistered();
}

// A receipt with no items never opened a receipt in the register: finding none open at the
// end is what should be found, not a lost receipt.
TEST_F(RegisterResetTest, AReceiptWithNothingRegisteredEndsWellNotAsLost) {
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Fptr().PrintRecTotal(0, 0, kCash), 0);
  ASSERT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT_ENDING);
  EXPECT_EQ(Fptr().EndFiscalReceipt(false), 0) << ErrorString();
  EXPECT_EQ(ErrorString(), "");
  ExpectNothingRegistered();
  // The next receipt, with items, is lost by a reset after a restart: that one is reported.
  SellBreadAndMilk();
  PayBreadAndMilk();
  Start();
  sim_->Reset();
  EXPECT_EQ(Fptr().EndFiscalReceipt(false), OPOS_E_FAILURE);
}

// An item whose answer was lost may have opened the receipt: the receipt counts as begun.
TEST_F(RegisterResetTest, AnItemWithAnUnknownOutcomeCountsAsRegistered) {
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  sim_->Faults().forgottenAnswers.push_back(uint32_t(Commands() + 1));
  EXPECT_NE(Fptr().PrintRecItem(u"Хлеб", 10000, 1000, 1, 0, u""), 0);
  EXPECT_TRUE(fptr_->Receipt().ReceiptStarted());
}

// The subtotal the driver built lives in the registry: a new process knows it too.
TEST_F(RegisterResetTest, ANewServiceObjectTellsAReplacedReceiptToo) {
  SellBreadAndMilk();
  fptr_.reset();
  Start();
  sim_->Reset();
  ASSERT_EQ(Fptr().PrintRecItem(u"Сыр", 25000, 1000, 1, 0, u""), 0) << ErrorString();
  EXPECT_EQ(Fptr().PrintRecTotal(85000, 85000, kCash), OPOS_E_FAILURE);
  EXPECT_EQ(ErrorString(), kReplacedText);
  ExpectNothingRegistered();
}

// Adjustments, a voided item and a percentage discount on the subtotal: what the driver
// adds up is what the register holds, so an honest receipt always closes.
TEST_F(RegisterResetTest, EveryKindOfLineAddsUpAsTheRegisterCountsIt) {
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Fptr().PrintRecItem(u"Хлеб", 33330, 3000, 1, 11110, u""), 0);
  ASSERT_EQ(Fptr().PrintRecItemAdjustment(FPTR_AT_AMOUNT_DISCOUNT, u"Скидка", 1500, 1), 0);
  ASSERT_EQ(Fptr().PrintRecItem(u"Молоко", 45670, 1000, 2, 0, u""), 0);
  ASSERT_EQ(Fptr().PrintRecItemAdjustment(FPTR_AT_PERCENTAGE_SURCHARGE, u"Надбавка", 30000, 2), 0);
  ASSERT_EQ(Fptr().PrintRecItem(u"Сыр", 25000, 1000, 3, 0, u""), 0);
  ASSERT_EQ(Fptr().PrintRecVoidItem(u"Сыр", 25000, 1000, 0, 0, 3), 0);
  ASSERT_EQ(Fptr().PrintRecSubtotalAdjustment(FPTR_AT_PERCENTAGE_DISCOUNT, u"Скидка", 70000), 0);
  ASSERT_EQ(Fptr().PrintRecSubtotal(0), 0) << ErrorString();
  ASSERT_EQ(Fptr().PrintRecTotal(0, 1000000, kCash), 0) << ErrorString();
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0) << ErrorString();
  EXPECT_EQ(Operations(operations::ClosedReceipts(0)), 1);
}

// A receipt begun by an earlier release of the driver has no subtotal in the registry: it
// is closed as before, unchecked.
TEST_F(RegisterResetTest, AReceiptWithoutAKnownSubtotalIsClosedUnchecked) {
  SellBreadAndMilk();
  fptr_.reset();
  memory_.registry.DeleteValue(std::string(kDeviceKey) + "\\Params", "ReceiptSubtotal");
  Start();
  PayBreadAndMilk();
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  ExpectBreadAndMilkClosedOnce();
}

}  // namespace
}  // namespace orn::testing
