// The framed exchange with the register: ENQ/ACK/NAK handshake, frames with their check
// byte, and the decoding of answers up to the command's own decoder.

#include <cstring>

#include "config/DriverLog.h"
#include "device/DeviceErrors.h"
#include "device/FiscalDevice.h"
#include "device/ResultCodes.h"

namespace orn::device {

namespace {
// Up to ten seconds for the first two bytes of an answer; 1 ms otherwise, so that a read
// of n bytes waits at most 200 * n + 1 ms.
constexpr uint32_t kAnswerStartTimeout = 10000;
constexpr uint32_t kIdleTimeout = 1;

using State = UnsettledCommand::State;

constexpr char kOutcomeUnknownText[] =
    "ФР принял команду, но ответа на нее нет: выполнена ли она, неизвестно";
}  // namespace

bool FiscalDevice::ReadControlByte(uint8_t& byte) {
  if (!port_.Read(&byte, 1)) return false;
  if (byte == kAck || byte == kNak) registerHeard_ = true;
  return true;
}

bool FiscalDevice::ReceiveAnswer() {
  if (!port_.SetTimeouts(kAnswerStartTimeout)) return false;
  uint8_t stx = 0;
  const bool started = port_.Read(&stx, 1) && stx == kStx;
  port_.SetTimeouts(kIdleTimeout);
  if (!started) {
    DrainLine();
    return false;
  }
  return ReceiveAnswerBody();
}

bool FiscalDevice::ReceiveAnswerBody() {
  if (!port_.Read(&answerLength_, 1)) return false;
  if (!port_.Read(answer_, uint32_t(answerLength_) + 1)) return false;
  const bool good = CheckByte(answer_, answerLength_) == answer_[answerLength_];
  const uint8_t reply = good ? kAck : kNak;
  port_.Write(&reply, 1);
  return good;
}

void FiscalDevice::DrainLine() {
  // Bytes of a frame that was not read whole (a control byte lost on the line, and the
  // answer behind it) must not be taken for the register's next reply: a data byte 15h
  // read as NAK would send a command again. Read until the line is quiet; no frame is
  // longer than the buffer.
  uint8_t byte = 0;
  for (size_t count = 0; count < kFrameBuffer + 2 && port_.Read(&byte, 1); ++count) {
  }
}

void FiscalDevice::SaveUnsettled() {
  if (unsettledStore_) unsettledStore_->SaveUnsettled(EncodeUnsettled(unsettled_));
}

void FiscalDevice::KeepUnsettled(const uint8_t* frame, uint32_t size, State state) {
  std::memcpy(unsettled_.frame, frame, size);
  unsettled_.frameSize = size;
  unsettled_.state = state;
  SaveUnsettled();
}

void FiscalDevice::ForgetUnsettled() {
  if (unsettled_.state == State::kNone) return;
  unsettled_.Clear();
  SaveUnsettled();
}

void FiscalDevice::SetUnsettledStore(UnsettledStore* store) {
  unsettledStore_ = store;
  if (!store) return;
  if (!DecodeUnsettled(store->LoadUnsettled(), unsettled_)) {
    log_.LogError("неверная запись о неподтвержденной команде отброшена");
    SaveUnsettled();
  }
}

bool FiscalDevice::SettleFromHeldAnswer(const uint8_t* frame, uint32_t size) {
  // The answer the register held before this exchange's frame went out.
  const bool ours =
      unsettled_.state == State::kAwaitingAnswer || unsettled_.state == State::kMaybeSent;
  if (!ours || answerLength_ < 2 || answer_[0] != unsettled_.Code()) return false;
  log_.LogErrorF("ответ на команду %.2Xh получен после сбоя связи", unsigned(answer_[0]));
  if (unsettled_.SameFrame(frame, size)) {
    unsettled_.Clear();
    SaveUnsettled();
    return true;
  }
  unsettled_.state = State::kAnswered;
  unsettled_.answerLength = answerLength_;
  std::memcpy(unsettled_.answer, answer_, answerLength_);
  SaveUnsettled();
  return false;
}

bool FiscalDevice::RegisterKeepsWaitingForContinue() {
  // The register answers, and keeps asking to be told to go on printing: its own error is
  // the diagnosis, not a silent line.
  lastDeviceError_ = device_error::kWaitingForContinuePrint;
  errors_.MapDeviceError(lastDeviceError_);
  return false;
}

bool FiscalDevice::SendCommand(size_t length) {
  sending_ = building_;
  if (!RequestLengthMatches(length)) return false;
  log_.LogSent(request_, length);
  // The frame is kept here: ContinuePrint below builds requests of its own.
  uint8_t frame[kFrameBuffer];
  frame[0] = kStx;
  frame[1] = uint8_t(length);
  std::memcpy(frame + 2, request_, length);
  frame[2 + length] = CheckByte(request_, length);
  const uint8_t code = request_[0];
  const Command* command = sending_;
  const Effect effect = command ? command->effect : Effect::kReads;
  port_.ClearError();
  registerHeard_ = false;
  // An earlier command's register error must not be read as this one's when no answer
  // comes at all.
  lastDeviceError_ = 0;
  for (int resends = 0;; ++resends) {
    const ExchangeResult result = Exchange(frame, uint32_t(length + 3), effect);
    if (result == ExchangeResult::kOutcomeUnknown) {
      log_.LogError(kOutcomeUnknownText);
      errors_.SetErrorString(kOutcomeUnknownText);
      errors_.Set(OPOS_E_FAILURE, 0);
      return false;
    }
    if (result == ExchangeResult::kNoConnection) {
      log_.LogError("Нет связи");
      // A port that failed in the OS is no silent register: say what the OS said.
      if (const platform::OsError& error = port_.LastError(); error.code != 0)
        log_.LogErrorF("порт COM%d: %u, %s", port_.PortNumber(), unsigned(error.code),
                       error.text.c_str());
      errors_.SetTimeout();
      return false;
    }
    sending_ = command;
    if (DecodeAnswer(code)) return true;
    // The register waits to be told to go on printing; then it takes the command again.
    if (lastDeviceError_ != device_error::kWaitingForContinuePrint) return false;
    if (resends >= kMaxContinueResends) return RegisterKeepsWaitingForContinue();
    if (!ContinuePrint()) return false;
  }
}

bool FiscalDevice::MalformedAnswer(const char* text) {
  errors_.SetErrorString(text);
  // A broken answer is no success: the command did not run as asked.
  errors_.Set(OPOS_E_FAILURE, 0);
  log_.LogError(text);
  return false;
}

bool FiscalDevice::DecodeAnswer(uint8_t expectedCode) {
  log_.LogReceived(answer_, answerLength_);
  answerDataLength_ = 0;
  if (answerLength_ < 2) return MalformedAnswer("Неверная длина кадра.");
  if (answer_[0] != expectedCode) return MalformedAnswer("Неверный код команды в ответе.");
  lastDeviceError_ = answer_[1];
  if (lastDeviceError_ != 0)
    log_.LogErrorF("%.2Xh, %s", lastDeviceError_, ErrorText(lastDeviceError_));
  if (!errors_.MapDeviceError(lastDeviceError_)) return false;
  // An answer without the data its decoder reads is refused whole: fields it lacks must
  // not keep an earlier answer's values.
  if (sending_ && size_t(answerLength_) - 2 < sending_->answerData)
    return MalformedAnswer("Неверная длина кадра.");
  answerDataLength_ = size_t(answerLength_) - 2;
  std::memmove(answer_, answer_ + 2, answerDataLength_);
  DecodeAnswerData(expectedCode);
  return true;
}

}  // namespace orn::device
