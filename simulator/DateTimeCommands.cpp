// The register's clock: the time is set with the shift closed; a new date is set, then
// confirmed with the same date (mode 6 in between), and never before the date of the last
// fiscal memory record.

#include "platform/memory/MemoryClock.h"
#include "simulator/ErrorCodes.h"
#include "simulator/RegisterCommands.h"
#include "simulator/Wire.h"

namespace orn::simulator {

// Hour, minute, second.
uint8_t RegisterCommands::SetDeviceTime(const Request& request, Answer&) {
  if (ModeNumber() != kModeShiftClosed) return kErrorWrongMode;
  const uint8_t* p = request.params;
  if (p[0] > 23 || p[1] > 59 || p[2] > 59) return kErrorBadParameters;
  platform::LocalTime set = ClockAt(request.nowMs);
  const int64_t before = platform::MillisecondsFromLocalTime(set);
  set.hour = p[0];
  set.minute = p[1];
  set.second = p[2];
  set.millisecond = 0;
  clockShiftMs_ += platform::MillisecondsFromLocalTime(set) - before;
  return kErrorNone;
}

// Day, month, year - 2000.
uint8_t RegisterCommands::SetDeviceDate(const Request& request, Answer&) {
  const uint8_t mode = ModeNumber();
  if (mode != kModeShiftClosed && mode != kModeDateConfirmation && mode != kModeDateToBeSet)
    return kErrorWrongMode;
  const platform::LocalTime date = DateOf(request.params);
  if (!IsValidDate(date.year, date.month, date.day)) return kErrorBadDate;
  if (DateKey(date) < DateKey(state_.fiscalMemory.LastRecordDate())) return kErrorDateBeforeRecord;
  pendingDate_ = date;
  if (mode != kModeDateConfirmation) EnterSpecialMode(kModeDateConfirmation);
  return kErrorNone;
}

// Day, month, year - 2000: the date just set.
uint8_t RegisterCommands::ConfirmDate(const Request& request, Answer&) {
  if (ModeNumber() != kModeDateConfirmation) return kErrorWrongMode;
  const platform::LocalTime date = DateOf(request.params);
  if (!pendingDate_) {
    // Asked for confirmation without a date set (at start): the register's own date.
    pendingDate_ = ClockAt(request.nowMs);
  }
  if (DateKey(date) != DateKey(*pendingDate_)) return kErrorDateMismatch;
  platform::LocalTime set = ClockAt(request.nowMs);
  const int64_t before = platform::MillisecondsFromLocalTime(set);
  set.day = date.day;
  set.month = date.month;
  set.year = date.year;
  clockShiftMs_ += platform::MillisecondsFromLocalTime(set) - before;
  pendingDate_.reset();
  const bool wasDateToSet = modeBeforeSpecial_ && (*modeBeforeSpecial_ & 0x0F) == kModeDateToBeSet;
  LeaveSpecialMode(request.nowMs);
  if (wasDateToSet) state_.mode = BaseMode(request.nowMs);
  return kErrorNone;
}

}  // namespace orn::simulator
