// One exchange with the register, as named steps: settle what an earlier attempt of the same
// frame already learnt; then rounds of offering (ENQ), taking an answer the register holds
// (ACK), or sending the frame when it is ready (NAK); and, when the bounds run out, keeping a
// recording command the register may hold, so that its answer is fetched, not its frame sent
// again.

#include <cstring>

#include "config/DriverLog.h"
#include "device/FiscalDevice.h"

namespace orn::device {

namespace {
using State = UnsettledCommand::State;
}  // namespace

// What one exchange has seen so far.
struct FiscalDevice::ExchangeProgress {
  const uint8_t* frame;
  uint32_t size;
  bool recording;      // a command the register records, under the exactly-once handling
  bool makesDocument;  // one whose document number can settle it
  bool retry;          // the frame of the command left unsettled before
  // Once the register has taken the frame, only its answer is asked for.
  bool acknowledged = false;
  // The last frame written got no reply that tells (no ACK, no answer, no NAK): it was lost,
  // or the register took it and its ACK was lost.
  bool unclearReply = false;
  int frameWrites = 0;
  int noAnswer = 0;
  int badAcknowledge = 0;
  int answerFailure = 0;

  bool Exhausted(int limit) const {
    return noAnswer >= limit || badAcknowledge >= limit || answerFailure >= limit;
  }
};

FiscalDevice::ExchangeResult FiscalDevice::Exchange(const uint8_t* frame, uint32_t size,
                                                    Effect effect) {
  ExchangeProgress progress{
      frame, size, exactlyOnce_ && effect != Effect::kReads,
      exactlyOnce_ && effect == Effect::kMakesDocument,
      exactlyOnce_ && unsettled_.state != State::kNone && unsettled_.SameFrame(frame, size)};
  if (progress.retry) {
    if (const auto known = SettleRetry(progress)) return *known;
  }
  if (!port_.Purge()) return ExchangeResult::kNoConnection;
  const uint32_t start = clock_.TickCount();
  const int maxRounds = kRoundsPerRetry * retryLimit_;
  for (int round = 0; round < maxRounds; ++round) {
    if (platform::TicksSince(start, clock_.TickCount()) >= kExchangeBoundMs) break;
    const Round outcome = OfferRound(progress);
    if (outcome == Round::kGiveUp) break;
    if (outcome != Round::kNext) return Result(outcome);
    if (progress.Exhausted(retryLimit_)) break;
  }
  return GiveUp(progress);
}

std::optional<FiscalDevice::ExchangeResult> FiscalDevice::SettleRetry(ExchangeProgress& progress) {
  switch (unsettled_.state) {
    case State::kAnswered:
      answerLength_ = unsettled_.answerLength;
      std::memcpy(answer_, unsettled_.answer, answerLength_);
      unsettled_.Clear();
      SaveUnsettled();
      log_.LogError("повтор команды не отправлен: ответ на нее уже получен");
      return ExchangeResult::kAnswered;
    case State::kUnknown:
      return ExchangeResult::kOutcomeUnknown;
    case State::kAwaitingAnswer:
      progress.acknowledged = true;
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

FiscalDevice::Round FiscalDevice::OfferRound(ExchangeProgress& progress) {
  const uint8_t enq = kEnq;
  if (!port_.Write(&enq, 1)) return Round::kNoConnection;
  uint8_t byte = 0;
  if (!ReadControlByte(byte)) {
    ++progress.noAnswer;
    return Round::kNext;
  }
  if (byte == kAck) return TakeHeldAnswer(progress);
  if (byte == kNak) return SendFrame(progress);
  DrainLine();
  ++progress.noAnswer;
  return Round::kNext;
}

FiscalDevice::Round FiscalDevice::TakeHeldAnswer(ExchangeProgress& progress) {
  if (ReceiveAnswer()) {
    if (progress.acknowledged || progress.frameWrites > 0) return Answered(progress);
    if (exactlyOnce_ && SettleFromHeldAnswer(progress.frame, progress.size))
      return Round::kAnswered;
  }
  // A broken answer, or one held from before this exchange's frame: read and dropped.
  ++progress.answerFailure;
  return Round::kNext;
}

FiscalDevice::Round FiscalDevice::SendFrame(ExchangeProgress& progress) {
  // The register holds no answer, so no earlier command's answer is to come.
  if (exactlyOnce_ && unsettled_.state == State::kAwaitingAnswer) {
    unsettled_.state = State::kUnknown;
    SaveUnsettled();
  } else if (exactlyOnce_ && unsettled_.state == State::kMaybeSent) {
    unsettled_.Clear();  // it never took that frame
    SaveUnsettled();
  }
  if ((progress.acknowledged && progress.recording) ||
      (progress.makesDocument && progress.unclearReply)) {
    // It took the frame, or may have, and forgot its answer (a reset, or a register that
    // keeps no answers): sending the frame again could record the operation twice.
    KeepUnsettled(progress.frame, progress.size, State::kUnknown);
    return Round::kOutcomeUnknown;
  }
  if (progress.frameWrites >= kMaxFrameWrites) return Round::kGiveUp;
  if (!port_.Write(progress.frame, progress.size)) return Round::kNoConnection;
  ++progress.frameWrites;
  uint8_t byte = 0;
  const bool replied = ReadControlByte(byte);
  if (replied && byte == kAck) {
    progress.acknowledged = true;
    if (ReceiveAnswer()) return Answered(progress);
    ++progress.answerFailure;
  } else if (replied && byte == kStx) {
    // The ACK was lost and the answer follows: the register took the frame.
    progress.acknowledged = true;
    if (ReceiveAnswerBody()) return Answered(progress);
    DrainLine();
    ++progress.answerFailure;
  } else {
    if (replied && byte != kNak) DrainLine();
    progress.unclearReply = !(replied && byte == kNak);
    ++progress.badAcknowledge;
  }
  return Round::kNext;
}

FiscalDevice::Round FiscalDevice::Answered(const ExchangeProgress& progress) {
  // Its retry settles an unsettled command; another recording command means the caller
  // has moved on from it.
  if ((progress.retry || progress.recording) && unsettled_.state != State::kNone) {
    unsettled_.Clear();
    SaveUnsettled();
  }
  return Round::kAnswered;
}

FiscalDevice::ExchangeResult FiscalDevice::GiveUp(const ExchangeProgress& progress) {
  // No answer within the bounds. A recording command the register may hold is kept, so
  // that its answer is fetched, not its frame sent again.
  if (progress.recording && (progress.acknowledged || progress.frameWrites > 0))
    KeepUnsettled(progress.frame, progress.size,
                  progress.acknowledged ? State::kAwaitingAnswer : State::kMaybeSent);
  return ExchangeResult::kNoConnection;
}

FiscalDevice::ExchangeResult FiscalDevice::Result(Round round) {
  switch (round) {
    case Round::kAnswered:
      return ExchangeResult::kAnswered;
    case Round::kOutcomeUnknown:
      return ExchangeResult::kOutcomeUnknown;
    default:
      return ExchangeResult::kNoConnection;
  }
}

}  // namespace orn::device
