// The register's side of the handshake, driven byte by byte.

#include <gtest/gtest.h>

#include "unit/simulator/LineRecorder.h"

namespace orn::simulator::testing {
namespace {

class RegisterLinkTest : public ::testing::Test {
 protected:
  Bytes Feed(const Bytes& bytes, uint64_t nowMs = 0) { return line.Feed(simulator, bytes, nowMs); }

  RegisterSimulator simulator;
  LineRecorder line;
};

TEST_F(RegisterLinkTest, IdleRegisterAnswersEnqWithNak) {
  EXPECT_EQ(Feed({kEnq}), Bytes{kNak});
  ASSERT_EQ(line.chunks.size(), 1u);
  EXPECT_EQ(line.chunks[0].delayMs, simulator.Timing().replyDelayMs);
  EXPECT_EQ(simulator.Counters().enqsReceived, 1u);
}

TEST_F(RegisterLinkTest, GoodFrameIsAcknowledgedThenAnswered) {
  const Bytes sent = Feed({0x02, 0x01, 0xFC, 0xFD});
  const Bytes answer = AnswerAfterAck(sent);
  ASSERT_GE(answer.size(), 8u);
  EXPECT_EQ(answer[0], 0xFC);
  EXPECT_EQ(answer[1], 0x00);
  // The ACK goes at once, the answer a few milliseconds later.
  ASSERT_EQ(line.chunks.size(), 2u);
  EXPECT_EQ(line.chunks[0].delayMs, simulator.Timing().replyDelayMs);
  EXPECT_EQ(line.chunks[1].delayMs, simulator.Timing().answerDelayMs);
  EXPECT_EQ(simulator.Counters().framesReceived, 1u);
  EXPECT_EQ(simulator.Counters().answersSent, 1u);
  EXPECT_EQ(simulator.Counters().lastCommandCode, 0xFC);
}

TEST_F(RegisterLinkTest, AcknowledgedAnswerIsNoLongerPending) {
  Feed(FrameOf(kGetDeviceType));
  EXPECT_TRUE(simulator.AnswerPending());
  EXPECT_EQ(Feed({kAck}), Bytes{});
  EXPECT_FALSE(simulator.AnswerPending());
  EXPECT_EQ(Feed({kEnq}), Bytes{kNak});
  EXPECT_EQ(simulator.Counters().acksReceived, 1u);
}

TEST_F(RegisterLinkTest, RefusedAnswerIsResentOnTheNextEnq) {
  const Bytes first = Feed(FrameOf(kGetStatus), 0);
  EXPECT_EQ(Feed({kNak}, 10), Bytes{});
  EXPECT_TRUE(simulator.AnswerPending());
  // The same frame again (the clock has not been read anew), preceded by ACK.
  EXPECT_EQ(Feed({kEnq}, 2000), first);
  EXPECT_EQ(Feed({kAck}, 2010), Bytes{});
  EXPECT_EQ(Feed({kEnq}, 2020), Bytes{kNak});
  EXPECT_EQ(simulator.Counters().naksReceived, 1u);
  EXPECT_EQ(simulator.Counters().answersSent, 2u);
  EXPECT_EQ(simulator.Counters().framesReceived, 1u);
}

TEST_F(RegisterLinkTest, AnswerTheDriverMissedIsResentOnEnq) {
  const Bytes first = Feed(FrameOf(kGetDeviceType));
  EXPECT_EQ(Feed({kEnq}, 500), first);
}

TEST_F(RegisterLinkTest, FrameWithBadCheckByteIsRefusedAndDropped) {
  EXPECT_EQ(Feed({0x02, 0x01, 0xFC, 0xFC}), Bytes{kNak});
  EXPECT_EQ(Feed({0x02, 0x00, 0x00}), Bytes{kNak});  // empty: no command code to answer
  EXPECT_FALSE(simulator.AnswerPending());
  EXPECT_EQ(Feed({kEnq}), Bytes{kNak});
  EXPECT_EQ(simulator.Counters().badFramesReceived, 2u);
  EXPECT_EQ(simulator.Counters().framesReceived, 0u);
}

TEST_F(RegisterLinkTest, FrameCutShortBySilenceIsAbandoned) {
  const Bytes frame = FrameOf(kGetStatus);
  // A short pause inside a frame is tolerated...
  Feed(Bytes(frame.begin(), frame.begin() + 3), 0);
  EXPECT_NE(AnswerAfterAck(Feed(Bytes(frame.begin() + 3, frame.end()), 50)), Bytes{});
  Feed({kAck}, 60);
  // ...a gap longer than the inter-byte timeout is not: the next ENQ is taken as ENQ.
  Feed(Bytes(frame.begin(), frame.begin() + 3), 100);
  EXPECT_EQ(Feed({kEnq}, 400), Bytes{kNak});
  EXPECT_EQ(simulator.Counters().framesAbandoned, 1u);
}

TEST_F(RegisterLinkTest, StrayBytesWhileIdleAreIgnored) {
  EXPECT_EQ(Feed({kAck, kNak, 0x00, 0xFF}), Bytes{});
  EXPECT_EQ(simulator.Counters().acksReceived, 0u);
  EXPECT_EQ(simulator.Counters().naksReceived, 0u);
  EXPECT_EQ(Feed({kEnq}), Bytes{kNak});
}

TEST_F(RegisterLinkTest, StaleAnswerIsOfferedBeforeAnyFrame) {
  SimulatorConfig config;
  config.faults.staleAnswer = true;
  RegisterSimulator stale(config);
  const Bytes answer = AnswerAfterAck(line.Feed(stale, {kEnq}));
  ASSERT_EQ(answer.size(), 48u);
  EXPECT_EQ(answer[0], 0x11);
  EXPECT_EQ(answer[1], 0x00);
  // The driver reads and acknowledges it, then the ordinary exchange follows.
  EXPECT_EQ(line.Feed(stale, {kAck}), Bytes{});
  EXPECT_EQ(line.Feed(stale, {kEnq}), Bytes{kNak});
  EXPECT_EQ(AnswerAfterAck(line.Feed(stale, FrameOf(kGetDeviceType)))[0], 0xFC);
  EXPECT_EQ(stale.Counters().answersSent, 2u);
  EXPECT_EQ(stale.Counters().framesReceived, 1u);
}

}  // namespace
}  // namespace orn::simulator::testing
