// Arguments a till gets wrong, method by method: each is refused with its own code before
// the register hears of it, and the receipt goes on as if the call had not been made.

#include "unit/service/ReceiptFixture.h"

namespace orn::testing {
namespace {

using namespace service;
using device::OPOS_E_EXTENDED;
using device::OPOS_E_ILLEGAL;
namespace money = simulator::money;

constexpr int64_t kTooMuch = 109951162777600;  // one kopeck past five bytes

class ReceiptArgumentsTest : public ReceiptFixture {
 protected:
  void SetUp() override {
    Attach();
    Start();
    SellBreadAndMilk();
    before_ = Commands();
  }
  // Every refused call left the register alone, and the receipt still closes as sold.
  void ExpectReceiptUntouched() {
    EXPECT_EQ(Commands(), before_);
    EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT);
    PayBreadAndMilk();
    ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
    ExpectBreadAndMilkClosedOnce();
  }
  int before_ = 0;
};

TEST_F(ReceiptArgumentsTest, AdjustmentsOutsideTheirRangeOrOfNoKnownType) {
  EXPECT_EQ(Fptr().PrintRecItemAdjustment(FPTR_AT_PERCENTAGE_DISCOUNT, u"", -1, 1),
            OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 214);
  EXPECT_EQ(Fptr().PrintRecItemAdjustment(FPTR_AT_PERCENTAGE_SURCHARGE, u"", 1000001, 1),
            OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 214);
  EXPECT_EQ(Fptr().PrintRecItemAdjustment(FPTR_AT_AMOUNT_DISCOUNT, u"", -1, 1), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 214);
  EXPECT_EQ(Fptr().PrintRecItemAdjustment(FPTR_AT_AMOUNT_SURCHARGE, u"", kTooMuch, 1),
            OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 214);
  for (const int32_t type : {0, 5, 11})
    EXPECT_EQ(Fptr().PrintRecItemAdjustment(type, u"", 100, 1), OPOS_E_ILLEGAL) << type;
  EXPECT_EQ(Fptr().PrintRecSubtotalAdjustment(7, u"", 100), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().PrintRecSubtotalAdjustVoid(0, 100), OPOS_E_ILLEGAL);
  EXPECT_NE(Log().find("Неверное значение параметра AdjustmentType."), std::string::npos);
  EXPECT_NE(Log().find("Значение должно лежать в диапазоне 0..100."), std::string::npos);
  ExpectReceiptUntouched();
}

// The range of a percentage includes both ends: nought per cent is an adjustment of nothing.
TEST_F(ReceiptArgumentsTest, NoughtPerCentIsInTheRange) {
  EXPECT_EQ(Fptr().PrintRecItemAdjustment(FPTR_AT_PERCENTAGE_DISCOUNT, u"", 0, 1), 0)
      << Fptr().Device().ErrorString();
  PayBreadAndMilk();
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  ExpectBreadAndMilkClosedOnce();
}

TEST_F(ReceiptArgumentsTest, TaxGroupsPastFour) {
  EXPECT_EQ(Fptr().PrintRecItemAdjustment(FPTR_AT_AMOUNT_DISCOUNT, u"", 100, 5), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().PrintRecRefundVoid(u"Хлеб", 10000, -1), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().PrintRecVoidItem(u"Хлеб", 10000, 1000, 0, 0, 5), OPOS_E_ILLEGAL);
  EXPECT_NE(Log().find("Значение должно лежать в диапазоне 0..4."), std::string::npos);
  ExpectReceiptUntouched();
}

TEST_F(ReceiptArgumentsTest, AmountsBelowZeroOrPastFiveBytes) {
  EXPECT_EQ(Fptr().PrintRecRefundVoid(u"Хлеб", -10000, 1), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 214);
  EXPECT_EQ(Fptr().PrintRecVoidItem(u"Хлеб", kTooMuch, 1000, 0, 0, 1), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 214);
  EXPECT_EQ(Fptr().PrintRecVoidItem(u"Хлеб", 10000, -1, 0, 0, 1), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 213);
  // Each fits, their product does not.
  EXPECT_EQ(Fptr().PrintRecVoidItem(u"Хлеб", 100000000000000, 20000, 0, 0, 1), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 214);
  EXPECT_EQ(Fptr().PrintRecSubtotal(-1), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 214);
  EXPECT_NE(Log().find("Параметр Amount должен быть >= 0."), std::string::npos);
  ExpectReceiptUntouched();
}

TEST_F(ReceiptArgumentsTest, TextsWiderThanTheLine) {
  const std::u16string wide(37, u'Ж');
  EXPECT_EQ(Fptr().PrintRecRefundVoid(wide, 10000, 1), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 215);
  EXPECT_EQ(Fptr().PrintRecVoidItem(wide, 10000, 1000, 0, 0, 1), OPOS_E_EXTENDED);
  EXPECT_EQ(Fptr().PrintRecItemAdjustment(FPTR_AT_AMOUNT_DISCOUNT, wide, 100, 1), OPOS_E_EXTENDED);
  EXPECT_EQ(Fptr().PrintRecSubtotalAdjustment(FPTR_AT_AMOUNT_DISCOUNT, wide, 100), OPOS_E_EXTENDED);
  EXPECT_EQ(Fptr().PrintRecVoid(wide), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 215);
  ExpectReceiptUntouched();
}

TEST_F(ReceiptArgumentsTest, NotPaidLinesAreCheckedLikeTheRest) {
  ASSERT_EQ(Fptr().PrintRecTotal(60000, 10000, kCash), 0);
  const int before = Commands();
  EXPECT_EQ(Fptr().PrintRecNotPaid(u"Долг", -1), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 214);
  EXPECT_EQ(Fptr().PrintRecNotPaid(std::u16string(37, u'Д'), 100), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 215);
  EXPECT_EQ(Commands(), before);
  ASSERT_EQ(Fptr().PrintRecNotPaid(u"Долг", 10000), 0);
  EXPECT_TRUE(TapeHas("Долг                            1.00"));
}

}  // namespace
}  // namespace orn::testing
