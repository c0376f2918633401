// Refund, cash-in and cash-out receipts on the receipt station.

#include "unit/service/ReceiptFixture.h"

namespace orn::testing {
namespace {

using namespace service;
using device::OPOS_E_EXTENDED;
using device::OPOS_E_ILLEGAL;
namespace money = simulator::money;
namespace ops = simulator::operations;

class CashAndRefundReceiptTest : public ReceiptFixture {
 protected:
  void SetUp() override {
    Attach();
    Start();
  }
};

TEST_F(CashAndRefundReceiptTest, ARefundReceiptTakesNoSales) {
  sim_->State().money[money::kCashInHand] = 100000;  // a refund pays cash out
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Fptr().PrintRecRefund(u"Чайник", 150000, 1), 0);
  EXPECT_EQ(Fptr().PrintRecItem(u"Хлеб", 10000, 1000, 1, 0, u""), OPOS_E_ILLEGAL);
  ASSERT_EQ(Fptr().PrintRecRefund(u"Кружка", 20000, 1), 0);
  ASSERT_EQ(Fptr().PrintRecRefundVoid(u"Кружка", 20000, 1), 0);
  // A percentage of the last refunded line: 10 % of 2.00.
  ASSERT_EQ(Fptr().PrintRecItemAdjustment(3, u"", 100000, 1), 0);
  ASSERT_EQ(Fptr().PrintRecTotal(149800, 149800, kCash), 0);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(Money(money::ShiftItems(2)), 1500);
  EXPECT_EQ(Money(money::ShiftDiscounts(2)), 20);
  EXPECT_EQ(Money(money::ShiftPayments(1, 2)), 1480);  // net of the change
  EXPECT_EQ(Operations(ops::ClosedReceipts(2)), 1);
  // The next receipt sells again.
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  EXPECT_EQ(Fptr().PrintRecItem(u"Хлеб", 10000, 1000, 1, 0, u""), 0);
}

TEST_F(CashAndRefundReceiptTest, CashInIsOneCommandAtTheEnd) {
  ASSERT_EQ(Fptr().SetPropertyNumber(kPidxFiscalReceiptType, FPTR_RT_CASH_IN), 0);
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  const int before = Commands();
  ASSERT_EQ(Fptr().PrintRecCash(1000000), 0);
  ASSERT_EQ(Fptr().PrintRecCash(5000), 0);
  EXPECT_EQ(Fptr().PrintRecItem(u"x", 10000, 1000, 1, 0, u""), OPOS_E_ILLEGAL);
  ASSERT_EQ(Fptr().PrintRecTotal(1005000, 1000000, u"что угодно"), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT);  // 100.00 of 100.50
  ASSERT_EQ(Fptr().PrintRecTotal(1005000, 5000, u"что угодно"), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT_ENDING);
  EXPECT_EQ(Commands(), before);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_MONITOR);
  EXPECT_EQ(Money(money::kShiftCashIn), 10050);
  EXPECT_EQ(Money(money::kCashInHand), 10050);
  EXPECT_EQ(Operations(ops::kCashIns), 1);
}

TEST_F(CashAndRefundReceiptTest, CashOutTakesFromTheCashInHand) {
  sim_->State().money[money::kCashInHand] = 50000;
  ASSERT_EQ(Fptr().SetPropertyNumber(kPidxFiscalReceiptType, FPTR_RT_CASH_OUT), 0);
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Fptr().PrintRecCash(2000000), 0);
  ASSERT_EQ(Fptr().PrintRecTotal(2000000, 2000000, u""), 0);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(Money(money::kShiftCashOut), 20000);
  EXPECT_EQ(Money(money::kCashInHand), 30000);
  EXPECT_EQ(Operations(ops::kCashOuts), 1);
}

// The register's ACK of the cash out is lost on the line. Whether it took the frame and
// kept no answer, or never saw the frame, the next ENQ gets the same NAK: the document
// number tells them apart, and the cash goes out once either way.
TEST_F(CashAndRefundReceiptTest, ACashOutWhoseAcknowledgementIsLostGoesOutOnce) {
  // Bytes of the status request before the cash out: its ENQ and frame (8), and the ACK of
  // the answer; the register's NAK, ACK and answer frame (51).
  constexpr uint32_t kStatusBytesReceived = 10;
  constexpr uint32_t kStatusBytesSent = 53;
  for (bool taken : {true, false}) {
    SCOPED_TRACE(taken ? "taken, answer not kept" : "never seen");
    Attach();
    Start();
    sim_->State().money[money::kCashInHand] = 50000;
    ASSERT_EQ(Fptr().SetPropertyNumber(kPidxFiscalReceiptType, FPTR_RT_CASH_OUT), 0);
    ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
    ASSERT_EQ(Fptr().PrintRecCash(2000000), 0);
    ASSERT_EQ(Fptr().PrintRecTotal(2000000, 2000000, u""), 0);
    simulator::SimulatorFaults& faults = sim_->Faults();
    if (taken) {
      faults.dropSent = {sim_->Counters().bytesSent + kStatusBytesSent + 2};
      faults.forgottenAnswers = {uint32_t(Commands() + 2)};
    } else {
      // The frame's STX is lost: the register never sees it and never replies.
      faults.dropReceived = {sim_->Counters().bytesReceived + kStatusBytesReceived + 2};
    }
    EXPECT_EQ(Fptr().EndFiscalReceipt(false), 0) << fptr_->Device().ErrorString();
    EXPECT_EQ(Operations(ops::kCashOuts), 1);
    EXPECT_EQ(Money(money::kCashInHand), 30000);
    EXPECT_EQ(PrinterState(), FPTR_PS_MONITOR);
  }
}

TEST_F(CashAndRefundReceiptTest, AVoidedCashInSendsNothing) {
  ASSERT_EQ(Fptr().SetPropertyNumber(kPidxFiscalReceiptType, FPTR_RT_CASH_IN), 0);
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Fptr().PrintRecCash(10000), 0);
  ASSERT_EQ(Fptr().PrintRecVoid(u"Отмена"), 0);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_MONITOR);
  EXPECT_EQ(Operations(ops::kCashIns), 0);
  EXPECT_EQ(Money(money::kShiftCashIn), 0);
}

}  // namespace
}  // namespace orn::testing
