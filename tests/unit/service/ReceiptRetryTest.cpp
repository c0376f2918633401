// A receipt whose register fails one command of a method (a register error, or an answer
// lost on the way) and whose application calls the failed method again: every item,
// adjustment, payment, pre-line and post-line ends up registered or printed once.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "unit/service/ReceiptFixture.h"

namespace orn::testing {
namespace {

using namespace service;
using device::OPOS_E_EXTENDED;
using device::OPOS_E_ILLEGAL;
namespace money = simulator::money;

enum class Fault { kRegisterError, kLostAnswer };

class ReceiptRetryTest : public ReceiptFixture {
 protected:
  // A method with its own pre-line and post-line, so that each printed line tells which call
  // printed it.
  std::function<int32_t()> WithLines(int step, std::function<int32_t()> method) {
    return [this, step, method] {
      const std::u16string number = std::u16string(1, char16_t(u'0' + step));
      Fptr().SetPropertyString(kPidxPreLine, u"до " + number);
      Fptr().SetPropertyString(kPidxPostLine, u"после " + number);
      return method();
    };
  }

  // The receipt, step by step; the fault hits the n-th command of step `faulty`.
  void RunReceipt(int faulty, int n, Fault fault) {
    const std::vector<std::function<int32_t()>> steps = {
        [this] { return Fptr().BeginFiscalReceipt(true); },
        WithLines(1, [this] { return Fptr().PrintRecItem(u"Хлеб", 20000, 2000, 1, 10000, u""); }),
        WithLines(2, [this] { return Fptr().PrintRecItem(u"Молоко", 40000, 1000, 2, 0, u""); }),
        WithLines(3, [this] { return Fptr().PrintRecItemAdjustment(1, u"Скидка", 1000, 2); }),
        WithLines(4, [this] { return Fptr().PrintRecSubtotal(0); }),
        WithLines(5, [this] { return Fptr().PrintRecTotal(59000, 30000, kCash); }),
        WithLines(6, [this] { return Fptr().PrintRecTotal(59000, 29000, kCard); }),
        [this] { return Fptr().EndFiscalReceipt(false); },
    };
    for (size_t step = 0; step < steps.size(); ++step) {
      if (int(step) == faulty) {
        if (fault == Fault::kRegisterError)
          FailCommand(n);
        else
          sim_->Faults().lostAnswers.push_back(uint32_t(Commands() + n));
      }
      // Only the pre-line and post-line of the first call are set: a repeated call finds
      // them consumed or still to print.
      int32_t result = steps[step]();
      if (result != 0) ++failedCalls_;
      for (int again = 0; result != 0 && again < 3; ++again) {
        if (step == 0 || step == steps.size() - 1)
          result = steps[step]();
        else
          result = Repeat(int(step));
      }
      ASSERT_EQ(result, 0) << "step " << step;
    }
  }

  // The same call again, without setting its lines afresh.
  int32_t Repeat(int step) {
    switch (step) {
      case 1:
        return Fptr().PrintRecItem(u"Хлеб", 20000, 2000, 1, 10000, u"");
      case 2:
        return Fptr().PrintRecItem(u"Молоко", 40000, 1000, 2, 0, u"");
      case 3:
        return Fptr().PrintRecItemAdjustment(1, u"Скидка", 1000, 2);
      case 4:
        return Fptr().PrintRecSubtotal(0);
      case 5:
        return Fptr().PrintRecTotal(59000, 30000, kCash);
      default:
        return Fptr().PrintRecTotal(59000, 29000, kCard);
    }
  }

  int failedCalls_ = 0;

