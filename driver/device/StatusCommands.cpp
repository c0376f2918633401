// The commands that tell what the register is and how it is: status, type, line rate,
// and the paper check on the cached status.

#include <algorithm>

#include "device/FiscalDevice.h"
#include "device/ModelTable.h"
#include "device/ResultCodes.h"

namespace orn::device {

size_t FiscalDevice::BeginRequest(uint8_t code, bool withPassword) {
  request_[0] = code;
  return withPassword ? PutInteger(1, password_, 4) : 1;
}

size_t FiscalDevice::PutByte(size_t at, uint8_t value) {
  request_[at] = value;
  return at + 1;
}

size_t FiscalDevice::PutInteger(size_t at, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) request_[at + i] = uint8_t(value >> (8 * i));
  return at + bytes;
}

bool FiscalDevice::GetStatus() {
  return SendCommand(BeginRequest(0x11));
}

bool FiscalDevice::GetDeviceType() {
  return SendCommand(BeginRequest(0xFC, false));
}

bool FiscalDevice::SetExchangeParams(uint8_t baudRateCode, uint8_t byteTimeout) {
  size_t at = BeginRequest(0x14);
  at = PutByte(at, 0x00);  // the register's port number
  at = PutByte(at, baudRateCode);
  at = PutByte(at, byteTimeout);
  return SendCommand(at);
}

bool FiscalDevice::CheckPaper() {
  if (!(flags_ & flag::kJournalPaper)) {
    SetExtendedError(OPOS_EFPTR_JRN_EMPTY);
    return false;
  }
  if (!(flags_ & flag::kReceiptPaper)) {
    SetExtendedError(OPOS_EFPTR_REC_EMPTY);
    return false;
  }
  return true;
}

void FiscalDevice::DecodeAnswerData(uint8_t code) {
  switch (code) {
    case 0x11:
      return DecodeStatus();
    case 0xFC:
      return DecodeDeviceType();
    default:
      return;
  }
}

void FiscalDevice::DecodeStatus() {
  const size_t count = std::min(answerDataLength_, sizeof status_);
  std::copy(answer_, answer_ + count, status_);
  flags_ = uint16_t(status_[status::kFlags] | status_[status::kFlags + 1] << 8);
  currencyDivisor_ = (flags_ & flag::kTwoDecimals) ? 100 : 10000;
}

void FiscalDevice::DecodeDeviceType() {
  if (answerDataLength_ < 6) return;
  deviceType_.type = answer_[0];
  deviceType_.subtype = answer_[1];
  deviceType_.protocolVersion = answer_[2];
  deviceType_.protocolSubversion = answer_[3];
  deviceType_.model = answer_[4];
  deviceType_.language = answer_[5];
  const size_t nameLength = std::min(answerDataLength_ - 6, kMaxDeviceNameLength);
  deviceType_.name.assign(reinterpret_cast<const char*>(answer_ + 6), nameLength);
  const ModelInfo info = LookUpModel(deviceType_.model, deviceType_.protocolSubversion);
  modelFamily_ = info.family;
  modelCategory_ = info.category;
}

}  // namespace orn::device
