#include "simulator/FiscalMemory.h"

namespace orn::simulator {

uint16_t FiscalMemory::LastClosedShift() const {
  return shifts.empty() ? 0 : shifts.back().shift;
}

uint16_t FiscalMemory::FreeRecords() const {
  return shifts.size() >= capacity ? 0 : uint16_t(capacity - shifts.size());
}

platform::LocalTime FiscalMemory::LastRecordDate() const {
  return shifts.empty() ? registrationDate : shifts.back().date;
}

int32_t DateKey(const platform::LocalTime& date) {
  return int32_t(date.year) * 10000 + int32_t(date.month) * 100 + int32_t(date.day);
}

bool IsValidDate(uint16_t year, uint16_t month, uint16_t day) {
  static constexpr uint8_t kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12 || day < 1 || day > kDays[month - 1]) return false;
  const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  return !(month == 2 && day == 29 && !leap);
}

}  // namespace orn::simulator
