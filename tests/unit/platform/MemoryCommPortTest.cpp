// The virtual serial line: wire time at the line rate, a transmit queue that writes only
// fill, Win32 read time-outs on the virtual clock, lost bytes at a wrong rate, and purging.

#include <gtest/gtest.h>

#include <vector>

#include "platform/CommDeadlines.h"
#include "platform/memory/MemoryPortProvider.h"

namespace orn::platform {
namespace {

// Answers every byte with its answer list after a fixed delay.
class ScriptedPeer : public LinePeer {
 public:
  uint32_t BaudRate() const override { return rate; }
  void OnByte(uint8_t byte, uint64_t nowMs, LineReply& reply) override {
    received.push_back(byte);
    times.push_back(nowMs);
    if (!answer.empty()) reply.Send(answer.data(), answer.size(), delayMs);
  }
  uint32_t rate = 9600;
  uint32_t delayMs = 0;
  std::vector<uint8_t> answer;
  std::vector<uint8_t> received;
  std::vector<uint64_t> times;
};

class MemoryCommPortTest : public ::testing::Test {
 protected:
  MemoryCommPortTest() : port_(clock_, &peer_) {
    LineSettings settings;
    settings.baudRate = 9600;
    port_.SetState(settings);
  }
  void SetReadTimeouts(uint32_t interval, uint32_t multiplier, uint32_t constant) {
    CommTimeouts timeouts;
    timeouts.readInterval = interval;
    timeouts.readTotalMultiplier = multiplier;
    timeouts.readTotalConstant = constant;
    port_.SetTimeouts(timeouts);
  }
  uint32_t Send(std::vector<uint8_t> bytes) {
    uint32_t sent = 0;
    port_.Write(bytes.data(), uint32_t(bytes.size()), sent);
    return sent;
  }

