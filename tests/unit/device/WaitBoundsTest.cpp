// The bound of each printing wait, to the millisecond: a register that shows no progress
// is given up the moment the bound has passed since its last change, not a poll later.
// With polls of 867 ms, each status exchange (133 ms at 4800 baud) makes a poll cost
// exactly one second, so the polls land on the bounds.

#include "device/ResultCodes.h"
#include "unit/device/LinkFixture.h"
#include "unit/device/RecordingRegister.h"

namespace orn::device {
namespace {

constexpr uint32_t kPollMs = 867;
constexpr uint64_t kStatusMs = 133;

class WaitBoundsTest : public testing::LinkFixture {
 protected:
  void SetUp() override {
    ports_.Attach(kPort, register_);
    Open();
    register_.mode = 11;  // a report
  }
  // How long a wait on the stuck register took.
  uint64_t Wait() {
    const uint64_t start = Elapsed();
    EXPECT_FALSE(device_.WaitForPrinting(kPollMs));
    EXPECT_EQ(device_.ResultCode(), OPOS_E_TIMEOUT);
    return Elapsed() - start;
  }
  testing::RecordingRegister register_;
};

TEST_F(WaitBoundsTest, PrintingThatStopsMovingIsGivenUpAtTheMinute) {
  register_.submode = 5;
  EXPECT_EQ(Wait(), kStatusMs + FiscalDevice::kMaxPrintingWaitMs);
}

TEST_F(WaitBoundsTest, ALongReportThatStopsMovingIsGivenUpAtHalfAnHour) {
  register_.submode = 4;
  EXPECT_EQ(Wait(), kStatusMs + FiscalDevice::kMaxLongReportWaitMs);
}

TEST_F(WaitBoundsTest, PaperTheRegisterDoesNotSeeIsAskedAboutAtThePollsPace) {
  register_.mode = 2;
  register_.submode = 1;  // passive paper out, while the sensors see paper
  EXPECT_FALSE(device_.WaitForPrinting(kPollMs));
  EXPECT_EQ(device_.ResultCodeExtended(), OPOS_EFPTR_REC_EMPTY);
  // Ten seconds at a poll a second: a dozen status requests at most, not a flood.
  EXPECT_LE(register_.Count(0x11), 12) << register_.Count(0x11);
  EXPECT_GE(Elapsed(), FiscalDevice::kPaperDisagreementMs);
}

TEST_F(WaitBoundsTest, PaperMissingAgainAfterPrintingGetsItsWholeTimeAgain) {
  // Five seconds the sensors and the register disagree about the paper, then fifteen of
  // printing, then the disagreement again: its ten seconds start anew.
  register_.mode = 2;
  register_.beforeStatus = [this](uint64_t nowMs) {
    register_.submode = nowMs < 5000 || nowMs >= 20000 ? 1 : 5;
    register_.flags = uint16_t(0x00D0 | (nowMs / 1000 % 2));  // printing moves on
  };
  EXPECT_FALSE(device_.WaitForPrinting(kPollMs));
  EXPECT_EQ(device_.ResultCodeExtended(), OPOS_EFPTR_REC_EMPTY);
  EXPECT_GE(Elapsed(), 20000u + FiscalDevice::kPaperDisagreementMs);
}

}  // namespace
}  // namespace orn::device
