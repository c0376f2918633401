// Sales receipts on the receipt station, from the calls to the register's registers and tape.

#include "unit/service/ReceiptFixture.h"

namespace orn::testing {
namespace {

using namespace service;
using device::OPOS_E_EXTENDED;
using device::OPOS_E_ILLEGAL;
namespace money = simulator::money;
namespace ops = simulator::operations;

class SalesReceiptTest : public ReceiptFixture {
 protected:
  void SetUp() override {
    Attach();
    Start();
  }
};

TEST_F(SalesReceiptTest, ItemsSubtotalAndTwoPaymentsCloseInOneCommand) {
  SellBreadAndMilk();
  PayBreadAndMilk();
  // Payments wait in the driver (and the registry) until the receipt ends.
  EXPECT_EQ(Operations(ops::ClosedReceipts(0)), 0);
  EXPECT_EQ(DeviceSum("3"), "300");
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  ExpectBreadAndMilkClosedOnce();
  EXPECT_EQ(TapeCount("ПОДИТОГ                         6.00"), 1);
  EXPECT_EQ(Fptr().Receipt().PaymentSum(3), 0);
}

TEST_F(SalesReceiptTest, QuantityAndPriceFollowTheUnitPrice) {
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  // No unit price: one unit at Price, whatever the quantity.
  ASSERT_EQ(Fptr().PrintRecItem(u"А", 12345, 5000, 0, 0, u""), 0);
  // A unit price and quantity 0: one unit at the unit price.
  ASSERT_EQ(Fptr().PrintRecItem(u"Б", 99990000, 0, 0, 25000, u""), 0);
  ASSERT_EQ(Fptr().PrintRecItem(u"В", 0, 1500, 0, 10000, u""), 0);
  ASSERT_EQ(Fptr().PrintRecTotal(0, 60000, kCash), 0);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(Money(money::ShiftItems(0)), 123 + 250 + 150);
  EXPECT_TRUE(TapeHas("1.000 X 1.23"));
  EXPECT_TRUE(TapeHas("1.000 X 2.50"));
  EXPECT_TRUE(TapeHas("1.500 X 1.00"));
  // Cash above the total: the register gives change.
  EXPECT_EQ(Money(money::ShiftPayments(1, 0)), 523);
}

TEST_F(SalesReceiptTest, ArgumentsAtTheEdgesAreRefusedBeforeTheRegisterHearsOfThem) {
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  const int before = Commands();
  const std::u16string width36(36, u'Ж');
  EXPECT_EQ(Fptr().PrintRecItem(width36 + u"Ж", 10000, 1000, 1, 0, u""), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 215);
  EXPECT_EQ(Fptr().PrintRecItem(u"x", 10000, -1, 1, 0, u""), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 213);
  EXPECT_EQ(Fptr().PrintRecItem(u"x", -1, 1000, 1, 0, u""), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 218);
  EXPECT_EQ(Fptr().PrintRecItem(u"x", 0, 1000, 5, 0, u""), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().PrintRecItem(u"x", 0, 1000, -1, 0, u""), OPOS_E_ILLEGAL);
  // Prices that five bytes cannot hold, alone or times the quantity, would reach the
  // register as another price.
  EXPECT_EQ(Fptr().PrintRecItem(u"x", 110000000000000000, 1000, 1, 0, u""), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 218);
  EXPECT_EQ(Fptr().PrintRecItem(u"x", 0, 2000000, 1, 10000000000000, u""), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 218);
  EXPECT_EQ(Fptr().PrintRecCash(10000), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().PrintRecMessage(u"x"), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 207);
  EXPECT_EQ(Commands(), before);
  // Exactly the line width, and tax group 4, go through.
  EXPECT_EQ(Fptr().PrintRecItem(width36, 10000, 1000, 4, 0, u""), 0);
  EXPECT_EQ(Commands(), before + 1);
  EXPECT_NE(Log().find("Неверное значение параметра Price (-0.000100).\r\n"), std::string::npos);
}

TEST_F(SalesReceiptTest, APercentageNeedsAnItemOfThisReceipt) {
  SellBreadAndMilk();
  PayBreadAndMilk();
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  const int before = Commands();
  // The milk of the last receipt is no base for this one.
  EXPECT_EQ(Fptr().PrintRecItemAdjustment(3, u"Скидка", 100000, 0), OPOS_E_ILLEGAL);
  EXPECT_EQ(Commands(), before);
  ASSERT_EQ(Fptr().PrintRecItem(u"Сыр", 25000, 1000, 1, 0, u""), 0);
  EXPECT_EQ(Fptr().PrintRecItemAdjustment(3, u"Скидка", 1000001, 0), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 214);
  // 10 % of 2.50 is 0.25; 100 % is accepted.
  ASSERT_EQ(Fptr().PrintRecItemAdjustment(3, u"Скидка", 100000, 1), 0);
  ASSERT_EQ(Fptr().PrintRecItemAdjustment(2, u"Надбавка", 5000, 1), 0);
  ASSERT_EQ(Fptr().PrintRecItemAdjustment(4, u"", 1000000, 1), 0);
  ASSERT_EQ(Fptr().PrintRecTotal(0, 100000, kCash), 0);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(Money(money::ShiftDiscounts(0)), 25);
  EXPECT_EQ(Money(money::ShiftSurcharges(0)), 50 + 250);
  EXPECT_EQ(Money(money::ShiftTotals(0)), 600 + 250 - 25 + 300);
}

TEST_F(SalesReceiptTest, SubtotalDiscountIsSplitOverTheTaxGroups) {
  SellBreadAndMilk();
  // 10 % of 6.00: 0.20 of group 1 and 0.40 of group 2; the text is a line of its own.
  ASSERT_EQ(Fptr().PrintRecSubtotalAdjustment(3, u"Скидка дня", 100000), 0);
  ASSERT_EQ(Fptr().PrintRecSubtotalAdjustment(2, u"Упаковка", 1000), 0);
  ASSERT_EQ(Fptr().PrintRecSubtotalAdjustVoid(2, 1000), 0);
  ASSERT_EQ(Fptr().PrintRecTotal(54000, 54000, kCard), 0);
  ASSERT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT_ENDING);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(Money(money::ShiftDiscounts(0)), 60);
  EXPECT_EQ(Money(money::ShiftSurcharges(0)), 0);
  EXPECT_EQ(Money(money::ShiftTaxTurnover(1, 0)), 180);
  EXPECT_EQ(Money(money::ShiftTaxTurnover(2, 0)), 360);
  EXPECT_EQ(Money(money::ShiftPayments(4, 0)), 540);
  EXPECT_EQ(TapeCount("Скидка дня"), 1);
}

TEST_F(SalesReceiptTest, PaymentsAreCheckedByTypeAndAgainstTheSubtotal) {
  SellBreadAndMilk();
  // Names match byte for byte only.
  EXPECT_EQ(Fptr().PrintRecTotal(60000, 10000, u"наличные"), OPOS_E_ILLEGAL);
  ASSERT_EQ(Fptr().PrintRecTotal(60000, 30000, kCash), 0);
  // Card money may not pass the subtotal; cash is not limited.
  EXPECT_EQ(Fptr().PrintRecTotal(60000, 60100, kCard), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().Device().ErrorString(), "Вносимая безналичной оплатой сумма больше суммы чека.");
  ASSERT_EQ(Fptr().PrintRecTotal(60000, 60000, kCard), 0);
  EXPECT_EQ(Fptr().PrintRecNotPaid(u"Долг", 12345), 0);
  EXPECT_EQ(Fptr().PrintRecMessage(u"Приходите ещё"), 0);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(Money(money::ShiftPayments(4, 0)), 600);
  EXPECT_EQ(Money(money::ShiftPayments(1, 0)), 0);  // all cash came back as change
  EXPECT_TRUE(TapeHas("Долг                            1.23"));
  EXPECT_TRUE(TapeHas("Приходите ещё"));
}

TEST_F(SalesReceiptTest, AVoidedReceiptIsAnnulledInTheRegister) {
  SellBreadAndMilk();
  EXPECT_EQ(Fptr().PrintRecTotal(60000, 10000, kCash), 0);
  EXPECT_EQ(Fptr().PrintRecVoid(u"Отмена"), OPOS_E_EXTENDED);  // state 3 is not accepted
  EXPECT_EQ(Extended(), 207);
  EXPECT_EQ(Fptr().PrintRecNotPaid(u"Долг", 10000), 0);
  ASSERT_EQ(Fptr().PrintRecTotal(60000, 50000, kCash), 0);
  ASSERT_EQ(Fptr().PrintRecVoid(u"Отмена"), 0);
  EXPECT_TRUE(Fptr().Receipt().CancelReceipt());
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_MONITOR);
  EXPECT_EQ(Operations(ops::AnnulledReceipts(0)), 1);
  EXPECT_EQ(Operations(ops::ClosedReceipts(0)), 0);
  EXPECT_EQ(Money(money::ShiftItems(0)), 0);
  EXPECT_FALSE(Fptr().Receipt().CancelReceipt());
  EXPECT_EQ(Fptr().Receipt().PaymentSum(0), 0);
}

