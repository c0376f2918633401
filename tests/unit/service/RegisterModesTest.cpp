// What the properties say right after the claim, for each mode the register may be found
// in: whether the day is open, and which document the application must go on with.

#include "service/OposConstants.h"
#include "unit/service/ServiceFixture.h"

namespace orn::testing {
namespace {

constexpr int32_t kPidxDayOpened = 16006;
constexpr int32_t kPidxPrinterState = 16020;

struct ModeAtClaim {
  uint8_t model;
  uint8_t mode;
  int32_t dayOpened;
  int32_t printerState;
};

class RegisterModesTest : public ServiceFixture,
                          public ::testing::WithParamInterface<ModeAtClaim> {};

TEST_P(RegisterModesTest, TheDayAndTheDocumentFollowTheMode) {
  simulator::RegisterSimulator& sim = Attach(GetParam().model);
  sim.State().mode = GetParam().mode;
  OpenAndClaim();
  EXPECT_EQ(Number(kPidxDayOpened), GetParam().dayOpened);
  EXPECT_EQ(Number(kPidxPrinterState), GetParam().printerState);
}

using simulator::kModeReceiptOpen;
using simulator::kModeShiftClosed;
using simulator::kModeShiftOpen;
using simulator::kModeShiftOpenOver24Hours;
using simulator::kModeSlipDocument;
constexpr int32_t kMonitor = service::FPTR_PS_MONITOR;
constexpr int32_t kReceipt = service::FPTR_PS_FISCAL_RECEIPT;

INSTANTIATE_TEST_SUITE_P(Modes, RegisterModesTest,
                         ::testing::Values(ModeAtClaim{0, kModeShiftOpen, 1, kMonitor},
                                           ModeAtClaim{0, kModeShiftOpenOver24Hours, 1, kMonitor},
                                           ModeAtClaim{0, kModeShiftClosed, 0, kMonitor},
                                           ModeAtClaim{0, kModeReceiptOpen, 1, kReceipt},
                                           ModeAtClaim{5, kModeSlipDocument, 1, kReceipt},
                                           ModeAtClaim{0, simulator::kModeDataOutput, 0, kMonitor}),
                         [](const auto& info) { return "Mode" + std::to_string(info.param.mode); });

}  // namespace
}  // namespace orn::testing
