#pragma once
// The fiscal memory: the registration record, then one record per closed shift (written by
// the Z report) until the memory is full.

#include <array>
#include <cstdint>
#include <vector>

#include "platform/Clock.h"

namespace orn::simulator {

struct ShiftRecord {
  uint16_t shift = 0;
  platform::LocalTime date;            // the date of the Z report (time unused)
  std::array<int64_t, 4> totals = {};  // by receipt type: sale, purchase, sale refund,
                                       // purchase refund
};

struct FiscalMemory {
  platform::LocalTime registrationDate = {2025, 12, 1, 0, 0, 0, 0};
  uint16_t capacity = 2100;  // shift records the memory holds
  std::vector<ShiftRecord> shifts;

  // 0 before the first Z report.
  uint16_t LastClosedShift() const;
  uint16_t FreeRecords() const;
  bool Full() const { return FreeRecords() == 0; }
  // The date of the last record: the registration when no shift has been closed.
  platform::LocalTime LastRecordDate() const;
};

// Days compared by year, month and day only; the time is ignored.
int32_t DateKey(const platform::LocalTime& date);
bool IsValidDate(uint16_t year, uint16_t month, uint16_t day);

}  // namespace orn::simulator
