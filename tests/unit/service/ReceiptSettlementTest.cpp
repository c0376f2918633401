// A receipt whose close went into the register while its answer, or the printing after it,
// was lost: the till calls EndFiscalReceipt again, perhaps after other calls or after a
// restart, and the register's receipt is closed exactly once and reported closed.

#include "unit/service/ReceiptFixture.h"

namespace orn::testing {
namespace {

using namespace service;
namespace money = simulator::money;
namespace ops = simulator::operations;

constexpr char kOutcomeUnknown[] =
    "ФР принял команду, но ответа на нее нет: выполнена ли она, неизвестно";

class ReceiptSettlementTest : public ReceiptFixture {
 protected:
  void SetUp() override {
    Attach();
    Start();
    SellBreadAndMilk();
    PayBreadAndMilk();
  }
  // `fault` runs inside the register the moment it closes the receipt.
  void WhenTheRegisterCloses(std::function<void()> fault) {
    sim_->SetOperationObserver([this, fault](const simulator::FiscalOperation& operation) {
      if (operation.kind == simulator::FiscalOperation::Kind::kClose) fault();
    });
  }
};

TEST_F(ReceiptSettlementTest, ALostCloseWhoseCheckFailsTooReportsTheLostAnswer) {
  // The close's answer never comes, and the register refuses the status request that would
  // have told its document number.
  WhenTheRegisterCloses([this] {
    sim_->Faults().forgottenAnswers.push_back(uint32_t(Commands()));
    sim_->Faults().deviceErrors.push_back({uint32_t(Commands() + 1), 0x50});
  });
  EXPECT_NE(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(Fptr().Device().ErrorString(), kOutcomeUnknown) << Log();
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT_ENDING);
  // The register is back: the repeated call finds the receipt closed and does not close
  // another.
  sim_->SetOperationObserver(nullptr);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0) << Fptr().Device().ErrorString();
  ExpectBreadAndMilkClosedOnce();
}

TEST_F(ReceiptSettlementTest, ACloseWhosePrintingStoppedIsFinishedAfterOtherCalls) {
  // The close is registered, then the paper runs out before the receipt's last lines.
  WhenTheRegisterCloses(
      [this] { sim_->Faults().paperOutAfterLine.push_back({sim_->Counters().linesPrinted + 1}); });
  EXPECT_NE(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT_ENDING);
  EXPECT_EQ(Operations(ops::ClosedReceipts(0)), 1);
  // The cashier looks at the error and the register's data before loading paper.
  int32_t optArgs = 0;
  std::u16string data;
  EXPECT_EQ(Fptr().GetData(FPTR_GD_RECEIPT_NUMBER, optArgs, data), 0);
  sim_->SetOperationObserver(nullptr);
  sim_->PutPaper(simulator::Station::kReceipt);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0) << Fptr().Device().ErrorString();
  ExpectBreadAndMilkClosedOnce();
}

}  // namespace
}  // namespace orn::testing
