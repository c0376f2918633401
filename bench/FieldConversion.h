#pragma once
// Converting the text of an input field to a method argument, and the date texts of the
// OPOS form. A text that does not convert raises a BenchError with the message a user sees.

#include <cstdint>
#include <string>
#include <string_view>

namespace orn::bench {

// A signed 32-bit decimal integer; blanks around it are allowed.
int32_t ParseInteger(std::wstring_view text);
// An amount with the given decimal separator, as OLE currency (amount × 10000); more than
// four decimals are rounded half away from zero.
int64_t ParseAmount(std::wstring_view text, wchar_t decimalSeparator);

struct CalendarTime {
  int year, month, day, hour, minute;
};
// "ddmmyyyy0000": the date alone.
std::wstring FormatOposDate(const CalendarTime& date);
// "ddmmyyyyhhmm": date and time of day, seconds dropped.
std::wstring FormatOposDateTime(const CalendarTime& time);

}  // namespace orn::bench
