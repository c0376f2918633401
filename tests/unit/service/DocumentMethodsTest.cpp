// Non-fiscal documents, the fiscal document on the slip, the slip waits and the methods the
// register does not have.

#include "DocumentFixture.h"

namespace orn::testing {
namespace {

using namespace service;
using device::OPOS_E_EXTENDED;
using device::OPOS_E_ILLEGAL;
using device::OPOS_E_TIMEOUT;

constexpr uint8_t kSlipModel = 5;

class DocumentMethodsTest : public DocumentFixture {
 protected:
  void StartWith(uint8_t model) {
    Attach(model);
    Start();
  }
  const std::vector<std::string>& Slip() const { return sim_->Printed(simulator::Station::kSlip); }
  const std::vector<std::string>& Journal() const {
    return sim_->Printed(simulator::Station::kJournal);
  }
  // The cashier puts the slip in (or takes it out) `afterMs` from now.
  void MoveSlipIn(uint64_t afterMs, bool inserted = true) {
    sim_->Faults().slipMoves.push_back({memory_.clock.Elapsed() + afterMs, inserted});
  }
};

TEST_F(DocumentMethodsTest, ANonFiscalDocumentOnTapeAndJournalEndsWithTrailerAndHeader) {
  StartWith(0);
  ASSERT_EQ(Fptr().BeginNonFiscal(), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_NONFISCAL);
  const uint32_t cuts = sim_->Cuts();
  // Both stations in one command (17h on this model): station byte 3.
  ASSERT_EQ(Fptr().PrintNormal(FPTR_S_JOURNAL | FPTR_S_RECEIPT, u"Служебный текст"), 0);
  EXPECT_EQ(Requests("17 1E 00 00 00 03"), 1);
  ASSERT_EQ(Fptr().PrintNormal(FPTR_S_JOURNAL, u"Только журнал"), 0);
  EXPECT_EQ(Requests("17 1E 00 00 00 01"), 1);
  EXPECT_TRUE(TapeHas("Служебный текст"));
  EXPECT_FALSE(TapeHas("Только журнал"));
  EXPECT_NE(std::find(Journal().begin(), Journal().end(), "Только журнал"), Journal().end());
  // A slip station the register does not have.
  EXPECT_EQ(Fptr().PrintNormal(FPTR_S_SLIP, u"x"), OPOS_E_ILLEGAL);
  ASSERT_EQ(Fptr().EndNonFiscal(), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_MONITOR);
  EXPECT_TRUE(TapeContains("СПАСИБО ЗА ПОКУПКУ"));
  EXPECT_TRUE(TapeContains("ДОБРО ПОЖАЛОВАТЬ"));
  EXPECT_EQ(sim_->Cuts(), cuts + 1);
}

TEST_F(DocumentMethodsTest, AnEmptyNonFiscalDocumentPrintsNothing) {
  StartWith(0);
  const size_t lines = Tape().size();
  const uint32_t cuts = sim_->Cuts();
  ASSERT_EQ(Fptr().BeginNonFiscal(), 0);
  ASSERT_EQ(Fptr().EndNonFiscal(), 0);
  EXPECT_EQ(Tape().size(), lines);
  EXPECT_EQ(sim_->Cuts(), cuts);
  EXPECT_EQ(Requests("7D 1E"), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_MONITOR);
  EXPECT_EQ(Fptr().EndNonFiscal(), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 207);
}

TEST_F(DocumentMethodsTest, PrintNormalGoesOnlyIntoCashReceipts) {
  StartWith(0);
  SellBreadAndMilk();
  EXPECT_EQ(Fptr().PrintNormal(FPTR_S_RECEIPT, u"x"), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 207);
  ASSERT_EQ(Fptr().PrintRecVoid(u"Отмена"), 0);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);

  ASSERT_EQ(Fptr().SetPropertyNumber(kPidxFiscalReceiptType, FPTR_RT_CASH_IN), 0);
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Fptr().PrintNormal(FPTR_S_RECEIPT, u"Внесение на размен"), 0);
  EXPECT_TRUE(TapeHas("Внесение на размен"));
  EXPECT_EQ(Fptr().BeginNonFiscal(), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 207);
}

TEST_F(DocumentMethodsTest, ANonFiscalDocumentOnTheSlipPrintsItsBuffer) {
  StartWith(kSlipModel);
  sim_->InsertSlip();
  ASSERT_EQ(Fptr().BeginNonFiscal(), 0);
  ASSERT_EQ(Fptr().PrintNormal(FPTR_S_SLIP, u"Первая"), 0);
  ASSERT_EQ(Fptr().PrintNormal(FPTR_S_SLIP, u"Вторая"), 0);
  EXPECT_EQ(Fptr().Receipt().SlipLine(), 3);
  ASSERT_EQ(Fptr().EndNonFiscal(), 0);
  ASSERT_EQ(Slip().size(), 2u);
  EXPECT_EQ(Slip()[0], "Первая");
  EXPECT_EQ(Slip()[1], "Вторая");
}

