#pragma once
// A register that takes every well-formed frame (a bad check byte is refused with NAK) and
// answers its command with success, recording each request message: for tests of the exact bytes
// the driver sends, and of the driver's bounds against a register stuck in one state. Its status
// answer is all zeros but the flags, mode and submode it is told; its type answer names `model`;
// the other answers carry as many zero data bytes as their layouts have. An answer is kept
// until the driver acknowledges it and offered again at each ENQ meanwhile.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "platform/memory/LinePeer.h"
#include "support/Frames.h"

namespace orn::testing {

class RecordingRegister : public platform::LinePeer {
 public:
  uint32_t BaudRate() const override { return 4800; }

  void OnByte(uint8_t byte, uint64_t nowMs, platform::LineReply& reply) override {
    if (!inFrame_) {
      if (byte == kEnq && nowMs >= quietUntilMs_) {
        if (held_.empty()) return Reply(reply, {kNak});
        Reply(reply, Bytes{kAck} + held_);
      }
      if (byte == kAck) held_.clear();
      if (byte == kStx) {
        inFrame_ = true;
        frame_.clear();
      }
      return;
    }
    frame_.push_back(byte);
    if (frame_.size() < 2 || frame_.size() < size_t(frame_[0]) + 2) return;
    inFrame_ = false;
    const Bytes message(frame_.begin() + 1, frame_.end() - 1);
    if (Bytes{kStx} + frame_ != FrameOf(message)) return Reply(reply, {kNak});
    requests.push_back(message);
    Reply(reply, {kAck});
    if (neverAnswers) return;
    const bool service = message[0] == 0x11 || message[0] == 0xB0 || message[0] == 0xFC;
    Bytes answer = {message[0], service ? uint8_t(0) : stickyError};
    if (message[0] == 0x11 && beforeStatus) beforeStatus(nowMs);
    if (message[0] == 0x11) answer[1] = statusError;
    if (message[0] == 0x11) {
      answer.resize(2 + 46, 0);
      answer[2 + 11] = uint8_t(flags);
      answer[2 + 12] = uint8_t(flags >> 8);
      answer[2 + 13] = mode;
      answer[2 + 14] = submode;
    }
    if (message[0] == 0xFC) answer.insert(answer.end(), {0, 0, 1, 0, model, 0, 'X'});
    if (auto data = answerData.find(message[0]); data != answerData.end())
      answer.insert(answer.end(), data->second.begin(), data->second.end());
    if (auto size = kAnswerData.find(message[0]);
        size != kAnswerData.end() && answer.size() < 2 + size->second)
      answer.resize(2 + size->second, 0);
    if (message[0] == 0x11 && statusLength) answer.resize(2 + *statusLength);
    held_ = FrameOf(answer);
    if (quietAfterFrameMs > 0) {
      quietUntilMs_ = nowMs + quietAfterFrameMs;
      return;
    }
    Reply(reply, held_);
  }

  // The register loses its answer, as a reset would: the next ENQ gets NAK.
  void ForgetAnswer() { held_.clear(); }

  std::vector<Bytes> requests;
  uint8_t model = 0;
  uint16_t flags = 0x00D0;  // paper present, two decimals
  uint8_t mode = 0;
  uint8_t submode = 0;
  // Answered to every command but status, type and ContinuePrint.
  uint8_t stickyError = 0;
  // Data bytes answered after the code and error code of a command (type: after its own).
  std::map<uint8_t, Bytes> answerData;
  // The error code of every status answer.
  uint8_t statusError = 0;
  // Data bytes of the status answer, when it is to be cut short.
  std::optional<size_t> statusLength;
  // Frames are acknowledged and never answered.
  bool neverAnswers = false;
  // After a frame the register stays quiet this long (ENQs unanswered), then offers its
  // answer at the next ENQ.
  uint64_t quietAfterFrameMs = 0;
  // Called with the line time before each status answer is made, to change the state.
  std::function<void(uint64_t)> beforeStatus;

  int Count(uint8_t code) const {
    int count = 0;
    for (const auto& request : requests) count += request[0] == code;
    return count;
  }

 private:
  static void Reply(platform::LineReply& reply, const Bytes& bytes) {
    reply.Send(bytes.data(), bytes.size(), 1);
  }
  // Data bytes of the answers that carry more than the operator number.
  inline static const std::map<uint8_t, size_t> kAnswerData = {{0x11, 46}, {0x1A, 7}, {0x1B, 3},
                                                               {0x2D, 43}, {0x63, 5}, {0x89, 6}};
  bool inFrame_ = false;
  Bytes frame_;  // after STX: length, message, check byte
  Bytes held_;   // the answer frame not yet acknowledged
  uint64_t quietUntilMs_ = 0;
};

}  // namespace orn::testing
