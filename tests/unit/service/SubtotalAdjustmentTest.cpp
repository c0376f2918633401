// Amount adjustments of the whole receipt and their voids, as a till makes them one after
// the other: each is spread over the tax groups once, and each void gives back its part.

#include "unit/service/ReceiptFixture.h"

namespace orn::testing {
namespace {

using namespace service;
namespace money = simulator::money;

class SubtotalAdjustmentTest : public ReceiptFixture {
 protected:
  void SetUp() override {
    Attach();
    Start();
    SellBreadAndMilk();  // 2.00 in group 1, 4.00 in group 2
  }
  void PayAndEnd(int64_t total) {
    ASSERT_EQ(Fptr().PrintRecTotal(total, total, kCash), 0);
    ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  }
};

TEST_F(SubtotalAdjustmentTest, TwoSurchargesVoidedOneAfterTheOtherAreBothGivenBack) {
  ASSERT_EQ(Fptr().PrintRecSubtotalAdjustment(FPTR_AT_AMOUNT_SURCHARGE, u"Упаковка", 30000), 0);
  ASSERT_EQ(Fptr().PrintRecSubtotalAdjustment(FPTR_AT_AMOUNT_SURCHARGE, u"Доставка", 60000), 0);
  ASSERT_EQ(Fptr().PrintRecSubtotalAdjustVoid(FPTR_AT_AMOUNT_SURCHARGE, 30000), 0);
  ASSERT_EQ(Fptr().PrintRecSubtotalAdjustVoid(FPTR_AT_AMOUNT_SURCHARGE, 60000), 0);
  PayAndEnd(60000);
  EXPECT_EQ(Money(money::ShiftSurcharges(0)), 0);
  EXPECT_EQ(Money(money::ShiftTotals(0)), 600);
  EXPECT_EQ(Money(money::ShiftTaxTurnover(1, 0)), 200);
  EXPECT_EQ(Money(money::ShiftTaxTurnover(2, 0)), 400);
}

TEST_F(SubtotalAdjustmentTest, AVoidStoppedBetweenItsPartsIsFinishedByTheSameCall) {
  ASSERT_EQ(Fptr().PrintRecSubtotalAdjustment(FPTR_AT_AMOUNT_DISCOUNT, u"Скидка", 30000), 0);
  // The void gives back the parts the discount went out in, 1.00 of group 1 and 2.00 of
  // group 2, one command each; the second is refused.
  FailCommand(2);
  EXPECT_NE(Fptr().PrintRecSubtotalAdjustVoid(FPTR_AT_AMOUNT_DISCOUNT, 30000), 0);
  ASSERT_EQ(Fptr().PrintRecSubtotalAdjustVoid(FPTR_AT_AMOUNT_DISCOUNT, 30000), 0);
  PayAndEnd(60000);
  EXPECT_EQ(Money(money::ShiftDiscounts(0)), 0);
  EXPECT_EQ(Money(money::ShiftTotals(0)), 600);
  EXPECT_EQ(Money(money::ShiftTaxTurnover(1, 0)), 200);
  EXPECT_EQ(Money(money::ShiftTaxTurnover(2, 0)), 400);
}

TEST_F(SubtotalAdjustmentTest, APackageAdjustmentAndItsVoidArePrintedNotRegistered) {
  ASSERT_EQ(Fptr().SetPropertyString(kPidxPreLine, u"Тара"), 0);
  ASSERT_EQ(Fptr().PrintRecPackageAdjustVoid(FPTR_AT_AMOUNT_DISCOUNT, u"0.50"), 0);
  ASSERT_EQ(Fptr().PrintRecPackageAdjustVoid(FPTR_AT_AMOUNT_SURCHARGE, u"1.00"), 0);
  const int before = Commands();
  EXPECT_EQ(Fptr().PrintRecPackageAdjustVoid(FPTR_AT_PERCENTAGE_DISCOUNT, u"0.50"),
            device::OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().PrintRecPackageAdjustVoid(FPTR_AT_AMOUNT_DISCOUNT, std::u16string(37, u'1')),
            device::OPOS_E_EXTENDED);
  EXPECT_EQ(Commands(), before);
  PayAndEnd(60000);
  EXPECT_EQ(TapeCount("Тара"), 1);
  EXPECT_TRUE(TapeHas("                                0.50"));
  EXPECT_TRUE(TapeHas("                                1.00"));
  EXPECT_EQ(Money(money::ShiftTotals(0)), 600);
  EXPECT_EQ(Money(money::ShiftDiscounts(0)), 0);
}

}  // namespace
}  // namespace orn::testing
