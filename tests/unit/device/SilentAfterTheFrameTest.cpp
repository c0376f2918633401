// A sale frame that went out once, unacknowledged, before the register fell silent: the
// register may hold it, so the driver keeps it on record instead of forgetting it and
// sending it blindly again.

#include <gtest/gtest.h>

#include "device/ResultCodes.h"
#include "device/UnsettledCommand.h"
#include "simulator/FiscalOperation.h"
#include "unit/device/LinkFixture.h"

namespace orn::device {
namespace {

class SilentAfterTheFrameTest : public testing::LinkFixture, public UnsettledStore {
 protected:
  void SetUp() override {
    Attach();
    Open();
    device_.SetUnsettledStore(this);
  }
  void SaveUnsettled(const std::string& record) override { record_ = record; }
  std::string LoadUnsettled() override { return record_; }
  std::string record_;
};

TEST_F(SilentAfterTheFrameTest, ASaleSentOnceIsKeptAsPerhapsTaken) {
  simulator::RegisterSimulator& sim = *simulators_[0];
  ASSERT_TRUE(device_.GetStatus());
  // The register runs the sale, and its acknowledgement and answer are lost on the line
  // (the bytes after the NAK that invites the frame); then it falls silent.
  const uint32_t sent = sim.Counters().bytesSent;
  for (uint32_t byte = sent + 2; byte < sent + 100; ++byte) sim.Faults().dropSent.push_back(byte);
  sim.SetOperationObserver([&sim](const simulator::FiscalOperation& operation) {
    if (operation.kind == simulator::FiscalOperation::Kind::kItem) sim.Faults().silent = true;
  });
  device_.Quantity = 1000;
  device_.Price = 4550;
  device_.PendingText = "Хлеб";
  EXPECT_FALSE(device_.Sale(1));
  EXPECT_EQ(device_.ResultCode(), OPOS_E_TIMEOUT);
  EXPECT_EQ(device_.Unsettled().state, UnsettledCommand::State::kMaybeSent);
  EXPECT_FALSE(record_.empty());
}

}  // namespace
}  // namespace orn::device
