// The register's record read as documents: what counts as registered twice and what does not.

#include "soak/RegisterJournal.h"

#include <gtest/gtest.h>

namespace orn::soak {
namespace {

using simulator::FiscalOperation;
using Kind = FiscalOperation::Kind;

FiscalOperation Op(Kind kind, uint8_t code, const std::string& text = "", int64_t amount = 0,
                   uint8_t taxGroup = 1) {
  FiscalOperation operation;
  operation.kind = kind;
  operation.code = code;
  operation.text = text;
  operation.amount = amount;
  operation.taxGroup = taxGroup;
  return operation;
}

void Feed(RegisterJournal& journal, const std::vector<FiscalOperation>& operations) {
  for (const FiscalOperation& operation : operations) journal.OnOperation(operation);
}

TEST(RegisterJournalTest, AnItemExecutedTwiceInAClosedReceiptIsADuplicate) {
  RegisterJournal journal;
  Feed(journal, {Op(Kind::kItem, 0x80, "R1 I1"), Op(Kind::kItem, 0x80, "R1 I2"),
                 Op(Kind::kItem, 0x80, "R1 I2"), Op(Kind::kClose, 0x85)});
  EXPECT_EQ(journal.Duplicates(), 1);
  EXPECT_NE(journal.DuplicateLines()[0].find("R1 I2"), std::string::npos);
}

TEST(RegisterJournalTest, AnItemAndItsVoidAndTheTaxPartsOfOneAdjustmentAreNoDuplicates) {
  RegisterJournal journal;
  Feed(journal, {Op(Kind::kItem, 0x80, "R1 I1"), Op(Kind::kItem, 0x80, "R1 I2", 0, 2),
                 Op(Kind::kStorno, 0x84, "R1 I1"), Op(Kind::kAdjustment, 0x86, "", 10, 1),
                 Op(Kind::kAdjustment, 0x86, "", 20, 2), Op(Kind::kClose, 0x85)});
  EXPECT_EQ(journal.Duplicates(), 0);
  EXPECT_EQ(journal.ClosedReceipts(), 1);
  // The same part of an adjustment twice is one.
  Feed(journal, {Op(Kind::kItem, 0x80, "R2 I1"), Op(Kind::kAdjustment, 0x86, "", 10, 1),
                 Op(Kind::kAdjustment, 0x86, "", 10, 1), Op(Kind::kClose, 0x85)});
  EXPECT_EQ(journal.Duplicates(), 1);
}

TEST(RegisterJournalTest, WhatAResetOrAnAnnulmentTookAwayMayBeRegisteredAgain) {
  RegisterJournal journal;
  Feed(journal,
       {Op(Kind::kItem, 0x80, "R1 I1"), Op(Kind::kReset, 0), Op(Kind::kItem, 0x80, "R1 I1"),
        Op(Kind::kAnnul, 0x88), Op(Kind::kItem, 0x80, "R1 I1"), Op(Kind::kClose, 0x85)});
  EXPECT_EQ(journal.Duplicates(), 0);
  EXPECT_FALSE(journal.ReceiptOpen());
}

TEST(RegisterJournalTest, AReceiptClosedTwiceAndACashDocumentTwiceAreDuplicates) {
  RegisterJournal journal;
  Feed(journal, {Op(Kind::kItem, 0x80, "R1 I1"), Op(Kind::kClose, 0x85),
                 Op(Kind::kItem, 0x80, "R1 I1"), Op(Kind::kClose, 0x85)});
  EXPECT_EQ(journal.Duplicates(), 1);
  Feed(journal, {Op(Kind::kCashIn, 0x50, "", 500002), Op(Kind::kCashOut, 0x51, "", 500002),
                 Op(Kind::kCashIn, 0x50, "", 500003)});
  EXPECT_EQ(journal.Duplicates(), 1);
  journal.OnOperation(Op(Kind::kCashIn, 0x50, "", 500002));
  EXPECT_EQ(journal.Duplicates(), 2);
}

}  // namespace
}  // namespace orn::soak