  MemoryClock clock_;
  ScriptedPeer peer_;
  MemoryCommPort port_;
};

TEST_F(MemoryCommPortTest, WrittenBytesLeaveOneAfterTheOtherAtTheLineRate) {
  // 9600 baud, ten bits a byte: 1.042 ms a byte, so 96 bytes take 100 ms.
  EXPECT_EQ(Send(std::vector<uint8_t>(96, 0x55)), 96u);
  // The write only queued them.
  EXPECT_EQ(clock_.Elapsed(), 0u);
  EXPECT_EQ(port_.Queued(), 96u);
  EXPECT_TRUE(peer_.received.empty());
  clock_.Advance(50);
  EXPECT_TRUE(port_.Purge(kPurgeRxClear | kPurgeRxAbort));  // any call brings the line up to date
  EXPECT_EQ(peer_.received.size(), 47u);                    // 48 would end at 50.016 ms
  EXPECT_TRUE(port_.Drain());
  EXPECT_EQ(clock_.Elapsed(), 100u);
  EXPECT_EQ(peer_.received.size(), 96u);
  EXPECT_EQ(peer_.times.front(), 1u);
  EXPECT_EQ(peer_.times.back(), 100u);
}

// What has not fully left is dropped by a transmit purge, as a UART's transmit queue is;
// a receive purge leaves it alone.
TEST_F(MemoryCommPortTest, ATransmitPurgeDropsWhatHasNotLeft) {
  Send({0x01, 0x02, 0x03});
  EXPECT_TRUE(port_.Purge(kPurgeRxClear | kPurgeRxAbort));
  clock_.Advance(2);  // the first byte left at 1.042 ms, the second is half out
  EXPECT_TRUE(port_.Purge(kPurgeTxClear | kPurgeTxAbort));
  EXPECT_TRUE(port_.Drain());
  EXPECT_EQ(peer_.received, (std::vector<uint8_t>{0x01}));
  EXPECT_EQ(clock_.Elapsed(), 2u);
}

TEST_F(MemoryCommPortTest, AFullTransmitQueueMakesTheWriteWait) {
  port_.SetupQueues(16, 4);
  EXPECT_EQ(Send({1, 2, 3, 4, 5, 6}), 6u);
  // Two bytes had to leave to make room: 2.084 ms.
  EXPECT_EQ(clock_.Elapsed(), 2u);
  EXPECT_EQ(port_.Queued(), 4u);
  EXPECT_EQ(peer_.received.size(), 2u);
}

TEST_F(MemoryCommPortTest, AReadThatGetsNothingWaitsItsTotalTimeout) {
  SetReadTimeouts(200, 200, 1);
  uint8_t buffer[4];
  uint32_t got = 99;
  EXPECT_TRUE(port_.Read(buffer, 1, got));
  EXPECT_EQ(got, 0u);
  EXPECT_EQ(clock_.Elapsed(), 201u);
  EXPECT_TRUE(port_.Read(buffer, 2, got));
  EXPECT_EQ(clock_.Elapsed(), 201u + 401u);
}

TEST_F(MemoryCommPortTest, AnswersArriveAfterTheirDelayAndWireTime) {
  peer_.answer = {0x15};
  peer_.delayMs = 5;
  Send({0x05});  // 1.042 ms on the wire
  SetReadTimeouts(200, 200, 1);
  uint8_t byte = 0;
  uint32_t got = 0;
  EXPECT_TRUE(port_.Read(&byte, 1, got));
  EXPECT_EQ(got, 1u);
  EXPECT_EQ(byte, 0x15);
  // 1042 us + 5 ms + 1042 us
  EXPECT_EQ(clock_.Elapsed(), 7u);
}

TEST_F(MemoryCommPortTest, TheIntervalTimeoutEndsAReadBetweenBytes) {
  peer_.answer = {0x01, 0x02};
  Send({0x00});
  port_.Drain();
  peer_.answer.clear();
  uint8_t buffer[5] = {};
  uint32_t got = 0;
  SetReadTimeouts(20, 0, 0);  // interval only
  EXPECT_TRUE(port_.Read(buffer, 5, got));
  EXPECT_EQ(got, 2u);
  // The second byte arrived at 3.1 ms; the read gave up 20 ms later.
  EXPECT_EQ(clock_.Elapsed(), 23u);
}

// The MAXDWORD settings: return at once with what is there, or as soon as a byte came.
TEST_F(MemoryCommPortTest, MaxDwordIntervalReadsReturnWithWhatHasArrived) {
  peer_.answer = {0x06, 0x07};
  peer_.delayMs = 10;
  Send({0x05});  // 1 ms on the wire; the answer is there 10 ms and two bytes later
  uint8_t buffer[4];
  uint32_t got = 99;
  SetReadTimeouts(kMaxDword, 0, 0);
  EXPECT_TRUE(port_.Read(buffer, 4, got));
  EXPECT_EQ(got, 0u);
  EXPECT_EQ(clock_.Elapsed(), 0u);  // the ENQ has not even left
  SetReadTimeouts(kMaxDword, kMaxDword, 500);
  EXPECT_TRUE(port_.Read(buffer, 4, got));
  EXPECT_EQ(got, 1u);  // the second byte is still on the wire when the first ends the read
  EXPECT_EQ(clock_.Elapsed(), 12u);
}

TEST_F(MemoryCommPortTest, BytesAtAnotherRateAreLost) {
  peer_.rate = 4800;
  peer_.answer = {0x15};
  Send({0x05});
  port_.Drain();
  EXPECT_TRUE(peer_.received.empty());
  LineSettings settings;
  settings.baudRate = 4800;
  port_.SetState(settings);
  Send({0x05});
  port_.Drain();
  ASSERT_EQ(peer_.received.size(), 1u);
  // The answer came at 4800 too, so it is heard; at 9600 it would be noise.
  settings.baudRate = 9600;
  port_.SetState(settings);
  SetReadTimeouts(200, 200, 1);
  uint8_t byte = 0;
  uint32_t got = 0;
  port_.Read(&byte, 1, got);
  EXPECT_EQ(got, 1u);
  // A byte still queued when the rate changes leaves at the new rate: lost to the peer.
  Send({0x05});
  settings.baudRate = 4800;
  port_.SetState(settings);
  port_.Drain();
  EXPECT_EQ(peer_.received.size(), 2u);
  Send({0x05});
  settings.baudRate = 9600;
  port_.SetState(settings);
  port_.Drain();
  EXPECT_EQ(peer_.received.size(), 2u);
}

TEST_F(MemoryCommPortTest, PurgeDropsWhatHasArrivedButNotWhatIsOnTheWay) {
  peer_.answer = {0xAA};
  peer_.delayMs = 50;
  Send({0x01});
  clock_.Advance(10);
  Send({0x02});  // its answer queues behind the first: 51 and 52 ms
  clock_.Advance(45);
  port_.Purge(kPurgeAll);  // at 57 ms the first answer has arrived, the second is on the way
  SetReadTimeouts(200, 200, 1);
  uint8_t buffer[2];
  uint32_t got = 0;
  port_.Read(buffer, 2, got);
  EXPECT_EQ(got, 1u);
}

TEST(MemoryPortProvider, HandsOutEachPortOnce) {
  MemoryClock clock;
  MemoryPortProvider ports(clock);
  ports.SetMissing(3, true);
  EXPECT_EQ(ports.Acquire(3), nullptr);
  EXPECT_EQ(ports.Acquire(0), nullptr);
  EXPECT_EQ(ports.Acquire(33), nullptr);
  CommPort* first = ports.Acquire(1);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(ports.Acquire(1), nullptr);
  EXPECT_TRUE(ports.Release(1));
  EXPECT_FALSE(ports.Release(1));
  EXPECT_NE(ports.Acquire(1), nullptr);
  EXPECT_EQ(ports.AcquireCount(), 2);
  EXPECT_EQ(ports.ReleaseCount(), 1);
}

}  // namespace
}  // namespace orn::platform
