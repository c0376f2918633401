// The register's settings tables, and its date and time.

#include <algorithm>
#include <cstring>

#include "device/DeviceErrors.h"
#include "device/FiscalDevice.h"
#include "device/ResultCodes.h"

namespace orn::device {

bool FiscalDevice::WriteTable() {
  size_t at = Start(command::kWriteTable);
  at = PutByte(at, TableNumber);
  at = PutInteger(at, TableRow, 2);
  at = PutByte(at, TableField);
  // The value fills the field: a string cut or padded with zeros, a number's low bytes.
  const size_t size = std::min<size_t>(TableFieldSize, kMaxRequest - at);
  if (TableFieldKind == FieldKind::kString) {
    const size_t copied = std::min(size, TableStringValue.size());
    std::memcpy(request_ + at, TableStringValue.data(), copied);
    std::memset(request_ + at + copied, 0, size - copied);
    at += size;
  } else {
    at = PutInteger(at, TableNumberValue, int(std::min<size_t>(size, 4)));
    for (size_t i = 4; i < size; ++i) at = PutByte(at, 0);
  }
  return SendCommand(at);
}

bool FiscalDevice::ReadTable() {
  size_t at = Start(command::kReadTable);
  at = PutByte(at, TableNumber);
  at = PutInteger(at, TableRow, 2);
  at = PutByte(at, TableField);
  if (TableFieldKind == FieldKind::kNumber) TableNumberValue = 0;
  return SendCommand(at);
}

bool FiscalDevice::GetTableStructure(uint8_t table) {
  size_t at = Start(command::kGetTableStructure);
  at = PutByte(at, table);
  return SendCommand(at);
}

bool FiscalDevice::DateCommand(const Command& command, const uint8_t* fields) {
  size_t at = Start(command);
  at = PutBytes(at, fields, 3);
  return SendCommand(at);
}

bool FiscalDevice::SetDeviceTime() {
  return DateCommand(command::kSetDeviceTime, TimeFields());
}
bool FiscalDevice::SetDeviceDate() {
  return DateCommand(command::kSetDeviceDate, DateFields());
}
bool FiscalDevice::ConfirmDate() {
  return DateCommand(command::kConfirmDate, DateFields());
}

bool FiscalDevice::SetDateTime(const uint8_t dateTime[5]) {
  uint8_t* date = DateFields();
  uint8_t previous[3];
  std::memcpy(previous, date, 3);
  std::memcpy(date, dateTime, 3);
  if (!(SetDeviceDate() && ConfirmDate())) {
    if (lastDeviceError_ != device_error::kDateBeforeLastRecord) return false;
    // The register waits for its date to be confirmed: give it back its own date, then
    // report why the new one was refused.
    std::memcpy(date, previous, 3);
    ConfirmDate();
    lastDeviceError_ = device_error::kDateBeforeLastRecord;
    errors_.MapDeviceError(device_error::kDateBeforeLastRecord);
    return false;
  }
  uint8_t* time = TimeFields();
  time[0] = dateTime[3];
  time[1] = dateTime[4];
  time[2] = 0;
  return SetDeviceTime();
}

}  // namespace orn::device
