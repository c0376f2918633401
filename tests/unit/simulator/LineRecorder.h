#pragma once
// Drives a RegisterSimulator byte by byte as the virtual line would, and records what it
// sends back.

#include <cstdint>
#include <vector>

#include "platform/memory/LinePeer.h"
#include "simulator/RegisterSimulator.h"
#include "support/Frames.h"

namespace orn::simulator::testing {

// The tests' own frames, not the simulator's.
using orn::testing::AnswerAfterAck;
using orn::testing::Bytes;
using orn::testing::FrameOf;
using orn::testing::kAck;
using orn::testing::kEnq;
using orn::testing::kNak;
using orn::testing::kStx;
using orn::testing::operator+;

struct SentChunk {
  Bytes bytes;
  uint32_t delayMs;
};

class LineRecorder : public platform::LineReply {
 public:
  void Send(const uint8_t* data, size_t count, uint32_t delayMs) override {
    chunks.push_back({Bytes(data, data + count), delayMs});
  }

  // Feeds `bytes` arriving at `nowMs` and returns everything sent in reply to them.
  Bytes Feed(RegisterSimulator& simulator, const Bytes& bytes, uint64_t nowMs = 0) {
    chunks.clear();
    for (uint8_t byte : bytes) simulator.OnByte(byte, nowMs, *this);
    Bytes sent;
    for (const SentChunk& chunk : chunks)
      sent.insert(sent.end(), chunk.bytes.begin(), chunk.bytes.end());
    return sent;
  }

  std::vector<SentChunk> chunks;
};

// GetStatus with the default operator password 30.
inline const Bytes kGetStatus = {0x11, 30, 0, 0, 0};
inline const Bytes kGetDeviceType = {0xFC};

}  // namespace orn::simulator::testing
