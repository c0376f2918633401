// The soak as a whole: on a clean line the ledger and the register agree over every shape
// of document, a seed repeats its run exactly, and a duplicate the driver lets through is
// seen.

#include "soak/SoakRun.h"

#include <gtest/gtest.h>

#include <sstream>

namespace orn::soak {
namespace {

constexpr FaultRates kNoFaults{0, 0, 0, 0, 0, 0, 0, 0, 0};

TEST(SoakRunTest, OnACleanLineEveryDocumentAddsUp) {
  SoakOptions options;
  options.count = 1000;
  options.rates = kNoFaults;
  std::ostringstream report;
  const SoakResult result = RunSoak(options, report);
  EXPECT_TRUE(result.started);
  EXPECT_EQ(result.receipts, 1000);
  EXPECT_EQ(result.discrepancies, 0) << report.str();
  EXPECT_EQ(result.duplicates, 0) << report.str();
  EXPECT_EQ(result.hangs, 0u);
}

TEST(SoakRunTest, TheSameSeedGivesTheSameRun) {
  SoakOptions options;
  options.seed = 7;
  options.count = 150;
  std::ostringstream first;
  std::ostringstream second;
  RunSoak(options, first);
  RunSoak(options, second);
  EXPECT_EQ(first.str(), second.str());
  options.seed = 8;
  std::ostringstream other;
  RunSoak(options, other);
  EXPECT_NE(first.str(), other.str());
}

TEST(SoakRunTest, AnswersNotKeptAndSentAgainBlindlyShowAsDuplicates) {
  SoakOptions options;
  options.count = 200;
  options.exactlyOnce = false;
  options.rates = kNoFaults;
  options.rates.forgottenAnswer = 500;
  std::ostringstream report;
  const SoakResult result = RunSoak(options, report);
  EXPECT_GT(result.duplicates, 0) << report.str();
  EXPECT_NE(report.str().find("answer lost and not kept"), std::string::npos);
}

}  // namespace
}  // namespace orn::soak
