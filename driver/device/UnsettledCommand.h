#pragma once
// A recording command whose frame the register acknowledged but whose answer never
// arrived. The register keeps an answer until the driver acknowledges it, so the next
// handshake settles the command: a held answer with its code is the command's own (it ran,
// with the error code the answer carries); no held answer leaves its outcome unknown. A
// retry of the same frame is answered from what was learnt and never sent again, so a
// sale whose answer was lost is not registered twice.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "device/Protocol.h"

namespace orn::device {

struct UnsettledCommand {
  enum class State : uint8_t {
    kNone,
    kAwaitingAnswer,  // the register took the frame; its answer is still to be fetched
    kMaybeSent,       // the frame went out, the register's ACK never came
    kAnswered,        // the late answer arrived; the retry gets it
    kUnknown,         // the register holds no answer: it may or may not have run it
  };
  State state = State::kNone;
  uint32_t frameSize = 0;
  uint8_t frame[kFrameBuffer] = {};
  uint8_t answerLength = 0;  // message bytes: code, error, data
  uint8_t answer[kFrameBuffer] = {};

  uint8_t Code() const { return frameSize > 2 ? frame[2] : 0; }
  bool SameFrame(const uint8_t* other, uint32_t size) const;
  void Clear() { state = State::kNone; }
};

// One line of text, so that the service can keep it in the registry across a restart:
// the state digit, the frame and the answer in hex ("" when nothing is unsettled).
std::string EncodeUnsettled(const UnsettledCommand& command);
// False, with `command` cleared, for a record that does not parse.
bool DecodeUnsettled(std::string_view text, UnsettledCommand& command);

class UnsettledStore {
 public:
  virtual ~UnsettledStore() = default;
  virtual void SaveUnsettled(const std::string& record) = 0;
  virtual std::string LoadUnsettled() = 0;
};

}  // namespace orn::device
