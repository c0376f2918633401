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
}  // namespace

bool FiscalDevice::ReadControlByte(uint8_t& byte) {
  return port_.Read(&byte, 1);
}

bool FiscalDevice::ReceiveAnswer() {
  if (!port_.SetTimeouts(kAnswerStartTimeout)) return false;
  uint8_t head[2];
  if (!port_.Read(head, 2) || head[0] != kStx) {
    port_.SetTimeouts(kIdleTimeout);
    return false;
  }
  port_.SetTimeouts(kIdleTimeout);
  answerLength_ = head[1];
  if (!port_.Read(answer_, uint32_t(answerLength_) + 1)) return false;
  const bool good = CheckByte(answer_, answerLength_) == answer_[answerLength_];
  const uint8_t reply = good ? kAck : kNak;
  port_.Write(&reply, 1);
  return good;
}

bool FiscalDevice::Exchange(const uint8_t* frame, uint32_t size) {
  if (!port_.Purge()) return false;
  int noAnswer = 0;
  int badAcknowledge = 0;
  int answerFailure = 0;
  bool frameSent = false;
  const int maxRounds = kRoundsPerRetry * retryLimit_;
  for (int round = 0; round < maxRounds; ++round) {
    const uint8_t enq = kEnq;
    if (!port_.Write(&enq, 1)) return false;
    uint8_t byte = 0;
    if (!ReadControlByte(byte) || (byte != kAck && byte != kNak)) {
      ++noAnswer;
    } else if (byte == kAck) {
      // The register holds an answer; before our frame went out it is a stale one.
      if (ReceiveAnswer() && frameSent) return true;
      ++answerFailure;
    } else {
      frameSent = port_.Write(frame, size);
      if (!frameSent) return false;
      if (ReadControlByte(byte) && byte == kAck) {
        if (ReceiveAnswer()) return true;
        answerFailure = 1;
      } else {
        ++badAcknowledge;
      }
    }
    if (noAnswer >= retryLimit_ || badAcknowledge >= retryLimit_ || answerFailure >= retryLimit_)
      return false;
  }
  return false;
}

bool FiscalDevice::SendCommand(size_t length) {
  if (!RequestLengthMatches(length)) return false;
  log_.LogSent(request_, length);
  // The frame is kept here: ContinuePrint below builds requests of its own.
  uint8_t frame[kFrameBuffer];
  frame[0] = kStx;
  frame[1] = uint8_t(length);
  std::memcpy(frame + 2, request_, length);
  frame[2 + length] = CheckByte(request_, length);
  const uint8_t code = request_[0];
  port_.ClearError();
  // An earlier command's register error must not be read as this one's when no answer
  // comes at all.
  lastDeviceError_ = 0;
  for (int resends = 0;; ++resends) {
    if (!Exchange(frame, uint32_t(length + 3))) {
      log_.LogError("Нет связи");
      // A port that failed in the OS is no silent register: say what the OS said.
      if (const platform::OsError& error = port_.LastError(); error.code != 0)
        log_.LogErrorF("порт COM%d: %u, %s", port_.PortNumber(), unsigned(error.code),
                       error.text.c_str());
      errors_.SetTimeout();
      return false;
    }
    if (DecodeAnswer(code)) return true;
    // The register waits to be told to go on printing; then it takes the command again.
    if (lastDeviceError_ != device_error::kWaitingForContinuePrint) return false;
    if (resends >= kMaxContinueResends) return TimedOut();
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
  answerDataLength_ = size_t(answerLength_) - 2;
  std::memmove(answer_, answer_ + 2, answerDataLength_);
  DecodeAnswerData(expectedCode);
  return true;
}

}  // namespace orn::device
