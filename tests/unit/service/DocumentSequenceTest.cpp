// A day at the till as a sequence of documents: each one starts from the state the last
// one left, and text goes only where a document takes it.

#include "DocumentFixture.h"

namespace orn::testing {
namespace {

using namespace service;
using device::OPOS_E_EXTENDED;
namespace money = simulator::money;
namespace ops = simulator::operations;

class DocumentSequenceTest : public DocumentFixture {
 protected:
  void SetUp() override {
    Attach();
    AllowFiscalReports();
    Start();
  }
  void CashReceipt(int32_t type, int64_t amount) {
    ASSERT_EQ(Fptr().SetPropertyNumber(kPidxFiscalReceiptType, type), 0);
    ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
    ASSERT_EQ(Fptr().PrintRecCash(amount), 0);
    ASSERT_EQ(Fptr().PrintRecTotal(amount, amount, kCash), 0);
    ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
    ASSERT_EQ(Fptr().SetPropertyNumber(kPidxFiscalReceiptType, FPTR_RT_SALES), 0);
  }
};

TEST_F(DocumentSequenceTest, TextForACashReceiptNeedsTheReceiptOpen) {
  ASSERT_EQ(Fptr().SetPropertyNumber(kPidxFiscalReceiptType, FPTR_RT_CASH_IN), 0);
  const int before = Commands();
  // The type alone opens nothing: no text outside a document.
  EXPECT_EQ(Fptr().PrintNormal(FPTR_S_RECEIPT, u"Размен"), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 207);
  EXPECT_EQ(Commands(), before);
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Fptr().PrintNormal(FPTR_S_RECEIPT, u"Размен"), 0);
  ASSERT_EQ(Fptr().PrintRecCash(50000), 0);
  ASSERT_EQ(Fptr().PrintRecTotal(50000, 50000, kCash), 0);
  ASSERT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT_ENDING);
  ASSERT_EQ(Fptr().PrintNormal(FPTR_S_RECEIPT, u"Кассир Иванова"), 0);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_LT(TapeIndex("Размен"), TapeIndex("Кассир Иванова"));
  EXPECT_EQ(Money(money::kShiftCashIn), 500);
}

TEST_F(DocumentSequenceTest, ADayFromTheFirstCashInToTheZReport) {
  CashReceipt(FPTR_RT_CASH_IN, 1000000);  // the float
  SellBreadAndMilk();
  PayBreadAndMilk();
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  // A receipt the customer walks away from.
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Fptr().PrintRecItem(u"Сыр", 25000, 1000, 1, 0, u""), 0);
  ASSERT_EQ(Fptr().PrintRecVoid(u"Отмена"), 0);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  // A refund of one loaf.
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Fptr().PrintRecRefund(u"Хлеб", 10000, 1), 0);
  ASSERT_EQ(Fptr().PrintRecTotal(10000, 10000, kCash), 0);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  ASSERT_EQ(Fptr().PrintXReport(), 0);
  CashReceipt(FPTR_RT_CASH_OUT, 500000);  // the takings
  EXPECT_EQ(Operations(ops::ClosedReceipts(0)), 1);
  EXPECT_EQ(Operations(ops::ClosedReceipts(2)), 1);
  EXPECT_EQ(Operations(ops::AnnulledReceipts(0)), 1);
  EXPECT_EQ(Operations(ops::kCashIns), 1);
  EXPECT_EQ(Operations(ops::kCashOuts), 1);
  EXPECT_EQ(Operations(ops::kXReports), 1);
  // The float, 3.00 of cash sales, less the refund and the takings.
  EXPECT_EQ(Money(money::kCashInHand), 10000 + 300 - 100 - 5000);
  ASSERT_EQ(Fptr().PrintZReport(), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_MONITOR);
  ASSERT_EQ(sim_->State().fiscalMemory.shifts.size(), 1u);
  EXPECT_EQ(sim_->State().fiscalMemory.shifts[0].totals[0], 600);
  EXPECT_EQ(sim_->State().mode, simulator::kModeShiftClosed);
}

}  // namespace
}  // namespace orn::testing
