// A recording command is registered once, whatever the line does to its answer: a register
// that took the frame is asked for its answer, never sent the frame again, and a retry of
// the command after a failure is answered from what the register said late.

#include <gtest/gtest.h>

#include "device/ResultCodes.h"
#include "device/UnsettledCommand.h"
#include "unit/device/LinkFixture.h"
#include "unit/device/RecordingRegister.h"

namespace orn::device {
namespace {

using State = UnsettledCommand::State;
constexpr uint8_t kSaleCode = 0x80;
constexpr uint8_t kAnnulCode = 0x88;

// The registry of the service, as far as the device sees it.
class MemoryStore : public UnsettledStore {
 public:
  void SaveUnsettled(const std::string& record) override { record_ = record; }
  std::string LoadUnsettled() override { return record_; }
  std::string record_;
};

class ExactlyOnceTest : public testing::LinkFixture {
 protected:
  void SetUp() override {
    ports_.Attach(kPort, register_);
    Open();
    device_.SetUnsettledStore(&store_);
  }
  bool Sell() {
    device_.ResetError();
    return device_.Sale({1000, 4550, "Хлеб"}, 1);
  }
  testing::RecordingRegister register_;
  MemoryStore store_;
};

TEST_F(ExactlyOnceTest, ARegisterThatTakesFramesAndNeverAnswersGetsASaleOnce) {
  register_.neverAnswers = true;
  EXPECT_FALSE(Sell());
  EXPECT_EQ(register_.Count(kSaleCode), 1);
  EXPECT_EQ(device_.ResultCode(), OPOS_E_FAILURE);
  EXPECT_NE(device_.ErrorString().find("неизвестно"), std::string::npos);
  // Seconds, not minutes: the 10 s the register has to prepare an answer, and the ENQ.
  EXPECT_LT(Elapsed(), 11u * 1000);
  // The retry is refused too: nothing tells whether the sale is in the receipt.
  EXPECT_FALSE(Sell());
  EXPECT_EQ(register_.Count(kSaleCode), 1);
  EXPECT_EQ(device_.ResultCode(), OPOS_E_FAILURE);
  // Another recording command (the receipt annulled) goes out, and the sale is forgotten.
  register_.neverAnswers = false;
  EXPECT_TRUE(device_.AnnulReceipt());
  EXPECT_EQ(device_.Unsettled().state, State::kNone);
  EXPECT_EQ(store_.record_, "");
}

TEST_F(ExactlyOnceTest, AReadingCommandIsSentAFewTimesAndNoLongerThanTheBound) {
  register_.neverAnswers = true;
  EXPECT_FALSE(device_.GetStatus());
  EXPECT_EQ(device_.ResultCode(), OPOS_E_TIMEOUT);
  // Each frame waits its 10 s for an answer: three fit in the bound.
  EXPECT_EQ(register_.Count(0x11), 3);
  EXPECT_LT(Elapsed(), uint64_t(FiscalDevice::kExchangeBoundMs) + 11000);
  EXPECT_EQ(device_.Unsettled().state, State::kNone);
}

TEST_F(ExactlyOnceTest, TheRetryOfASaleWhoseAnswerCameLateIsAnsweredWithoutSendingIt) {
  register_.quietAfterFrameMs = 20 * 1000;
  EXPECT_FALSE(Sell());
  EXPECT_EQ(device_.ResultCode(), OPOS_E_TIMEOUT);
  EXPECT_EQ(device_.Unsettled().state, State::kAwaitingAnswer);
  EXPECT_EQ(store_.record_.substr(0, 2), "1 ");
  register_.quietAfterFrameMs = 0;
  memory_.clock.Sleep(10 * 1000);
  EXPECT_TRUE(Sell());
  EXPECT_EQ(register_.Count(kSaleCode), 1);
  EXPECT_EQ(device_.Unsettled().state, State::kNone);
  // The next identical sale is a new one.
  EXPECT_TRUE(Sell());
  EXPECT_EQ(register_.Count(kSaleCode), 2);
}

TEST_F(ExactlyOnceTest, ALateAnswerReadBeforeTheRetryIsKeptForIt) {
  register_.quietAfterFrameMs = 20 * 1000;
  EXPECT_FALSE(Sell());
  register_.quietAfterFrameMs = 0;
  memory_.clock.Sleep(10 * 1000);
  // A status read first (as the claim of a new process does) meets the held answer.
  EXPECT_TRUE(device_.GetStatus());
  EXPECT_EQ(device_.Unsettled().state, State::kAnswered);
  EXPECT_TRUE(Sell());
  EXPECT_EQ(register_.Count(kSaleCode), 1);
  EXPECT_NE(Log().find("ответ на нее уже получен"), std::string::npos);
}

TEST_F(ExactlyOnceTest, TheLateAnswerCarriesTheRegistersErrorToTheRetry) {
  register_.quietAfterFrameMs = 20 * 1000;
  register_.stickyError = 0x73;
  EXPECT_FALSE(Sell());
  register_.quietAfterFrameMs = 0;
  memory_.clock.Sleep(10 * 1000);
  EXPECT_FALSE(Sell());
  EXPECT_EQ(device_.ResultCode(), OPOS_E_EXTENDED);
  EXPECT_EQ(device_.ResultCodeExtended(), 300 + 0x73);
  EXPECT_EQ(register_.Count(kSaleCode), 1);
}

TEST_F(ExactlyOnceTest, AnAnswerLostInTheRegisterLeavesTheSaleUnknownNotRepeated) {
  register_.quietAfterFrameMs = 20 * 1000;
  EXPECT_FALSE(Sell());
  register_.quietAfterFrameMs = 0;
  register_.ForgetAnswer();  // a reset meanwhile
  memory_.clock.Sleep(10 * 1000);
  EXPECT_FALSE(Sell());
  EXPECT_EQ(device_.ResultCode(), OPOS_E_FAILURE);
  EXPECT_EQ(register_.Count(kSaleCode), 1);
  EXPECT_EQ(device_.Unsettled().state, State::kUnknown);
  EXPECT_TRUE(device_.AnnulReceipt());
  EXPECT_EQ(register_.Count(kAnnulCode), 1);
}

TEST_F(ExactlyOnceTest, AFrameNeverAcknowledgedIsSentAgainOnceTheRegisterIsReady) {
  // No ACK for the frame: the register did not take it, and says so with NAK later.
  register_.neverAnswers = true;
  register_.quietAfterFrameMs = 0;
  EXPECT_FALSE(device_.CashIn(100));
  register_.neverAnswers = false;
  // The register holds no answer: it never ran the command. The retry sends it.
  memory_.clock.Sleep(1000);
  EXPECT_FALSE(device_.CashIn(100));  // the first outcome is still unknown
  EXPECT_EQ(register_.Count(0x50), 1);
}

TEST_F(ExactlyOnceTest, ANewProcessFetchesTheAnswerOfTheOldOnesUnsettledSale) {
  register_.quietAfterFrameMs = 20 * 1000;
  EXPECT_FALSE(Sell());
  register_.quietAfterFrameMs = 0;
  memory_.clock.Sleep(10 * 1000);
  // The process ends; a new device reads the record back from the registry.
  device_.Disconnect();
  FiscalDevice fresh(ports_, memory_.clock, log_);
  fresh.SetConnection(kPort, kBaud);
  fresh.SetPassword(kPassword);
  fresh.SetUnsettledStore(&store_);
  EXPECT_EQ(fresh.Unsettled().state, State::kAwaitingAnswer);
  ASSERT_TRUE(fresh.Port().Open(kPort, kBaud));
  EXPECT_TRUE(fresh.GetStatus());
  EXPECT_TRUE(fresh.Sale({1000, 4550, "Хлеб"}, 1));
  EXPECT_EQ(register_.Count(kSaleCode), 1);
}

TEST_F(ExactlyOnceTest, SwitchedOffTheRetryRegistersTheSaleTwice) {
  device_.SetExactlyOnce(false);
  register_.quietAfterFrameMs = 20 * 1000;
  EXPECT_FALSE(Sell());
  register_.quietAfterFrameMs = 0;
  memory_.clock.Sleep(10 * 1000);
  EXPECT_TRUE(Sell());
  EXPECT_EQ(register_.Count(kSaleCode), 2);
}

TEST(UnsettledRecordTest, RoundTripsAndRefusesWhatIsNotARecord) {
  UnsettledCommand command;
  command.state = State::kAnswered;
  command.frameSize = 5;
  const uint8_t frame[] = {0x02, 0x02, 0x88, 0x1E, 0x94};
  std::copy(std::begin(frame), std::end(frame), command.frame);
  command.answerLength = 3;
  command.answer[0] = 0x88;
  command.answer[2] = 0x1E;
  const std::string record = EncodeUnsettled(command);
  EXPECT_EQ(record, "3 0202881E94 88001E");
  UnsettledCommand read;
  ASSERT_TRUE(DecodeUnsettled(record, read));
  EXPECT_EQ(read.state, State::kAnswered);
  EXPECT_TRUE(read.SameFrame(frame, 5));
  EXPECT_EQ(read.answerLength, 3);
  EXPECT_EQ(EncodeUnsettled(read), record);

  EXPECT_TRUE(DecodeUnsettled("", read));
  EXPECT_EQ(read.state, State::kNone);
  for (const char* bad : {"1", "9 0202881E94", "0 0202881E94", "1 0202881E9", "1 02XX881E94",
                          "1 0201", "3 0202881E94", "3 0202881E94 88", "1 0202881E94 extra"}) {
    EXPECT_FALSE(DecodeUnsettled(bad, read)) << bad;
    EXPECT_EQ(read.state, State::kNone) << bad;
  }
  EXPECT_FALSE(DecodeUnsettled("1 " + std::string(514, 'A'), read));
}

}  // namespace
}  // namespace orn::device
