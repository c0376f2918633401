// What the watch makes of frames the line changed: a change the check byte refuses costs a
// retry and is not counted; two changes whose masks cancel pass the check and are counted,
// whichever end took the frame.

#include "soak/LineWatch.h"

#include <gtest/gtest.h>

#include "config/DriverLog.h"
#include "device/FiscalDevice.h"
#include "platform/memory/MemoryPlatform.h"
#include "platform/memory/MemoryPortProvider.h"

namespace orn::soak {
namespace {

constexpr int kPort = 1;
constexpr uint32_t kBaud = 4800;
// Where a sale's text starts in its frame: STX, length, code, password (4), quantity (5),
// price (5), department, tax bytes (4).
constexpr size_t kSaleText = 22;

class LineWatchTest : public ::testing::Test {
 protected:
  LineWatchTest()
      : ports_(memory_.clock),
        watch_(sim_, ports_),
        log_(memory_.files, memory_.clock),
        device_(watch_.DriverPorts(), memory_.clock, log_) {
    ports_.Attach(kPort, watch_);
    device_.SetConnection(kPort, kBaud);
    device_.SetPassword(30);
  }
  void SetUp() override { ASSERT_TRUE(device_.Port().Open(kPort, kBaud)); }

  bool SellBread() {
    device_.ResetError();
    return device_.Sale({1000, 4550, "Bread"}, 1);
  }
  // The line changes these bytes of the next frame the driver writes, each XORed with `mask`.
  void ChangeNextFrame(std::vector<size_t> positions, uint8_t mask) {
    sim_.Faults().corruptMask = mask;
    watch_.SetScript([positions](uint8_t, std::optional<size_t> position,
                                 simulator::RegisterSimulator& sim) mutable {
      if (!position || std::erase(positions, *position) == 0) return;
      sim.Faults().corruptReceived.push_back(sim.Counters().bytesReceived + 1);
    });
  }

  platform::MemoryPlatform memory_;
  platform::MemoryPortProvider ports_;
  simulator::RegisterSimulator sim_;
  LineWatch watch_;
  config::DriverLog log_;
  device::FiscalDevice device_;
  std::vector<std::string> texts_;  // of the items the register registered
};

TEST_F(LineWatchTest, ACleanLineTakesEveryFrameAsSent) {
  ASSERT_TRUE(device_.GetStatus());
  ASSERT_TRUE(SellBread());
  EXPECT_EQ(watch_.Unrefused(), 0u);
}

TEST_F(LineWatchTest, OneChangedByteIsRefusedAndTheFrameSentAgainIsNotCounted) {
  ChangeNextFrame({kSaleText + 1}, 0x20);
  ASSERT_TRUE(SellBread());
  EXPECT_EQ(sim_.Counters().badFramesReceived, 1u);
  EXPECT_EQ(sim_.Counters().framesReceived, 1u);
  EXPECT_EQ(watch_.Unrefused(), 0u);
}

TEST_F(LineWatchTest, TwoChangesWhoseMasksCancelReachTheRegisterAndAreCounted) {
  sim_.SetOperationObserver(
      [this](const simulator::FiscalOperation& operation) { texts_.push_back(operation.text); });
  // "Bread" arrives as "brEad": the check byte cannot tell.
  ChangeNextFrame({kSaleText, kSaleText + 2}, 0x20);
  ASSERT_TRUE(SellBread());
  EXPECT_EQ(texts_, std::vector<std::string>{"brEad"});
  EXPECT_EQ(sim_.Counters().badFramesReceived, 0u);
  EXPECT_EQ(watch_.TakenByRegister(), 1u);
  EXPECT_EQ(watch_.TakenByDriver(), 0u);
  // The next sale arrives as written.
  watch_.SetScript(nullptr);
  ASSERT_TRUE(SellBread());
  EXPECT_EQ(watch_.Unrefused(), 1u);
}

TEST_F(LineWatchTest, AnAnswerChangedUnseenIsCountedWhenTheDriverTakesIt) {
  // The register's bytes of the status request: NAK to the ENQ, ACK to the frame, then the
  // answer: STX, length, code, error, operator, firmware version...
  const uint32_t before = sim_.Counters().bytesSent;
  sim_.Faults().corruptSent = {before + 7, before + 8};
  sim_.Faults().corruptMask = 0x01;
  ASSERT_TRUE(device_.GetStatus());
  EXPECT_EQ(sim_.Counters().naksReceived, 0u);
  EXPECT_EQ(watch_.TakenByDriver(), 1u);
  EXPECT_EQ(watch_.TakenByRegister(), 0u);
}

TEST_F(LineWatchTest, AnAnswerTheDriverRefusesAndTakesAgainIsNotCounted) {
  const uint32_t before = sim_.Counters().bytesSent;
  sim_.Faults().corruptSent = {before + 7};
  ASSERT_TRUE(device_.GetStatus());
  EXPECT_EQ(sim_.Counters().naksReceived, 1u);
  EXPECT_EQ(watch_.Unrefused(), 0u);
}

}  // namespace
}  // namespace orn::soak
