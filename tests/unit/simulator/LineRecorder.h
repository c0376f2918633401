#pragma once
// Drives a RegisterSimulator byte by byte as the virtual line would, and records what it
// sends back.

#include <cstdint>
#include <vector>

#include "platform/memory/LinePeer.h"
#include "simulator/RegisterSimulator.h"

namespace orn::simulator::testing {

inline constexpr uint8_t kStx = 0x02, kEnq = 0x05, kAck = 0x06, kNak = 0x15;

using Bytes = std::vector<uint8_t>;

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

// A request or answer frame for a message, built here independently of the simulator.
inline Bytes FrameOf(const Bytes& message) {
  Bytes frame = {kStx, uint8_t(message.size())};
  uint8_t check = uint8_t(message.size());
  for (uint8_t byte : message) {
    frame.push_back(byte);
    check ^= byte;
  }
  frame.push_back(check);
  return frame;
}

inline Bytes Concat(const Bytes& a, const Bytes& b) {
  Bytes joined = a;
  joined.insert(joined.end(), b.begin(), b.end());
  return joined;
}

// The message {code, error, data...} of a well-formed answer frame after a leading ACK;
// empty when `sent` is anything else (wrong length byte, wrong check byte, no ACK).
inline Bytes AnswerAfterAck(const Bytes& sent) {
  if (sent.size() < 4) return {};
  const Bytes message(sent.begin() + 3, sent.end() - 1);
  if (Concat({kAck}, FrameOf(message)) != sent) return {};
  return message;
}

// GetStatus with the default operator password 30.
inline const Bytes kGetStatus = {0x11, 30, 0, 0, 0};
inline const Bytes kGetDeviceType = {0xFC};

}  // namespace orn::simulator::testing
