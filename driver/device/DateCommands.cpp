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

bool FiscalDevice::SetDeviceTime(const uint8_t time[3]) {
  return DateCommand(command::kSetDeviceTime, time);
}
bool FiscalDevice::SetDeviceDate(const uint8_t date[3]) {
  return DateCommand(command::kSetDeviceDate, date);
}
bool FiscalDevice::ConfirmDate(const uint8_t date[3]) {
  return DateCommand(command::kConfirmDate, date);
}

bool FiscalDevice::SetDateTime(const uint8_t dateTime[5]) {
  // The register's own date, as the last status gave it.
  uint8_t previous[3];
  std::memcpy(previous, StatusDate(), 3);
  if (!(SetDeviceDate(dateTime) && ConfirmDate(dateTime))) {
    if (lastDeviceError_ != device_error::kDateBeforeLastRecord) return false;
    // The register waits for its date to be confirmed: give it back its own date, then
    // report why the new one was refused.
    ConfirmDate(previous);
    lastDeviceError_ = device_error::kDateBeforeLastRecord;
    errors_.MapDeviceError(device_error::kDateBeforeLastRecord);
    return false;
  }
  const uint8_t time[3] = {dateTime[3], dateTime[4], 0};
  return SetDeviceTime(time);
}

}  // namespace orn::device
