// Faults on demand: each one scripted exactly, and the counters that show it.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "simulator/LineNoise.h"
#include "unit/simulator/LineRecorder.h"

namespace orn::simulator::testing {
namespace {

class SimulatorFaultsTest : public ::testing::Test {
 protected:
  Bytes Feed(const Bytes& bytes, uint64_t nowMs = 0) { return line.Feed(simulator, bytes, nowMs); }

  RegisterSimulator simulator;
  LineRecorder line;
};

TEST_F(SimulatorFaultsTest, SilentRegisterAnswersNothingButCountsEnqs) {
  simulator.Faults().silent = true;
  for (int i = 0; i < 30; ++i) EXPECT_EQ(Feed({kEnq}, 201u * i), Bytes{});
  EXPECT_EQ(Feed(FrameOf(kGetStatus), 7000), Bytes{});
  EXPECT_EQ(simulator.Counters().enqsReceived, 30u);
  EXPECT_EQ(simulator.Counters().framesReceived, 0u);
  // Back from silence it serves normally.
  simulator.Faults().silent = false;
  EXPECT_EQ(Feed({kEnq}, 8000), Bytes{kNak});
}

TEST_F(SimulatorFaultsTest, DroppedReceivedByteNeverArrives) {
  simulator.Faults().dropReceived = {1, 5};
  EXPECT_EQ(Feed({kEnq}), Bytes{});      // byte 1
  EXPECT_EQ(Feed({kEnq}), Bytes{kNak});  // byte 2
  // Bytes 3..6 are the frame 02 01 FC FD; without its FC the check byte is taken for the
  // message, and the frame waits for a check byte until a gap abandons it.
  EXPECT_EQ(Feed({0x02, 0x01, 0xFC, 0xFD}, 10), Bytes{});
  EXPECT_EQ(Feed({kEnq}, 300), Bytes{kNak});
  EXPECT_EQ(simulator.Counters().bytesReceived, 7u);
  EXPECT_EQ(simulator.Counters().enqsReceived, 2u);
  EXPECT_EQ(simulator.Counters().framesAbandoned, 1u);
}

TEST_F(SimulatorFaultsTest, CorruptedReceivedByteSpoilsTheFrame) {
  simulator.Faults().corruptReceived = {3};
  EXPECT_EQ(Feed({0x02, 0x01, 0xFC, 0xFD}), Bytes{kNak});
  EXPECT_EQ(simulator.Counters().badFramesReceived, 1u);
  EXPECT_EQ(AnswerAfterAck(Feed({0x02, 0x01, 0xFC, 0xFD}))[0], 0xFC);
}

TEST_F(SimulatorFaultsTest, DroppedSentByteIsMissingFromTheReply) {
  simulator.Faults().dropSent = {1, 4};
  EXPECT_EQ(Feed({kEnq}), Bytes{});  // the NAK (sent byte 1) is lost
  const Bytes full = [] {
    RegisterSimulator healthy;
    LineRecorder line;
    return line.Feed(healthy, FrameOf(kGetDeviceType));
  }();
  // Sent bytes 2.. are the ACK and the answer frame; byte 4 is the frame's length byte.
  Bytes expected = full;
  expected.erase(expected.begin() + 2);
  EXPECT_EQ(Feed(FrameOf(kGetDeviceType)), expected);
  EXPECT_EQ(simulator.Counters().bytesSent, uint32_t(1 + full.size()));
}

TEST_F(SimulatorFaultsTest, CorruptedSentByteIsInvertedInTheReply) {
  simulator.Faults().corruptSent = {1};
  EXPECT_EQ(Feed({kEnq}), Bytes{uint8_t(kNak ^ 0xFF)});
  EXPECT_EQ(Feed({kEnq}), Bytes{kNak});
}

TEST_F(SimulatorFaultsTest, BadCheckByteOnTheNextAnswerOnly) {
  simulator.Faults().badCheckAnswers = 1;
  const Bytes bad = Feed(FrameOf(kGetDeviceType));
  ASSERT_GE(bad.size(), 5u);
  EXPECT_EQ(AnswerAfterAck(bad), Bytes{});
  Bytes repaired = bad;
  repaired.back() ^= 0xFF;
  ASSERT_NE(AnswerAfterAck(repaired), Bytes{});
  // The driver refuses it; the resend is correct.
  Feed({kNak});
  EXPECT_EQ(Feed({kEnq}), repaired);
  EXPECT_EQ(simulator.Faults().badCheckAnswers, 0u);
  EXPECT_EQ(simulator.Counters().naksReceived, 1u);
}

TEST_F(SimulatorFaultsTest, EveryAnswerCanCarryABadCheckByte) {
  simulator.Faults().badCheckAnswers = 1000;
  Feed(FrameOf(kGetDeviceType));
  for (int i = 0; i < 50; ++i) {
    Feed({kNak});
    EXPECT_EQ(AnswerAfterAck(Feed({kEnq})), Bytes{});
  }
  EXPECT_EQ(simulator.Counters().answersSent, 51u);
}

TEST_F(SimulatorFaultsTest, DeviceErrorOnTheNthCommand) {
  simulator.Faults().deviceErrors = {{2, 0x50}};
  const auto exchange = [&](const Bytes& request) {
    const Bytes answer = AnswerAfterAck(Feed(FrameOf(request)));
    Feed({kAck});
    return answer;
  };
  EXPECT_EQ(exchange(kGetStatus).size(), 48u);
  EXPECT_EQ(exchange(kGetDeviceType), (Bytes{0xFC, 0x50}));
  EXPECT_EQ(exchange(kGetStatus).size(), 48u);
}

// Random noise makes only the corruptions a frame's XOR check byte can see: over any run of
// bytes a frame could span, the masks of the corrupted ones never cancel out.
TEST(LineNoiseTest, NoFrameCanHideItsCorruptionFromTheCheckByte) {
  constexpr size_t kBytes = 100000;
  constexpr size_t kLongestFrame = 260;
  const RandomByteFaults rates{7, 0, 200000};  // a fifth of all bytes
  SimulatorCounters counters;
  LineNoise noise(rates, counters);
  std::vector<uint8_t> masks(kBytes);
  for (size_t i = 0; i < kBytes; ++i) {
    uint8_t byte = uint8_t(i);
    ASSERT_TRUE(noise.Pass(byte, LineNoise::Direction::kToRegister));
    masks[i] = uint8_t(byte ^ uint8_t(i));
  }
  EXPECT_GT(counters.randomBytesCorrupted, kBytes / 8);
  for (size_t first = 0; first < kBytes; ++first) {
    if (masks[first] == 0) continue;
    uint8_t sum = 0;
    for (size_t last = first; last < std::min(kBytes, first + kLongestFrame); ++last) {
      sum ^= masks[last];
      ASSERT_FALSE(masks[last] != 0 && sum == 0) << "bytes " << first << ".." << last;
    }
  }
}

}  // namespace
}  // namespace orn::simulator::testing
