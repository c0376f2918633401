// The three commands and the register's own error codes, through the link.

#include <gtest/gtest.h>

#include "unit/simulator/LineRecorder.h"

namespace orn::simulator::testing {
namespace {

class RegisterCommandsTest : public ::testing::Test {
 protected:
  // One whole exchange: the request frame, the answer acknowledged by the driver.
  Bytes Exchange(RegisterSimulator& register_, const Bytes& request, uint64_t nowMs = 0) {
    const Bytes answer = AnswerAfterAck(line.Feed(register_, FrameOf(request), nowMs));
    line.Feed(register_, {kAck}, nowMs + 20);
    return answer;
  }

  LineRecorder line;
};

uint32_t Number(const Bytes& bytes, size_t offset, size_t count) {
  uint32_t value = 0;
  for (size_t i = 0; i < count; ++i) value |= uint32_t(bytes.at(offset + i)) << (8 * i);
  return value;
}

TEST_F(RegisterCommandsTest, GetStatusAnswersTheStatusBlock) {
  SimulatorConfig config;
  RegisterState& state = config.state;
  state.operatorNumber = 7;
  state.firmwareVersion = {'A', '4'};
  state.firmwareBuild = 0x1234;
  state.documentNumber = 0x0456;
  state.flags = 0x02C3;
  state.mode = 0x18;
  state.submode = 5;
  state.fiscalMemoryVersion = {'2', '1'};
  state.fiscalMemoryBuild = 0x0789;
  state.clockAtStart = {2026, 3, 9, 14, 5, 59, 0};
  state.fiscalMemoryFlags = 0x90;
  state.registerNumber = 0x01020304;
  state.fiscalMemory.shifts = {{0x0111, {2026, 3, 1, 0, 0, 0, 0}, {}}};
  state.fiscalMemory.capacity = 0x0223;
  state.identificationNumber = 0xA1A2A3A4A5A6;
  RegisterSimulator simulator(config);

  const Bytes answer = Exchange(simulator, kGetStatus);
  ASSERT_EQ(answer.size(), 48u);
  EXPECT_EQ(answer[0], 0x11);
  EXPECT_EQ(answer[1], 0x00);
  const Bytes block(answer.begin() + 2, answer.end());
  EXPECT_EQ(block[0], 7);
  EXPECT_EQ(block[1], 'A');
  EXPECT_EQ(block[2], '4');
  EXPECT_EQ(Number(block, 3, 2), 0x1234u);
  EXPECT_EQ(Number(block, 9, 2), 0x0456u);
  EXPECT_EQ(Number(block, 11, 2), 0x02C3u);
  EXPECT_EQ(block[13], 0x18);
  EXPECT_EQ(block[14], 5);
  EXPECT_EQ(block[16], '2');
  EXPECT_EQ(block[17], '1');
  EXPECT_EQ(Number(block, 18, 2), 0x0789u);
  EXPECT_EQ(Bytes(block.begin() + 23, block.begin() + 29), (Bytes{9, 3, 26, 14, 5, 59}));
  EXPECT_EQ(block[29], 0x90);
  EXPECT_EQ(Number(block, 30, 4), 0x01020304u);
  EXPECT_EQ(Number(block, 34, 2), 0x0111u);
  EXPECT_EQ(Number(block, 36, 2), 0x0222u);
  EXPECT_EQ(Bytes(block.begin() + 40, block.end()), (Bytes{0xA6, 0xA5, 0xA4, 0xA3, 0xA2, 0xA1}));
}

TEST_F(RegisterCommandsTest, RegisterClockRunsWithLineTime) {
  SimulatorConfig config;
  config.state.clockAtStart = {2026, 12, 31, 23, 59, 30, 0};
  RegisterSimulator simulator(config);
  const auto dateAndTime = [&](uint64_t nowMs) {
    const Bytes answer = Exchange(simulator, kGetStatus, nowMs);
    return Bytes(answer.begin() + 2 + 23, answer.begin() + 2 + 29);
  };
  EXPECT_EQ(dateAndTime(0), (Bytes{31, 12, 26, 23, 59, 30}));
  EXPECT_EQ(dateAndTime(29999), (Bytes{31, 12, 26, 23, 59, 59}));
  EXPECT_EQ(dateAndTime(45000), (Bytes{1, 1, 27, 0, 0, 15}));
}

TEST_F(RegisterCommandsTest, GetDeviceTypeAnswersTheModel) {
  SimulatorConfig config;
  config.model = ModelPreset(9);
  config.model.protocolSubversion = 4;
  RegisterSimulator simulator(config);
  const Bytes answer = Exchange(simulator, kGetDeviceType);
  ASSERT_GT(answer.size(), 8u);
  EXPECT_EQ(Bytes(answer.begin(), answer.begin() + 8), (Bytes{0xFC, 0x00, 0, 0, 1, 4, 9, 0}));
  const std::string name(answer.begin() + 8, answer.end());
  EXPECT_EQ(name, config.model.name);
  EXPECT_EQ(name.find('\0'), std::string::npos);
  EXPECT_NE(ModelPreset(9).name, ModelPreset(10).name);
  EXPECT_EQ(ModelPreset(200).model, 200);
  EXPECT_FALSE(ModelPreset(200).name.empty());
}

TEST_F(RegisterCommandsTest, RequestsTheRegisterRefuses) {
  struct Case {
    const char* what;
    Bytes request;
    Bytes answer;
  };
  const Case cases[] = {
      {"wrong password", {0x11, 31, 0, 0, 0}, {0x11, 0x4F}},
      {"password in the high bytes", {0x11, 30, 0, 0, 1}, {0x11, 0x4F}},
      {"GetStatus too short", {0x11, 30, 0, 0}, {0x11, 0x09}},
      {"GetStatus too long", {0x11, 30, 0, 0, 0, 0}, {0x11, 0x09}},
      {"GetDeviceType with a password", {0xFC, 30, 0, 0, 0}, {0xFC, 0x09}},
      {"SetExchangeParams too short", {0x14, 30, 0, 0, 0, 0, 2}, {0x14, 0x09}},
      {"SetExchangeParams wrong password", {0x14, 1, 0, 0, 0, 0, 2, 200}, {0x14, 0x4F}},
      {"baud-rate code 7", {0x14, 30, 0, 0, 0, 0, 7, 200}, {0x14, 0x33}},
      {"port 1", {0x14, 30, 0, 0, 0, 1, 2, 200}, {0x14, 0x33}},
      {"unknown command", {0x99, 30, 0, 0, 0}, {0x99, 0x37}},
      {"Sale without its text", {0x80, 30, 0, 0, 0}, {0x80, 0x09}},
  };
  for (const Case& c : cases) {
    RegisterSimulator simulator;
    EXPECT_EQ(Exchange(simulator, c.request), c.answer) << c.what;
    EXPECT_EQ(simulator.BaudRate(), 4800u) << c.what;
  }
}

TEST_F(RegisterCommandsTest, PasswordIsTheConfiguredOne) {
  SimulatorConfig config;
  config.state.operatorPassword = 0x01020304;
  RegisterSimulator simulator(config);
  EXPECT_EQ(Exchange(simulator, kGetStatus), (Bytes{0x11, 0x4F}));
  EXPECT_EQ(Exchange(simulator, {0x11, 4, 3, 2, 1}).size(), 48u);
}

TEST_F(RegisterCommandsTest, SetExchangeParamsAnswersAtTheOldRateThenSwitches) {
  RegisterSimulator simulator;
  const Bytes request = {0x14, 30, 0, 0, 0, 0x00, 0x06, 200};
  EXPECT_EQ(AnswerAfterAck(line.Feed(simulator, FrameOf(request))), (Bytes{0x14, 0x00}));
  EXPECT_EQ(simulator.BaudRate(), 4800u);
  // A refused answer is resent at the old rate; the switch waits for the acknowledgement.
  line.Feed(simulator, {kNak});
  EXPECT_EQ(AnswerAfterAck(line.Feed(simulator, {kEnq})), (Bytes{0x14, 0x00}));
  EXPECT_EQ(simulator.BaudRate(), 4800u);
  line.Feed(simulator, {kAck});
  EXPECT_EQ(simulator.BaudRate(), 115200u);
  // The driver's 00h before it changes its own rate is ignored.
  EXPECT_EQ(line.Feed(simulator, {0x00}), Bytes{});
  EXPECT_EQ(line.Feed(simulator, {kEnq}), Bytes{kNak});
}

TEST_F(RegisterCommandsTest, RateChangeIsForgottenWhenAnotherCommandFollows) {
  RegisterSimulator simulator;
  line.Feed(simulator, FrameOf({0x14, 30, 0, 0, 0, 0x00, 0x02, 200}));
  Exchange(simulator, kGetDeviceType);
  EXPECT_EQ(simulator.BaudRate(), 4800u);
}

}  // namespace
}  // namespace orn::simulator::testing
