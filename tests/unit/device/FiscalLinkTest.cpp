// The framed exchange against the simulated register on the virtual line: the handshake
// and its counters, stale and broken answers, a silent register, register errors, and
// the exact virtual time each costs. At 4800 baud a byte takes 2084 us on the wire.

#include <gtest/gtest.h>

#include <algorithm>

#include "device/ResultCodes.h"
#include "unit/device/LinkFixture.h"

namespace orn::device {
namespace {

using Bytes = std::vector<uint8_t>;
using testing::LinkFixture;

constexpr uint64_t kByteUs = 2084;
constexpr uint64_t kSilentRoundUs = kByteUs + 201000;  // ENQ out, 201 ms for a reply

class FiscalLinkTest : public LinkFixture {};

// A register that answers at once: all the time an exchange takes is wire time.
simulator::SimulatorConfig PromptRegister(uint32_t baudRate) {
  simulator::SimulatorConfig config;
  config.baudRate = baudRate;
  config.timing.replyDelayMs = 0;
  config.timing.answerDelayMs = 0;
  return config;
}

uint64_t ByteTimeUs(uint32_t baudRate) {
  return (10ull * 1000 * 1000 + baudRate - 1) / baudRate;
}

// On a line whose writes return before their bytes have left, the last ACK of an exchange
// is still on its way when the next exchange begins. It must reach the register: if it is
// lost, the register offers the same answer again at the next ENQ and a whole round is
// wasted. Back to back, at every rate, each GetStatus costs exactly its 63 bytes: ENQ,
// NAK, the 8-byte frame, ACK, the 51-byte answer, ACK.
class BackToBackExchangeTest : public LinkFixture,
                               public ::testing::WithParamInterface<uint32_t> {};

TEST_P(BackToBackExchangeTest, NeverCostAStaleRound) {
  const uint32_t rate = GetParam();
  simulator::RegisterSimulator& sim = Attach(PromptRegister(rate));
  ASSERT_TRUE(device_.Port().Open(kPort, rate));
  constexpr int kExchanges = 20;
  for (int i = 0; i < kExchanges; ++i) ASSERT_TRUE(device_.GetStatus()) << i;
  EXPECT_EQ(sim.Counters().unacknowledgedAnswers, 0u);
  EXPECT_EQ(sim.Counters().acksReceived, uint32_t(kExchanges));
  EXPECT_EQ(sim.Counters().enqsReceived, uint32_t(kExchanges));
  EXPECT_EQ(sim.Counters().answersSent, uint32_t(kExchanges));
  EXPECT_EQ(Elapsed(), kExchanges * 63 * ByteTimeUs(rate) / 1000);
}

INSTANTIATE_TEST_SUITE_P(EveryRate, BackToBackExchangeTest,
                         ::testing::Values(2400, 4800, 9600, 19200, 38400, 57600, 115200));

// At 2400 baud a sale's 63-byte frame needs 262 ms on the wire, longer than the 201 ms the
// driver waits for its ACK: the wait must start once the frame has left.
TEST_F(FiscalLinkTest, AFrameLongerThanTheAckWaitIsAcknowledgedInOneRound) {
  simulator::RegisterSimulator& sim = Attach(PromptRegister(2400));
  ASSERT_TRUE(device_.Port().Open(kPort, 2400));
  device_.Sale({1000, 100, std::string(39, 'x')}, 1);  // the 40-byte text field
  EXPECT_NE(device_.ResultCode(), OPOS_E_TIMEOUT);
  EXPECT_EQ(sim.Counters().enqsReceived, 1u);
  EXPECT_EQ(sim.Counters().framesReceived, 1u);
  EXPECT_EQ(Sent().size(), 1u + 63 + 1);
}

TEST_F(FiscalLinkTest, GetDeviceTypeIsOneFrameWithItsCheckByte) {
  simulator::SimulatorConfig config;
  config.model = simulator::ModelPreset(6);
  Attach(config);
  Open();
  ASSERT_TRUE(device_.GetDeviceType());
  EXPECT_EQ(Sent(), (Bytes{kEnq, 0x02, 0x01, 0xFC, 0xFD, kAck}));
  EXPECT_EQ(device_.Type().model, 6);
  EXPECT_EQ(device_.ModelFamily(), 9);
  EXPECT_EQ(device_.ModelCategory(), 5);
  EXPECT_FALSE(device_.Type().name.empty());
  EXPECT_EQ(device_.ResultCode(), OPOS_SUCCESS);
}

TEST_F(FiscalLinkTest, TheLogShowsRequestAndAnswer) {
  Attach();
  Open();
  ASSERT_TRUE(device_.GetStatus());
  const std::string log = Log();
  EXPECT_EQ(log.substr(0, 23), "\r\n\t-> 11 1E 00 00 00 \r\n");
  // 48 answer bytes: code, error and the status block, in rows of 20.
  EXPECT_NE(log.find("\t<- 11 00 "), std::string::npos);
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 5);
}

TEST_F(FiscalLinkTest, AnAnswerOfferedBeforeTheFrameIsReadAndDiscarded) {
  simulator::SimulatorConfig config;
  config.faults.staleAnswer = true;
  simulator::RegisterSimulator& sim = Attach(config);
  Open();
  ASSERT_TRUE(device_.GetDeviceType());
  // ENQ gets the stale answer, which is acknowledged and dropped; the next ENQ gets NAK.
  EXPECT_EQ(Sent(), (Bytes{kEnq, kAck, kEnq, 0x02, 0x01, 0xFC, 0xFD, kAck}));
  EXPECT_EQ(sim.Counters().answersSent, 2u);
  EXPECT_EQ(sim.Counters().framesReceived, 1u);
  EXPECT_FALSE(device_.Type().name.empty());
}

TEST_F(FiscalLinkTest, ABadCheckByteIsRefusedAndTheRepeatedAnswerAccepted) {
  simulator::SimulatorConfig config;
  config.faults.badCheckAnswers = 1;
  simulator::RegisterSimulator& sim = Attach(config);
  Open();
  ASSERT_TRUE(device_.GetDeviceType());
  EXPECT_EQ(Sent(), (Bytes{kEnq, 0x02, 0x01, 0xFC, 0xFD, kNak, kEnq, kAck}));
  EXPECT_EQ(sim.Counters().naksReceived, 1u);
  EXPECT_EQ(sim.Counters().framesReceived, 1u);
  EXPECT_EQ(sim.Counters().answersSent, 2u);
}

TEST_F(FiscalLinkTest, ASilentRegisterCostsThirtyEnquiriesThenNoConnection) {
  simulator::SimulatorConfig config;
  config.faults.silent = true;
  simulator::RegisterSimulator& sim = Attach(config);
  Open();
  EXPECT_FALSE(device_.GetStatus());
  EXPECT_EQ(sim.Counters().enqsReceived, 30u);
  EXPECT_EQ(Elapsed(), 30 * kSilentRoundUs / 1000);  // 6092 ms
  EXPECT_EQ(device_.ResultCode(), OPOS_E_TIMEOUT);
  EXPECT_EQ(device_.ResultCodeExtended(), 0);
  EXPECT_NE(Log().find("\tОшибка: Нет связи\r\n"), std::string::npos);
}

TEST_F(FiscalLinkTest, AProbeOfASilentRegisterCostsThreeEnquiries) {
  simulator::SimulatorConfig config;
  config.faults.silent = true;
  simulator::RegisterSimulator& sim = Attach(config);
  Open();
  EXPECT_FALSE(device_.Probe());
  EXPECT_EQ(sim.Counters().enqsReceived, 3u);
  EXPECT_EQ(Elapsed(), 3 * kSilentRoundUs / 1000);  // 609 ms
  EXPECT_EQ(device_.RetryLimit(), 30);
}

TEST_F(FiscalLinkTest, BrokenAnswersWithoutEndAreBoundedByTheFrameLimit) {
  simulator::SimulatorConfig config;
  config.faults.badCheckAnswers = 1000;
  config.faults.forgetRefusedAnswers = true;
  simulator::RegisterSimulator& sim = Attach(config);
  Open();
  EXPECT_FALSE(device_.GetStatus());
  EXPECT_EQ(device_.ResultCode(), OPOS_E_TIMEOUT);
  // A reading command may go out again, five times at the most.
  EXPECT_EQ(sim.Counters().framesReceived, uint32_t(FiscalDevice::kMaxFrameWrites));
}

TEST_F(FiscalLinkTest, MalformedAnswersFailWithTheirTexts) {
  simulator::SimulatorConfig config;
  config.faults.shortAnswers = 1;
  config.faults.wrongCodeAnswers = 1;
  Attach(config);
  Open();
  EXPECT_FALSE(device_.GetStatus());
  EXPECT_EQ(device_.ResultCode(), OPOS_E_FAILURE);
  EXPECT_EQ(device_.ErrorString(), "Неверная длина кадра.");
  device_.ResetError();
  EXPECT_FALSE(device_.GetStatus());
  EXPECT_EQ(device_.ResultCode(), OPOS_E_FAILURE);
  EXPECT_EQ(device_.ErrorString(), "Неверный код команды в ответе.");
  EXPECT_NE(Log().find("\tОшибка: Неверная длина кадра.\r\n"), std::string::npos);
  EXPECT_NE(Log().find("\tОшибка: Неверный код команды в ответе.\r\n"), std::string::npos);
  device_.ResetError();
  EXPECT_TRUE(device_.GetStatus());
}

TEST_F(FiscalLinkTest, RegisterErrorsReachTheErrorTripleAndTheLog) {
  simulator::SimulatorConfig config;
  config.faults.deviceErrors = {{1, 0x4E}, {2, 0x6B}};
  Attach(config);
  Open();
  EXPECT_FALSE(device_.GetStatus());
  EXPECT_EQ(device_.ResultCode(), OPOS_E_EXTENDED);
  EXPECT_EQ(device_.ResultCodeExtended(), 378);
  EXPECT_EQ(device_.ErrorString(), "Смена превысила 24 часа");
  EXPECT_EQ(device_.LastDeviceError(), 0x4E);
  EXPECT_FALSE(device_.GetStatus());
  EXPECT_EQ(device_.ResultCodeExtended(), OPOS_EFPTR_REC_EMPTY);
  EXPECT_EQ(device_.ErrorString(), "Нет чековой ленты");
  EXPECT_NE(Log().find("\tОшибка: 4Eh, Смена превысила 24 часа\r\n"), std::string::npos);
  EXPECT_TRUE(device_.GetStatus());
  EXPECT_EQ(device_.LastDeviceError(), 0);
}

TEST_F(FiscalLinkTest, AWrongPasswordIsTheRegistersError) {
  Attach();
  device_.SetPassword(31);
  Open();
  EXPECT_FALSE(device_.GetStatus());
  EXPECT_EQ(device_.ResultCodeExtended(), 300 + 0x4F);
}

TEST_F(FiscalLinkTest, TheStatusDecidesTheCurrencyDivisorAndPaper) {
  simulator::SimulatorConfig config;
  simulator::RegisterSimulator& sim = Attach(config);
  Open();
  ASSERT_TRUE(device_.GetStatus());
  EXPECT_EQ(device_.CurrencyDivisor(), 100);
  EXPECT_TRUE(device_.CheckPaper());
  sim.State().flags &= uint16_t(~(flag::kTwoDecimals | flag::kJournalPaper | flag::kReceiptPaper));
  ASSERT_TRUE(device_.GetStatus());
  EXPECT_EQ(device_.CurrencyDivisor(), 10000);
  // Both paper sensors clear: the journal is reported.
  EXPECT_FALSE(device_.CheckPaper());
  EXPECT_EQ(device_.ResultCodeExtended(), OPOS_EFPTR_JRN_EMPTY);
  EXPECT_EQ(device_.ErrorString(), "Нет контрольной ленты");
  sim.State().flags |= flag::kJournalPaper;
  ASSERT_TRUE(device_.GetStatus());
  EXPECT_FALSE(device_.CheckPaper());
  EXPECT_EQ(device_.ResultCodeExtended(), OPOS_EFPTR_REC_EMPTY);
}

}  // namespace
}  // namespace orn::device
