// Discounts and surcharges, of an item and of the whole receipt, and their voids: what the
// register registers is what the application asked for, a void gives back exactly what its
// adjustment took, and an adjustment the receipt cannot hold is refused before the register
// hears of it.

#include "unit/service/ReceiptFixture.h"

namespace orn::testing {
namespace {

using namespace service;
using device::OPOS_E_ILLEGAL;
namespace money = simulator::money;

class AdjustmentTest : public ReceiptFixture {
 protected:
  void SetUp() override {
    Attach();
    Start();
  }
  std::string ErrorString() const { return fptr_->Device().ErrorString(); }
  int64_t Subtotal() {
    return Money(money::ReceiptItems(0)) - Money(money::ReceiptStornos(0)) -
           Money(money::ReceiptDiscounts(0)) + Money(money::ReceiptSurcharges(0));
  }
  int64_t Turnover(uint8_t group) { return Money(money::ReceiptTaxTurnover(group, 0)); }
  void CloseWithCheckTotal(int64_t total) {
    ASSERT_EQ(Fptr().SetPropertyNumber(kPidxCheckTotal, 1), 0);
    ASSERT_EQ(Fptr().PrintRecSubtotal(total), 0) << ErrorString();
    ASSERT_EQ(Fptr().PrintRecTotal(total, total, kCash), 0) << ErrorString();
    ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0) << ErrorString();
    EXPECT_EQ(Operations(simulator::operations::ClosedReceipts(0)), 1);
  }
};

// 10 % off 101.00 takes 10.10; its void gives back 10.10, not 10 % of the 90.90 left.
TEST_F(AdjustmentTest, AVoidedPercentageDiscountLeavesTheSubtotalAsItWas) {
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Fptr().PrintRecItem(u"Хлеб", 600000, 1000, 1, 0, u""), 0);
  ASSERT_EQ(Fptr().PrintRecItem(u"Молоко", 410000, 1000, 2, 0, u""), 0);
  ASSERT_EQ(Fptr().PrintRecSubtotalAdjustment(FPTR_AT_PERCENTAGE_DISCOUNT, u"Скидка", 100000), 0);
  ASSERT_EQ(Subtotal(), 9090);
  ASSERT_EQ(Fptr().PrintRecSubtotalAdjustVoid(FPTR_AT_PERCENTAGE_DISCOUNT, 100000), 0)
      << ErrorString();
  EXPECT_EQ(Subtotal(), 10100);
  EXPECT_EQ(Money(money::ReceiptDiscounts(0)), 0);
  // Each tax group gets back what it gave.
  EXPECT_EQ(Turnover(1), 6000);
  EXPECT_EQ(Turnover(2), 4100);
  CloseWithCheckTotal(1010000);
}

TEST_F(AdjustmentTest, EachVoidGivesBackItsOwnAdjustmentTheLatestFirst) {
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Fptr().PrintRecItem(u"Сыр", 333300, 1000, 1, 0, u""), 0);
  ASSERT_EQ(Fptr().PrintRecItem(u"Вино", 666700, 1000, 2, 0, u""), 0);
  ASSERT_EQ(Fptr().PrintRecSubtotalAdjustment(FPTR_AT_PERCENTAGE_SURCHARGE, u"Надбавка", 30000), 0);
  ASSERT_EQ(Fptr().PrintRecSubtotalAdjustment(FPTR_AT_PERCENTAGE_DISCOUNT, u"Скидка", 70000), 0);
  ASSERT_EQ(Fptr().PrintRecSubtotalAdjustment(FPTR_AT_AMOUNT_DISCOUNT, u"Купон", 12300), 0);
  ASSERT_EQ(Fptr().PrintRecSubtotalAdjustVoid(FPTR_AT_PERCENTAGE_DISCOUNT, 70000), 0);
  ASSERT_EQ(Fptr().PrintRecSubtotalAdjustVoid(FPTR_AT_AMOUNT_DISCOUNT, 12300), 0);
  ASSERT_EQ(Fptr().PrintRecSubtotalAdjustVoid(FPTR_AT_PERCENTAGE_SURCHARGE, 30000), 0);
  EXPECT_EQ(Subtotal(), 10000);
  EXPECT_EQ(Turnover(1), 3333);
  EXPECT_EQ(Turnover(2), 6667);
  CloseWithCheckTotal(1000000);
}

