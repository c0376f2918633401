// Answers are decoded straight into the cached fields (the data bytes after the command
// and error codes).

#include <algorithm>
#include <cstring>

#include "device/FiscalDevice.h"
#include "device/ModelTable.h"

namespace orn::device {

namespace {

uint64_t LittleEndian(const uint8_t* bytes, size_t count) {
  uint64_t value = 0;
  for (size_t i = count; i > 0; --i) value = value << 8 | bytes[i - 1];
  return value;
}

// The text of a fixed field: up to its first zero byte.
std::string FieldText(const uint8_t* bytes, size_t size) {
  const uint8_t* end = std::find(bytes, bytes + size, uint8_t(0));
  return std::string(reinterpret_cast<const char*>(bytes), size_t(end - bytes));
}

}  // namespace

void FiscalDevice::DecodeAnswerData(uint8_t code) {
  const uint8_t* data = answer_;
  const size_t length = answerDataLength_;
  // Only what arrived is decoded; missing bytes count as zeros.
  auto bytes = [&](size_t from, size_t count) {
    return LittleEndian(data + from, from >= length ? 0 : std::min(count, length - from));
  };
  switch (code) {
    case command::kGetStatus.code:
      return DecodeStatus();
    case command::kGetDeviceType.code:
      return DecodeDeviceType();
    case command::kGetCashRegister.code:
      cashRegister_ = int64_t(bytes(1, 6));
      return;
    case command::kGetOperationRegister.code:
      cashRegister_ = 0;
      operationRegister_ = uint16_t(bytes(1, 2));
      return;
    case command::kSubtotal.code:
      subtotal_ = int64_t(bytes(1, 5));
      return;
    case command::kGetLastFiscalRecordDate.code:
      for (size_t i = 0; i < 3; ++i) lastRecordDate_[i] = uint8_t(bytes(2 + i, 1));
      return;
    case command::kReadTable.code:
      return DecodeTable();
    case command::kGetTableStructure.code:
      tableName_ = FieldText(data, std::min<size_t>(length, 40));
      tableRows_ = uint16_t(bytes(40, 2));
      tableFields_ = uint8_t(bytes(42, 1));
      return;
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

void FiscalDevice::ForgetType() {
  deviceType_ = DeviceType{};
  modelFamily_ = modelCategory_ = 0;
  lineWidth_ = 0;
}

void FiscalDevice::DecodeDeviceType() {
  if (answerDataLength_ < 6) return;  // a short answer keeps what was known
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

void FiscalDevice::DecodeTable() {
  const size_t size = std::min<size_t>(readCell_.size, answerDataLength_);
  if (readCell_.kind == FieldKind::kString) {
    tableTextLength_ = size_t(std::find(answer_, answer_ + size, uint8_t(0)) - answer_);
    std::memcpy(tableText_, answer_, tableTextLength_);
  } else {
    tableNumber_ = uint32_t(LittleEndian(answer_, std::min<size_t>(size, 4)));
  }
}

}  // namespace orn::device