  void ExpectRegisteredOnce(const std::string& where) {
    SCOPED_TRACE(where);
    EXPECT_EQ(PrinterState(), FPTR_PS_MONITOR);
    EXPECT_EQ(Money(money::ShiftItems(0)), 600);
    EXPECT_EQ(Money(money::ShiftDiscounts(0)), 10);
    EXPECT_EQ(Money(money::ShiftPayments(1, 0)), 300);
    EXPECT_EQ(Money(money::ShiftPayments(4, 0)), 290);
    EXPECT_EQ(Operations(simulator::operations::ClosedReceipts(0)), 1);
    EXPECT_EQ(TapeCount("Хлеб"), 1);
    EXPECT_EQ(TapeCount("Молоко"), 1);
    EXPECT_EQ(TapeCount("ПОДИТОГ                         5.90"), 1);
    for (int step = 1; step <= 6; ++step) {
      const std::string number(1, char('0' + step));
      // The adjustment prints no post-line; its post-line is printed by the next method.
      EXPECT_EQ(TapeCount("до " + number), 1) << number;
    }
    EXPECT_EQ(TapeCount("после 1"), 1);
    EXPECT_EQ(TapeCount("после 6"), 1);
  }
};

TEST_F(ReceiptRetryTest, EveryCommandOfEveryMethodFailsOnceAndTheMethodIsCalledAgain) {
  for (Fault fault : {Fault::kRegisterError, Fault::kLostAnswer}) {
    for (int step = 1; step <= 7; ++step) {
      for (int n = 1; n <= 4; ++n) {
        Attach();
        Start();
        RunReceipt(step, n, fault);
        ExpectRegisteredOnce("fault " + std::to_string(int(fault)) + " step " +
                             std::to_string(step) + " command " + std::to_string(n));
        if (HasFatalFailure() || HasFailure()) return;
      }
    }
  }
  // The register errors made calls fail (all but one past the receipt's last command); most
  // lost answers are fetched again by the link's own ENQ and fail nothing.
  EXPECT_GE(failedCalls_, 7 * 4 - 1);
}

TEST_F(ReceiptRetryTest, AnotherMethodInBetweenMakesTheNextItemAFreshOne) {
  Attach();
  Start();
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Fptr().SetPropertyString(kPidxPostLine, u"после"), 0);
  FailCommand(2);  // the post-line
  EXPECT_NE(Fptr().PrintRecItem(u"Хлеб", 10000, 1000, 1, 0, u""), 0);
  ASSERT_EQ(Fptr().PrintRecItem(u"Хлеб", 10000, 1000, 1, 0, u""), 0);
  EXPECT_EQ(Money(money::ReceiptItems(0)), 100);
  FailCommand(1);
  EXPECT_NE(Fptr().PrintRecItem(u"Сыр", 10000, 1000, 1, 0, u""), 0);
  EXPECT_EQ(Fptr().PrintRecMessage(u"x"), OPOS_E_EXTENDED);  // another method
  ASSERT_EQ(Fptr().PrintRecItem(u"Сыр", 10000, 1000, 1, 0, u""), 0);
  ASSERT_EQ(Fptr().PrintRecItem(u"Сыр", 10000, 1000, 1, 0, u""), 0);
  EXPECT_EQ(Money(money::ReceiptItems(0)), 300);
  EXPECT_EQ(TapeCount("после"), 1);
}

// The retry memory is for the same call: a payment with other arguments after a failed one
// is a payment of its own, registered, never a success with nothing done.
TEST_F(ReceiptRetryTest, APaymentWithOtherArgumentsAfterAFailedOneIsRegistered) {
  Attach();
  Start();
  SellBreadAndMilk();
  ASSERT_EQ(Fptr().SetPropertyString(kPidxPostLine, u"после"), 0);
  FailCommand(2, 0x6B);  // the card is registered, then the post-line meets no paper
  ASSERT_EQ(Fptr().PrintRecTotal(60000, 30000, kCard), OPOS_E_EXTENDED);
  ASSERT_EQ(Extended(), device::OPOS_EFPTR_REC_EMPTY);
  ASSERT_EQ(Fptr().PrintRecTotal(60000, 60000, kCash), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT_ENDING);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(Money(money::ShiftPayments(1, 0)), 300);  // 6.00 cash less 3.00 change
  EXPECT_EQ(Money(money::ShiftPayments(4, 0)), 300);
  EXPECT_EQ(Operations(simulator::operations::ClosedReceipts(0)), 1);

  // The same holds for every method with retry memory: an item, and a subtotal adjustment
  // whose tax parts went in halfway.
  SellBreadAndMilk();
  ASSERT_EQ(Fptr().SetPropertyString(kPidxPostLine, u"после"), 0);
  FailCommand(2);  // the cheese is sold, its post-line fails
  ASSERT_NE(Fptr().PrintRecItem(u"Сыр", 10000, 1000, 1, 0, u""), 0);
  ASSERT_EQ(Fptr().PrintRecItem(u"Кефир", 10000, 1000, 1, 0, u""), 0);
  EXPECT_EQ(TapeCount("Кефир"), 1);
  EXPECT_EQ(Money(money::ReceiptItems(0)), 800);
  // 0.80 off 4.00 in group 1 and 4.00 in group 2: the subtotal, the status, four tax
  // registers, the line, then the part of group 1 and the part of group 2, which fails.
  FailCommand(9);
  ASSERT_NE(Fptr().PrintRecSubtotalAdjustment(FPTR_AT_AMOUNT_DISCOUNT, u"Скидка", 8000), 0);
  ASSERT_EQ(Money(money::ReceiptDiscounts(0)), 40);
  ASSERT_EQ(Fptr().PrintRecSubtotalAdjustment(FPTR_AT_AMOUNT_DISCOUNT, u"Скидка", 3800), 0);
  EXPECT_EQ(Money(money::ReceiptDiscounts(0)), 40 + 38);
}

// The register closed the receipt, and the wait for its printing failed: the receipt is
// the register's now. A void would be a sale the point of sale believes cancelled, so it
// is refused, and the end called again finishes the receipt.
TEST_F(ReceiptRetryTest, AReceiptTheRegisterClosedIsNotVoidedWhenItsEndFailedAfterTheClose) {
  Attach();
  Start();
  SellBreadAndMilk();
  PayBreadAndMilk();
  FailCommand(4);  // the wait, the status before the close, the close, the wait after it
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), OPOS_E_EXTENDED);
  ASSERT_EQ(Operations(simulator::operations::ClosedReceipts(0)), 1);
  EXPECT_EQ(Fptr().PrintRecVoid(u"Отмена"), OPOS_E_ILLEGAL);
  EXPECT_EQ(fptr_->Device().ErrorString(),
            "Чек уже закрыт в ФР и не может быть отменен: завершите его методом EndFiscalReceipt.");
  EXPECT_EQ(Fptr().EndFiscalReceipt(false), 0);
  ExpectBreadAndMilkClosedOnce();
  // The next receipt may be voided again.
  SellBreadAndMilk();
  EXPECT_EQ(Fptr().PrintRecVoid(u"Отмена"), 0);
}