TEST_F(DocumentMethodsTest, AFiscalDocumentOnTheSlip) {
  StartWith(kSlipModel);
  ASSERT_EQ(Fptr().BeginFiscalDocument(0), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_DOCUMENT);
  // Below the eleven header lines and the title.
  EXPECT_EQ(Fptr().Receipt().SlipLine(), 14);
  ASSERT_EQ(Fptr().PrintFiscalDocumentLine(u"Доверенность № 7"), 0);
  ASSERT_EQ(Fptr().PrintFiscalDocumentLine(u"Сумма 100.00"), 0);
  EXPECT_EQ(Requests("7A 1E 00 00 00 0F"), 1);
  // No slip in the station: the register refuses, the document stays open.
  EXPECT_EQ(Fptr().EndFiscalDocument(), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 204);
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_DOCUMENT);
  sim_->InsertSlip();
  ASSERT_EQ(Fptr().EndFiscalDocument(), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_MONITOR);
  ASSERT_EQ(Slip().size(), 2u);
  EXPECT_EQ(Slip()[1], "Сумма 100.00");
}

TEST_F(DocumentMethodsTest, FiscalDocumentsNeedTheCapabilityBeforeTheState) {
  StartWith(0);
  EXPECT_EQ(Fptr().BeginFiscalDocument(0), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().PrintFiscalDocumentLine(u"x"), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().EndFiscalDocument(), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().BeginInsertion(0), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().EndRemoval(), OPOS_E_ILLEGAL);
}

TEST_F(DocumentMethodsTest, FiscalDocumentsNeedTheMonitorState) {
  StartWith(kSlipModel);
  SellBreadAndMilk();
  EXPECT_EQ(Fptr().BeginFiscalDocument(0), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 207);
  EXPECT_EQ(Fptr().PrintFiscalDocumentLine(u"x"), OPOS_E_EXTENDED);
}

TEST_F(DocumentMethodsTest, InsertionAndRemovalLookedAtOnce) {
  StartWith(kSlipModel);
  int before = Commands();
  EXPECT_EQ(Fptr().BeginInsertion(0), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 204);
  EXPECT_EQ(ErrorString(), "Нет слипа");
  EXPECT_EQ(Fptr().EndInsertion(), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 204);
  ASSERT_EQ(Fptr().BeginRemoval(0), 0);
  ASSERT_EQ(Fptr().EndRemoval(), 0);
  EXPECT_EQ(Commands() - before, 4);

  sim_->InsertSlip();
  before = Commands();
  ASSERT_EQ(Fptr().BeginInsertion(0), 0);
  EXPECT_EQ(Commands() - before, 1);
  ASSERT_EQ(Fptr().EndInsertion(), 0);
  EXPECT_EQ(Fptr().BeginRemoval(0), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 205);
  EXPECT_EQ(ErrorString(), "");
  EXPECT_EQ(Fptr().EndRemoval(), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 205);
  // A slip half out (the top sensor only) is still there.
  sim_->State().flags &= uint16_t(~simulator::flag::kSlipBottomSensor);
  EXPECT_EQ(Fptr().EndRemoval(), OPOS_E_EXTENDED);
}

TEST_F(DocumentMethodsTest, InsertionWaitsForTheSlipWithinItsTimeout) {
  StartWith(kSlipModel);
  MoveSlipIn(2000);
  uint32_t start = memory_.clock.TickCount();
  ASSERT_EQ(Fptr().BeginInsertion(5000), 0);
  EXPECT_GE(Elapsed(start), 2000u);
  EXPECT_LT(Elapsed(start), 2500u);

  sim_->RemoveSlip();
  start = memory_.clock.TickCount();
  EXPECT_EQ(Fptr().BeginInsertion(1000), OPOS_E_TIMEOUT);
  EXPECT_EQ(Extended(), 0);
  EXPECT_EQ(ErrorString(), "");
  // Met within one poll.
  EXPECT_GE(Elapsed(start), 1000u);
  EXPECT_LT(Elapsed(start), 1500u);
}

TEST_F(DocumentMethodsTest, WaitingForeverEndsWhenTheSlipMovesOrTheRegisterFallsSilent) {
  StartWith(kSlipModel);
  MoveSlipIn(10 * 60 * 1000);
  ASSERT_EQ(Fptr().BeginInsertion(OPOS_FOREVER), 0);
  // Removal waits for both sensors to clear.
  MoveSlipIn(3000, false);
  const uint32_t start = memory_.clock.TickCount();
  ASSERT_EQ(Fptr().BeginRemoval(OPOS_FOREVER), 0);
  EXPECT_GE(Elapsed(start), 3000u);
  // The one way out of a wait that has no limit: the register stops answering.
  sim_->Faults().silent = true;
  EXPECT_EQ(Fptr().BeginInsertion(OPOS_FOREVER), OPOS_E_TIMEOUT);
}

TEST_F(DocumentMethodsTest, ANegativeTimeoutOtherThanForeverIsRefused) {
  StartWith(kSlipModel);
  const int before = Commands();
  EXPECT_EQ(Fptr().BeginInsertion(-2), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().BeginRemoval(-1000), OPOS_E_ILLEGAL);
  EXPECT_EQ(Commands(), before);
}

TEST_F(DocumentMethodsTest, MethodsTheRegisterDoesNotHaveInEveryState) {
  StartWith(0);
  SellBreadAndMilk();
  EXPECT_EQ(Fptr().BeginTraining(), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().EndTraining(), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().BeginFixedOutput(2, 0), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().PrintFixedOutput(0, 1, u"x"), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().EndFixedOutput(), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().BeginItemList(1), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().EndItemList(), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().VerifyItem(u"x", 1), OPOS_E_ILLEGAL);
  EXPECT_EQ(Extended(), 0);
  EXPECT_EQ(ErrorString(), "");
  EXPECT_EQ(PrinterState(), FPTR_PS_FISCAL_RECEIPT);
  EXPECT_EQ(Fptr().ClearError(), 0);
}

}  // namespace
}  // namespace orn::testing
