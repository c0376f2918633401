// How a document ends on the tape: the trailer, blank lines, the header of the next
// document, and the cut where the model's knife sits; and text printed where it was asked.

#include <string>
#include <vector>

#include "DocumentFixture.h"

namespace orn::testing {
namespace {

using namespace service;

class DocumentEndTest : public DocumentFixture {
 protected:
  // A register of `model` whose printed receipt lines are recorded with the number of
  // cuts made before each.
  void StartWith(uint8_t model, uint8_t protocolSubversion = 0) {
    simulator::RegisterSimulator& sim = Attach(model);
    sim.Model() = simulator::ModelPreset(model, protocolSubversion);
    Start();
    sim.SetPrintObserver([this](simulator::Station station, const std::string& line) {
      if (station == simulator::Station::kReceipt) lines_.push_back({line, sim_->Cuts()});
    });
  }
  // The lines of the document's end: from the first blank line on.
  std::vector<std::pair<std::string, uint32_t>> EndLines() const {
    for (size_t i = 0; i < lines_.size(); ++i)
      if (lines_[i].first == " ") return {lines_.begin() + long(i), lines_.end()};
    return {};
  }
  void PrintADocument() {
    ASSERT_EQ(Fptr().BeginNonFiscal(), 0);
    ASSERT_EQ(Fptr().PrintNormal(FPTR_S_RECEIPT, u"Служебный текст"), 0);
    lines_.clear();
    ASSERT_EQ(Fptr().EndNonFiscal(), 0);
  }
  std::vector<std::pair<std::string, uint32_t>> lines_;
};

TEST_F(DocumentEndTest, TextForTheTapeAloneStaysOffTheJournal) {
  StartWith(0);
  ASSERT_EQ(Fptr().BeginNonFiscal(), 0);
  ASSERT_EQ(Fptr().PrintNormal(FPTR_S_RECEIPT, u"Только чек"), 0);
  EXPECT_EQ(Requests("17 1E 00 00 00 02"), 1);
  EXPECT_TRUE(TapeHas("Только чек"));
  const auto& journal = sim_->Printed(simulator::Station::kJournal);
  EXPECT_EQ(std::find(journal.begin(), journal.end(), "Только чек"), journal.end());
}

TEST_F(DocumentEndTest, OnAModelThatCutsEarlyTheKnifeComesAfterTheThirdHeaderLine) {
  StartWith(0, 4);  // category 1, four header lines
  const uint32_t cuts = sim_->Cuts();
  PrintADocument();
  const auto end = EndLines();
  ASSERT_EQ(end.size(), 6u);
  EXPECT_EQ(end[1].first, " ");
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(end[i].second, cuts) << i;
  EXPECT_EQ(end[5].second, cuts + 1);
  EXPECT_EQ(sim_->Cuts(), cuts + 1);
}

TEST_F(DocumentEndTest, OnOtherModelsTheWholeHeaderPrintsBeforeTheCut) {
  StartWith(2);  // category 2, five header lines
  const uint32_t cuts = sim_->Cuts();
  PrintADocument();
  const auto end = EndLines();
  ASSERT_EQ(end.size(), 6u);
  EXPECT_NE(end[1].first, " ");
  for (const auto& line : end) EXPECT_EQ(line.second, cuts) << line.first;
  EXPECT_EQ(sim_->Cuts(), cuts + 1);
}

}  // namespace
}  // namespace orn::testing
