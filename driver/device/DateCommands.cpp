// The register's date and time, and setting them with the date confirmation it asks for.

#include <cstring>

#include "device/DeviceErrors.h"
#include "device/FiscalDevice.h"

namespace orn::device {

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