// The same after a restart: the new object's claim finds no receipt open in the register,
// and the end called again still finishes the one the register closed.
TEST_F(ReceiptRetryTest, AReceiptClosedBeforeARestartIsEndedByTheNewObject) {
  Attach();
  Start();
  SellBreadAndMilk();
  PayBreadAndMilk();
  FailCommand(4);  // the wait after the close
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), OPOS_E_EXTENDED);
  Start();
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT_ENDING);
  EXPECT_EQ(Fptr().EndFiscalReceipt(false), 0);
  ExpectBreadAndMilkClosedOnce();
}

// Steps made of several register commands go on where they failed: the lines of the
// additional header, the tax groups' parts of a subtotal adjustment, the cash of a cash-in
// receipt and its printing.
TEST_F(ReceiptRetryTest, AStepOfSeveralCommandsGoesOnWhereItFailed) {
  for (int n = 1; n <= 10; ++n) {
    SCOPED_TRACE("command " + std::to_string(n));
    Attach();
    Start();
    ASSERT_EQ(Fptr().SetPropertyString(1016004, u"Строка 1\r\nСтрока 2\r\nСтрока 3\r\n"), 0);
    FailCommand(std::min(n, 3));
    if (Fptr().BeginFiscalReceipt(true) != 0) {
      ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
    }
    sim_->Faults().deviceErrors.clear();  // one that hit no command
    for (const char* line : {"Строка 1", "Строка 2", "Строка 3"}) EXPECT_EQ(TapeCount(line), 1);

    // 0.60 off 2.00 in group 1 and 4.00 in group 2: 0.20 and 0.40.
    ASSERT_EQ(Fptr().PrintRecItem(u"Хлеб", 20000, 2000, 1, 10000, u""), 0);
    ASSERT_EQ(Fptr().PrintRecItem(u"Молоко", 40000, 1000, 2, 0, u""), 0);
    FailCommand(n);
    if (Fptr().PrintRecSubtotalAdjustment(FPTR_AT_AMOUNT_DISCOUNT, u"Скидка", 6000) != 0) {
      ASSERT_EQ(Fptr().PrintRecSubtotalAdjustment(FPTR_AT_AMOUNT_DISCOUNT, u"Скидка", 6000), 0);
    }
    sim_->Faults().deviceErrors.clear();
    EXPECT_EQ(Money(money::ReceiptDiscounts(0)), 60);
    EXPECT_EQ(Money(money::ReceiptTaxTurnover(1, 0)), 180);
    EXPECT_EQ(Money(money::ReceiptTaxTurnover(2, 0)), 360);
    EXPECT_EQ(TapeCount("Скидка"), 1);
    ASSERT_EQ(Fptr().PrintRecTotal(54000, 54000, kCash), 0);
    ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);

    ASSERT_EQ(Fptr().SetPropertyNumber(kPidxFiscalReceiptType, FPTR_RT_CASH_IN), 0);
    ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
    ASSERT_EQ(Fptr().PrintRecCash(1000000), 0);
    ASSERT_EQ(Fptr().PrintRecTotal(1000000, 1000000, kCash), 0);
    FailCommand(std::min(n, 3));  // the cash, or the wait for its printing
    if (Fptr().EndFiscalReceipt(false) != 0) {
      ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
    }
    EXPECT_EQ(PrinterState(), FPTR_PS_MONITOR);
    EXPECT_EQ(Money(money::kShiftCashIn), 10000);
    EXPECT_EQ(Operations(simulator::operations::kCashIns), 1);
    if (HasFailure()) return;
  }
}

}  // namespace
}  // namespace orn::testing