// Without the adjustment there is nothing to take the percentage of; a guess would leave the
// receipt wrong, so the void is refused and nothing reaches the register.
TEST_F(AdjustmentTest, APercentageVoidWithoutItsAdjustmentIsRefused) {
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Fptr().PrintRecItem(u"Хлеб", 100000, 1000, 1, 0, u""), 0);
  ASSERT_EQ(Fptr().PrintRecSubtotalAdjustment(FPTR_AT_PERCENTAGE_DISCOUNT, u"Скидка", 100000), 0);
  const int commands = Commands();
  EXPECT_EQ(Fptr().PrintRecSubtotalAdjustVoid(FPTR_AT_PERCENTAGE_DISCOUNT, 50000), OPOS_E_ILLEGAL);
  EXPECT_EQ(ErrorString(),
            "В чеке нет скидки или надбавки на чек с таким процентом: сторно невозможно.");
  EXPECT_EQ(Fptr().PrintRecSubtotalAdjustVoid(FPTR_AT_PERCENTAGE_SURCHARGE, 100000),
            OPOS_E_ILLEGAL);
  EXPECT_EQ(Commands(), commands);
  // The one it names is voided once; a second void finds nothing left.
  ASSERT_EQ(Fptr().PrintRecSubtotalAdjustVoid(FPTR_AT_PERCENTAGE_DISCOUNT, 100000), 0);
  EXPECT_EQ(Fptr().PrintRecSubtotalAdjustVoid(FPTR_AT_PERCENTAGE_DISCOUNT, 100000), OPOS_E_ILLEGAL);
  EXPECT_EQ(Subtotal(), 1000);
}

// An item discount sent without a tax group lowers the subtotal but not the item's group:
// the group then holds more than the receipt. A discount on the receipt is still spread so
// that its parts add up and no group goes below zero.
TEST_F(AdjustmentTest, AReceiptDiscountAfterAnUntaxedItemDiscountIsStillPossible) {
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Fptr().PrintRecItem(u"Хлеб", 100000, 1000, 1, 0, u""), 0);
  ASSERT_EQ(Fptr().PrintRecItemAdjustment(FPTR_AT_AMOUNT_DISCOUNT, u"Скидка", 20000, 0), 0);
  ASSERT_EQ(Subtotal(), 800);
  ASSERT_EQ(Turnover(1), 1000);
  // 1.00 off: all of it from group 1, which holds everything taxed.
  ASSERT_EQ(Fptr().PrintRecSubtotalAdjustment(FPTR_AT_AMOUNT_DISCOUNT, u"На чек", 10000), 0)
      << ErrorString();
  EXPECT_EQ(Turnover(1), 900);
  // 10 % of 12.00 over 9.00 in group 1 and 5.00 in group 2: 0.77, 0.42 and 0.01 untaxed.
  ASSERT_EQ(Fptr().PrintRecItem(u"Молоко", 50000, 1000, 2, 0, u""), 0);
  ASSERT_EQ(Fptr().PrintRecSubtotalAdjustment(FPTR_AT_PERCENTAGE_DISCOUNT, u"На чек", 100000), 0)
      << ErrorString();
  EXPECT_EQ(Turnover(1), 823);
  EXPECT_EQ(Turnover(2), 458);
  EXPECT_EQ(Money(money::ReceiptDiscounts(0)), 200 + 100 + 120);
  CloseWithCheckTotal(108000);
}

TEST_F(AdjustmentTest, AnItemDiscountLargerThanWhatIsLeftOfTheItemIsRefusedWithNothingSent) {
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Fptr().PrintRecItem(u"Молоко", 100000, 1000, 1, 0, u""), 0);
  ASSERT_EQ(Fptr().PrintRecItem(u"Хлеб", 10000, 1000, 0, 0, u""), 0);
  const int commands = Commands();
  EXPECT_EQ(Fptr().PrintRecItemAdjustment(FPTR_AT_AMOUNT_DISCOUNT, u"Скидка", 50000, 0),
            OPOS_E_ILLEGAL);
  EXPECT_EQ(ErrorString(), "Скидка больше суммы товара.");
  EXPECT_EQ(Commands(), commands);
  // Two discounts that together take more than the item: the second is refused.
  ASSERT_EQ(Fptr().PrintRecItemAdjustment(FPTR_AT_AMOUNT_DISCOUNT, u"Скидка", 6000, 0), 0);
  EXPECT_EQ(Fptr().PrintRecItemAdjustment(FPTR_AT_AMOUNT_DISCOUNT, u"Скидка", 5000, 0),
            OPOS_E_ILLEGAL);
  // A surcharge makes room again; the whole of what is left may go, 100 % of the item may not.
  ASSERT_EQ(Fptr().PrintRecItemAdjustment(FPTR_AT_AMOUNT_SURCHARGE, u"Надбавка", 2000, 0), 0);
  EXPECT_EQ(Fptr().PrintRecItemAdjustment(FPTR_AT_PERCENTAGE_DISCOUNT, u"Скидка", 1000000, 0),
            OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().PrintRecItemAdjustment(FPTR_AT_AMOUNT_DISCOUNT, u"Скидка", 6000, 0), 0);
  EXPECT_EQ(Subtotal(), 1000);
}

}  // namespace
}  // namespace orn::testing
