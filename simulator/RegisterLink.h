#pragma once
// The register's side of the handshake: ENQ is answered with NAK (ready for a command) or
// ACK (an answer is pending, which follows); a frame is checked and acknowledged, run, and
// its answer sent; the answer stays pending until the driver acknowledges it.

#include <cstddef>
#include <cstdint>

#include "platform/memory/LinePeer.h"
#include "simulator/Frame.h"
#include "simulator/SimulatorFaults.h"

namespace orn::simulator {

struct LinkTiming {
  uint32_t replyDelayMs = 1;          // a byte received -> ACK or NAK
  uint32_t answerDelayMs = 5;         // a frame or ENQ received -> the answer frame
  uint32_t interByteTimeoutMs = 100;  // a gap inside a frame that abandons it
};

// What the link runs a frame's message through.
class CommandHandler {
 public:
  virtual ~CommandHandler() = default;
  // Writes the answer message (room for kMaxMessage bytes) and returns its length (2 or
  // more, unless a fault cuts the answer short).
  virtual size_t Execute(const uint8_t* request, size_t length, uint64_t nowMs,
                         uint8_t* answer) = 0;
  // The driver acknowledged the answer of the last executed frame.
  virtual void OnAnswerAcknowledged() = 0;
};

class RegisterLink {
 public:
  RegisterLink(CommandHandler& handler, SimulatorFaults& faults, SimulatorCounters& counters);

  void OnByte(uint8_t byte, uint64_t nowMs, platform::LineReply& reply);

  // Makes `answer` pending as if it were left over from an earlier exchange.
  void OfferAnswer(const uint8_t* answer, size_t length);
  bool AnswerPending() const { return answerPending_; }

  LinkTiming& Timing() { return timing_; }

 private:
  enum class Receive { Idle, Length, Message, Check };

  void OnControlByte(uint8_t byte, uint64_t nowMs, platform::LineReply& reply);
  bool Silent(uint64_t nowMs) const;
  void OnFrame(bool checkMatched, uint64_t nowMs, platform::LineReply& reply);
  void SendControl(uint8_t byte, platform::LineReply& reply);
  void SendAnswer(platform::LineReply& reply);

  CommandHandler& handler_;
  SimulatorFaults& faults_;
  SimulatorCounters& counters_;
  LinkTiming timing_;

  Receive receive_ = Receive::Idle;
  uint64_t lastByteMs_ = 0;
  size_t frameLength_ = 0;
  size_t received_ = 0;
  uint8_t request_[kMaxMessage] = {};

  uint8_t answer_[kMaxMessage] = {};
  size_t answerLength_ = 0;
  bool answerPending_ = false;
  bool awaitingVerdict_ = false;  // the answer went out; ACK or NAK from the driver decides
  bool answerExecuted_ = false;   // the pending answer belongs to a frame run here
};

}  // namespace orn::simulator