TEST_F(SalesReceiptTest, AWrongTotalCancelsTheReceiptWhenCheckTotalIsOn) {
  ASSERT_EQ(Fptr().SetPropertyNumber(kPidxCheckTotal, 1), 0);
  SellBreadAndMilk();
  EXPECT_EQ(Fptr().PrintRecSubtotal(60000), 0);
  EXPECT_EQ(Fptr().PrintRecTotal(59900, 60000, kCash), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 214);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT_ENDING);
  EXPECT_EQ(Operations(ops::AnnulledReceipts(0)), 1);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_MONITOR);
  EXPECT_EQ(Fptr().Receipt().PaymentSum(0), 0);
}

TEST_F(SalesReceiptTest, ItemVoidsAndTextLinesOfTheReceipt) {
  ASSERT_EQ(Fptr().SetPropertyString(kPidxPreLine, u"Акция"), 0);
  SellBreadAndMilk();
  ASSERT_EQ(Fptr().PrintRecVoidItem(u"Молоко", 40000, 0, 0, 0, 2), 0);
  ASSERT_EQ(Fptr().PrintRecPackageAdjustment(1, u"Пакет", u"0.00"), 0);
  EXPECT_EQ(Fptr().PrintRecPackageAdjustment(3, u"Пакет", u"0.00"), OPOS_E_ILLEGAL);
  ASSERT_EQ(Fptr().PrintRecTotal(20000, 20000, kCash), 0);
  EXPECT_EQ(Fptr().PrintRecTaxID(u"ИНН 7700000000"), 0);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(Money(money::ShiftItems(0)), 200);
  EXPECT_EQ(Money(money::ShiftStornos(0)), 400);
  EXPECT_EQ(TapeCount("Акция"), 1);  // a pre-line is printed once
  EXPECT_TRUE(TapeHas("ИНН 7700000000"));
  EXPECT_EQ(Fptr().PrintRecItemFuel(u"x", 0, 0, 0, 0, u"", 0, u""), OPOS_E_ILLEGAL);
}

}  // namespace
}  // namespace orn::testing
