// Frames and answers the line spoils: a sale frame whose acknowledgement was lost may be
// held by the register, so the driver keeps it on record and never sends it blindly again;
// an answer that keeps arriving broken is asked for a bounded number of times.

#include <gtest/gtest.h>

#include "device/ResultCodes.h"
#include "device/UnsettledCommand.h"
#include "simulator/FiscalOperation.h"
#include "unit/device/LinkFixture.h"

namespace orn::device {
namespace {

class LostAcknowledgementTest : public testing::LinkFixture, public UnsettledStore {
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

TEST_F(LostAcknowledgementTest, ASaleSentOnceBeforeTheRegisterFellSilentIsKept) {
  simulator::RegisterSimulator& sim = *simulators_[0];
  ASSERT_TRUE(device_.GetStatus());
  // The register runs the sale, and its acknowledgement and answer are lost on the line
  // (the bytes after the NAK that invites the frame); then it falls silent.
  const uint32_t sent = sim.Counters().bytesSent;
  for (uint32_t byte = sent + 2; byte < sent + 100; ++byte) sim.Faults().dropSent.push_back(byte);
  sim.SetOperationObserver([&sim](const simulator::FiscalOperation& operation) {
    if (operation.kind == simulator::FiscalOperation::Kind::kItem) sim.Faults().silent = true;
  });
  EXPECT_FALSE(device_.Sale({1000, 4550, "Хлеб"}, 1));
  EXPECT_EQ(device_.ResultCode(), OPOS_E_TIMEOUT);
  EXPECT_EQ(device_.Unsettled().state, UnsettledCommand::State::kMaybeSent);
  EXPECT_FALSE(record_.empty());
}

TEST_F(LostAcknowledgementTest, ASaleWhoseAckWasLostAndWhoseAnswerCameBrokenIsNotSentAgain) {
  simulator::RegisterSimulator& sim = *simulators_[0];
  ASSERT_TRUE(device_.GetStatus());
  // The ACK of the frame is lost, the answer behind it arrives with a bad check byte, and
  // the register forgets an answer the driver refused.
  sim.Faults().dropSent.push_back(sim.Counters().bytesSent + 2);
  sim.Faults().badCheckAnswers = 1;
  sim.Faults().forgetRefusedAnswers = true;
  int sales = 0;
  sim.SetOperationObserver([&sales](const simulator::FiscalOperation& operation) {
    if (operation.kind == simulator::FiscalOperation::Kind::kItem) ++sales;
  });
  EXPECT_FALSE(device_.Sale({1000, 4550, "Хлеб"}, 1));
  EXPECT_EQ(sales, 1);
  EXPECT_EQ(device_.ResultCode(), OPOS_E_FAILURE);
  EXPECT_EQ(device_.Unsettled().state, UnsettledCommand::State::kUnknown);
}

TEST_F(LostAcknowledgementTest, AnAnswerThatKeepsArrivingBrokenIsAskedForThirtyTimes) {
  simulator::RegisterSimulator& sim = *simulators_[0];
  sim.Faults().badCheckAnswers = 1000;  // a line that spoils every answer
  EXPECT_FALSE(device_.GetStatus());
  EXPECT_EQ(device_.ResultCode(), OPOS_E_TIMEOUT);
  EXPECT_EQ(sim.Counters().enqsReceived, uint32_t(FiscalDevice::kDefaultRetryLimit));
  EXPECT_EQ(sim.Counters().framesReceived, 1u);
}

}  // namespace
}  // namespace orn::device
