// Payments as a till takes them: several kinds of non-cash money in one receipt, cash on
// top with change, part payments, and the limits that keep a wrong payment away from the
// register. Each receipt is checked in the register's own payment registers.

#include "unit/service/ReceiptFixture.h"

namespace orn::testing {
namespace {

using namespace service;
using device::OPOS_E_EXTENDED;
using device::OPOS_E_ILLEGAL;
namespace money = simulator::money;
namespace ops = simulator::operations;

// Two more kinds of money beside cash (type 0) and the card (type 3).
constexpr char16_t kCredit[] = u"Кредит";       // type 1, the register's payment 2
constexpr char16_t kVoucher[] = u"Сертификат";  // type 2, the register's payment 3

class PaymentScenariosTest : public ReceiptFixture {
 protected:
  void SetUp() override {
    EXPECT_TRUE(memory_.registry.ImportReg(
        "REGEDIT4\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\OLEforRetail\\ServiceOPOS\\FiscalPrinter\\"
        "Ornita-OPOS-1\\PayTypes]\r\n"
        "\"Кредит\"=dword:00000001\r\n"
        "\"Сертификат\"=dword:00000002\r\n"));
    Attach();
    Start();
  }
};

TEST_F(PaymentScenariosTest, CardCreditVoucherAndCashEachLandInTheirOwnRegister) {
  SellBreadAndMilk();  // 6.00
  ASSERT_EQ(Fptr().PrintRecTotal(60000, 20000, kCard), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT_TOTAL);
  ASSERT_EQ(Fptr().PrintRecTotal(60000, 10000, kCredit), 0);
  ASSERT_EQ(Fptr().PrintRecTotal(60000, 5000, kVoucher), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT_TOTAL);  // 3.50 of 6.00
  // Cash on top of the rest: 5.00 for the 2.50 left, 2.50 back.
  ASSERT_EQ(Fptr().PrintRecTotal(60000, 50000, kCash), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT_ENDING);
  // Kept by type until the close, in the registry as well.
  EXPECT_EQ(DeviceSum("0"), "500");
  EXPECT_EQ(DeviceSum("1"), "100");
  EXPECT_EQ(DeviceSum("2"), "50");
  EXPECT_EQ(DeviceSum("3"), "200");
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(Money(money::ShiftPayments(2, 0)), 100);
  EXPECT_EQ(Money(money::ShiftPayments(3, 0)), 50);
  EXPECT_EQ(Money(money::ShiftPayments(4, 0)), 200);
  EXPECT_EQ(Money(money::ShiftPayments(1, 0)), 250);  // net of the change
  EXPECT_EQ(Money(money::ShiftTotals(0)), 600);
  EXPECT_EQ(Operations(ops::ClosedReceipts(0)), 1);
  for (int type = 0; type < 4; ++type) EXPECT_EQ(Fptr().Receipt().PaymentSum(type), 0) << type;
}

TEST_F(PaymentScenariosTest, NonCashMoneyTogetherMayNotPassTheReceiptTotal) {
  SellBreadAndMilk();  // 6.00
  ASSERT_EQ(Fptr().PrintRecTotal(60000, 40000, kCard), 0);
  // 4.00 by card and 2.50 by voucher would be more than the receipt: refused, nothing kept.
  EXPECT_EQ(Fptr().PrintRecTotal(60000, 25000, kVoucher), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().Device().ErrorString(), "Вносимая безналичной оплатой сумма больше суммы чека.");
  EXPECT_EQ(Fptr().Receipt().PaymentSum(2), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT_TOTAL);
  // Exactly the rest is accepted and ends the payments.
  ASSERT_EQ(Fptr().PrintRecTotal(60000, 20000, kCredit), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT_ENDING);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(Money(money::ShiftPayments(4, 0)), 400);
  EXPECT_EQ(Money(money::ShiftPayments(2, 0)), 200);
  EXPECT_EQ(Money(money::ShiftPayments(3, 0)), 0);
  EXPECT_EQ(Money(money::ShiftPayments(1, 0)), 0);
}

TEST_F(PaymentScenariosTest, APartPaidReceiptTakesOnlyPaymentsUntilItIsPaid) {
  SellBreadAndMilk();
  ASSERT_EQ(Fptr().PrintRecTotal(60000, 10000, kCash), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT_TOTAL);
  const int before = Commands();
  EXPECT_EQ(Fptr().PrintRecItem(u"Сыр", 10000, 1000, 1, 0, u""), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 207);
  EXPECT_EQ(Fptr().PrintRecSubtotal(0), OPOS_E_EXTENDED);
  EXPECT_EQ(Commands(), before);
  // 1.00 short of the total: still paying.
  ASSERT_EQ(Fptr().PrintRecTotal(60000, 40000, kCard), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT_TOTAL);
  ASSERT_EQ(Fptr().PrintRecTotal(60000, 10000, kCash), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT_ENDING);
  // Paid: no more payments.
  EXPECT_EQ(Fptr().PrintRecTotal(60000, 10000, kCash), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 207);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(Money(money::ShiftPayments(1, 0)), 200);
  EXPECT_EQ(Money(money::ShiftPayments(4, 0)), 400);
}

TEST_F(PaymentScenariosTest, AmountsOutsideWhatTheRegisterCountsAreRefusedUnsent) {
  SellBreadAndMilk();
  const int before = Commands();
  EXPECT_EQ(Fptr().PrintRecTotal(60000, -10000, kCash), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 214);
  EXPECT_EQ(Fptr().PrintRecTotal(-1, 10000, kCash), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 214);
  // Five bytes of register units hold at most 10 995 116 277.75 roubles.
  EXPECT_EQ(Fptr().PrintRecTotal(60000, 109951162777600, kCash), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 214);
  EXPECT_EQ(Commands(), before);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT);
  // The largest amount the register counts gets through to the register.
  ASSERT_EQ(Fptr().PrintRecTotal(60000, 109951162777500, kCash), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT_ENDING);
  EXPECT_EQ(DeviceSum("0"), "1099511627775");
}

TEST_F(PaymentScenariosTest, ACashInReceiptCountsItsPaymentsAgainstTheCashAmount) {
  ASSERT_EQ(Fptr().SetPropertyNumber(kPidxFiscalReceiptType, FPTR_RT_CASH_IN), 0);
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Fptr().PrintRecCash(30000), 0);
  // Whatever the description says, a cash receipt's payment is cash.
  ASSERT_EQ(Fptr().PrintRecTotal(30000, 29900, kCard), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT);
  EXPECT_EQ(Fptr().Receipt().PaymentSum(0), 299);
  EXPECT_EQ(Fptr().Receipt().PaymentSum(3), 0);
  ASSERT_EQ(Fptr().PrintRecTotal(30000, 100, kCard), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT_ENDING);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(Money(money::kShiftCashIn), 300);
}

