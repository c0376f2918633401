#include "simulator/RegisterLink.h"

#include <algorithm>
#include <cstring>

namespace orn::simulator {

RegisterLink::RegisterLink(CommandHandler& handler, SimulatorFaults& faults,
                           SimulatorCounters& counters)
    : handler_(handler), faults_(faults), counters_(counters) {}

void RegisterLink::OnByte(uint8_t byte, uint64_t nowMs, platform::LineReply& reply) {
  // The driver writes a frame in one go; a long gap means the rest was lost.
  if (receive_ != Receive::Idle && nowMs - lastByteMs_ > timing_.interByteTimeoutMs) {
    receive_ = Receive::Idle;
    ++counters_.framesAbandoned;
  }
  lastByteMs_ = nowMs;

  switch (receive_) {
    case Receive::Idle:
      OnControlByte(byte, nowMs, reply);
      break;
    case Receive::Length:
      frameLength_ = byte;
      received_ = 0;
      receive_ = frameLength_ == 0 ? Receive::Check : Receive::Message;
      break;
    case Receive::Message:
      request_[received_++] = byte;
      if (received_ == frameLength_) receive_ = Receive::Check;
      break;
    case Receive::Check:
      receive_ = Receive::Idle;
      OnFrame(byte == FrameCheckByte(request_, frameLength_), nowMs, reply);
      break;
  }
}

void RegisterLink::OfferAnswer(const uint8_t* answer, size_t length) {
  answerLength_ = length < kMaxMessage ? length : kMaxMessage;
  std::memcpy(answer_, answer, answerLength_);
  answerPending_ = true;
  awaitingVerdict_ = false;
  answerExecuted_ = false;
}

void RegisterLink::OnControlByte(uint8_t byte, uint64_t nowMs, platform::LineReply& reply) {
  // A silent register still hears frames go by (so that their bytes are not taken for
  // ENQs) but does nothing about them.
  if (Silent(nowMs)) {
    if (byte == kEnq) ++counters_.enqsReceived;
    if (byte == kStx) receive_ = Receive::Length;
    return;
  }
  switch (byte) {
    case kEnq:
      ++counters_.enqsReceived;
      if (awaitingVerdict_) ++counters_.unacknowledgedAnswers;
      awaitingVerdict_ = false;
      if (answerPending_) {
        SendControl(kAck, reply);
        SendAnswer(reply);
      } else {
        SendControl(kNak, reply);
      }
      break;
    case kStx:
      receive_ = Receive::Length;
      break;
    case kAck:
      if (!awaitingVerdict_) break;
      ++counters_.acksReceived;
      awaitingVerdict_ = false;
      answerPending_ = false;
      if (answerExecuted_) handler_.OnAnswerAcknowledged();
      break;
    case kNak:
      // The answer stays pending and goes out again at the next ENQ.
      if (!awaitingVerdict_) break;
      ++counters_.naksReceived;
      awaitingVerdict_ = false;
      if (faults_.forgetRefusedAnswers) answerPending_ = false;
      break;
    default:
      break;  // line noise, or the 00h a driver sends before changing its rate
  }
}

void RegisterLink::OnFrame(bool checkMatched, uint64_t nowMs, platform::LineReply& reply) {
  if (Silent(nowMs)) return;
  if (!checkMatched || frameLength_ == 0) {
    ++counters_.badFramesReceived;
    SendControl(kNak, reply);
    return;
  }
  ++counters_.framesReceived;
  counters_.lastCommandCode = request_[0];
  SendControl(kAck, reply);
  // A new command replaces whatever answer was still pending.
  answerLength_ = handler_.Execute(request_, frameLength_, nowMs, answer_);
  answerPending_ = true;
  answerExecuted_ = true;
  const auto listed = [this](const std::vector<uint32_t>& numbers) {
    return std::find(numbers.begin(), numbers.end(), counters_.framesReceived) != numbers.end();
  };
  if (listed(faults_.forgottenAnswers)) {
    answerPending_ = false;
    return;
  }
  if (listed(faults_.lostAnswers)) return;
  SendAnswer(reply);
}

bool RegisterLink::Silent(uint64_t nowMs) const {
  return faults_.silent || nowMs < faults_.silentUntilMs;
}

void RegisterLink::SendControl(uint8_t byte, platform::LineReply& reply) {
  reply.Send(&byte, 1, timing_.replyDelayMs);
}

void RegisterLink::SendAnswer(platform::LineReply& reply) {
  uint8_t frame[kMaxFrame];
  const size_t size = BuildFrame(answer_, answerLength_, frame);
  if (faults_.badCheckAnswers > 0) {
    --faults_.badCheckAnswers;
    frame[size - 1] ^= 0xFF;
    ++counters_.badCheckAnswersSent;
  }
  if (!answerExecuted_) ++counters_.staleAnswersSent;
  reply.Send(frame, size, timing_.answerDelayMs);
  ++counters_.answersSent;
  awaitingVerdict_ = true;
}

}  // namespace orn::simulator
