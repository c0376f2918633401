// The register's record read as documents: what counts as registered twice and what does
// not. Operations carry the document and the call that were running when the register
// executed them; their texts say nothing, since the line may have changed them.

#include "soak/RegisterJournal.h"

#include <gtest/gtest.h>

namespace orn::soak {
namespace {

using simulator::FiscalOperation;
using Kind = FiscalOperation::Kind;

struct Executed {
  FiscalOperation operation;
  Origin origin;
};

Executed Op(Kind kind, uint8_t code, int document, uint64_t call, int64_t amount = 0,
            uint8_t taxGroup = 1, const std::string& text = "") {
  FiscalOperation operation;
  operation.kind = kind;
  operation.code = code;
  operation.text = text;
  operation.amount = amount;
  operation.taxGroup = taxGroup;
  return {operation, {document, call}};
}

Executed Close(int document, uint64_t call) {
  return Op(Kind::kClose, 0x85, document, call);
}

void Feed(RegisterJournal& journal, const std::vector<Executed>& operations) {
  for (const Executed& executed : operations)
    journal.OnOperation(executed.operation, executed.origin);
}

TEST(RegisterJournalTest, AnItemOneCallExecutedTwiceInAClosedReceiptIsADuplicate) {
  RegisterJournal journal;
  Feed(journal, {Op(Kind::kItem, 0x80, 1, 10, 500), Op(Kind::kItem, 0x80, 1, 11, 700),
                 Op(Kind::kItem, 0x80, 1, 11, 700), Close(1, 12)});
  ASSERT_EQ(journal.Duplicates().size(), 1u);
  EXPECT_EQ(journal.Duplicates()[0].document, 1);
  EXPECT_EQ(journal.Duplicates()[0].code, 0x80);
  EXPECT_NE(journal.Duplicates()[0].what.find("700, then 700"), std::string::npos);
  EXPECT_TRUE(journal.Closed(1));
}

TEST(RegisterJournalTest, TwoEqualItemsOfTwoCallsAnItemAndItsVoidAndTheTaxPartsAreNoDuplicates) {
  RegisterJournal journal;
  // Two loaves at one price, one of them voided; a discount on the subtotal in two parts.
  Feed(journal, {Op(Kind::kItem, 0x80, 1, 10, 500), Op(Kind::kItem, 0x80, 1, 11, 500),
                 Op(Kind::kStorno, 0x84, 1, 12, 500), Op(Kind::kAdjustment, 0x86, 1, 13, 10, 1),
                 Op(Kind::kAdjustment, 0x86, 1, 13, 20, 2), Close(1, 14)});
  EXPECT_EQ(journal.Duplicates().size(), 0u);
  EXPECT_EQ(journal.ClosedReceipts(), 1);
  // The same part of an adjustment twice is one.
  Feed(journal, {Op(Kind::kItem, 0x80, 2, 20, 500), Op(Kind::kAdjustment, 0x86, 2, 21, 10, 1),
                 Op(Kind::kAdjustment, 0x86, 2, 21, 10, 1), Close(2, 22)});
  EXPECT_EQ(journal.Duplicates().size(), 1u);
}

TEST(RegisterJournalTest, WhatAResetOrAnAnnulmentTookAwayMayBeRegisteredAgain) {
  RegisterJournal journal;
  Feed(journal, {Op(Kind::kItem, 0x80, 1, 10, 500), Op(Kind::kReset, 0, 1, 10),
                 Op(Kind::kItem, 0x80, 1, 10, 500), Op(Kind::kAnnul, 0x88, 1, 11),
                 Op(Kind::kItem, 0x80, 1, 10, 500), Close(1, 12)});
  EXPECT_EQ(journal.Duplicates().size(), 0u);
  EXPECT_FALSE(journal.ReceiptOpen());
}

TEST(RegisterJournalTest, AReceiptClosedTwiceAndACashDocumentTwiceAreDuplicates) {
  RegisterJournal journal;
  Feed(journal, {Op(Kind::kItem, 0x80, 1, 10, 500), Close(1, 11), Op(Kind::kItem, 0x80, 1, 11, 500),
                 Close(1, 11)});
  ASSERT_EQ(journal.Duplicates().size(), 1u);
  EXPECT_EQ(journal.Duplicates()[0].code, 0x85);
  Feed(journal, {Op(Kind::kCashIn, 0x50, 2, 20, 500002), Op(Kind::kCashOut, 0x51, 3, 30, 100003),
                 Op(Kind::kCashIn, 0x50, 4, 40, 500004)});
  EXPECT_EQ(journal.Duplicates().size(), 1u);
  Feed(journal, {Op(Kind::kCashIn, 0x50, 2, 20, 500002)});
  ASSERT_EQ(journal.Duplicates().size(), 2u);
  EXPECT_EQ(journal.Duplicates()[1].document, 2);
}

TEST(RegisterJournalTest, AnItemTextTheLineCutShortNamesNoOtherReceipt) {
  // Document 20's first item arrived as "R2" (its length byte changed, the shorter frame
  // checked): read by its text, receipt 2 would have been closed again.
  RegisterJournal journal;
  Feed(journal, {Op(Kind::kItem, 0x80, 2, 10, 500, 1, "R2 I1"), Close(2, 11)});
  Feed(journal, {Op(Kind::kItem, 0x82, 20, 20, 700, 1, "R2"),
                 Op(Kind::kItem, 0x82, 20, 21, 800, 1, "R20 I2"), Close(20, 22)});
  EXPECT_EQ(journal.Duplicates().size(), 0u);
  EXPECT_TRUE(journal.Closed(2));
  EXPECT_TRUE(journal.Closed(20));
}

}  // namespace
}  // namespace orn::soak