TEST_F(PaymentScenariosTest, CashAmountsBeyondTheRegistersCountAreRefused) {
  constexpr int64_t kLargest = 109951162777500;  // five bytes of kopecks
  ASSERT_EQ(Fptr().SetPropertyNumber(kPidxFiscalReceiptType, FPTR_RT_CASH_IN), 0);
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Fptr().PrintRecCash(kLargest), 0);
  // One more kopeck would not fit.
  EXPECT_EQ(Fptr().PrintRecCash(100), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 214);
  ASSERT_EQ(Fptr().PrintRecTotal(0, kLargest - 100, kCash), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT);
  EXPECT_EQ(Fptr().PrintRecTotal(0, 200, kCash), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 214);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT);
  ASSERT_EQ(Fptr().PrintRecTotal(0, 100, kCash), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT_ENDING);
  EXPECT_EQ(Fptr().PrintRecTotal(0, 100, kCash), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 207);
  ASSERT_EQ(Fptr().PrintRecVoid(u"Отмена"), 0);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(Operations(ops::kCashIns), 0);
}

TEST_F(PaymentScenariosTest, OnTheSlipOneKindOfMoneyStopsAtWhatTheRegisterCounts) {
  constexpr int64_t kLargest = 109951162777500;  // five bytes of kopecks
  Attach(5);
  sim_->InsertSlip();
  Start();
  ASSERT_EQ(Fptr().SetPropertyNumber(kPidxFiscalReceiptStation, FPTR_RS_SLIP), 0);
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Fptr().PrintRecItem(u"Станок", 10000, 1000, 1, 0, u""), 0);
  // The slip's payments run up to the application's total: the card pays all but a kopeck
  // of the largest one, then a card payment that would carry the card's sum past five bytes
  // is refused, not lost.
  ASSERT_EQ(Fptr().PrintRecTotal(kLargest, kLargest - 100, kCard), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT_TOTAL);
  EXPECT_EQ(Fptr().PrintRecTotal(kLargest, 200, kCard), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 214);
  EXPECT_EQ(Fptr().Receipt().PaymentSum(3), 1099511627774);
  ASSERT_EQ(Fptr().PrintRecTotal(kLargest, 100, kCash), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT_ENDING);
}

}  // namespace
}  // namespace orn::testing
