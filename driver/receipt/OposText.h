#pragma once
// The texts OPOS passes for dates and numbers, read strictly: a string that is not exactly
// what it should be is refused as a whole, so that no register command ever carries half
// of a date or a number read from the wrong digits.

#include <cstdint>
#include <string>
#include <string_view>

namespace orn::receipt {

// A register date and time: day, month, year - 2000, hour, minute.
struct RegisterDateTime {
  uint8_t day = 0;
  uint8_t month = 0;
  uint8_t year = 0;
  uint8_t hour = 0;
  uint8_t minute = 0;
};

// The years a register's one-byte year holds.
inline constexpr int kFirstRegisterYear = 2000;
inline constexpr int kLastRegisterYear = 2255;

// Twelve digits "DDMMYYYYhhmm", nothing before or after them: day 1..31, month 1..12, a year
// the register can hold, hour 0..23, minute 0..59. The day is not checked against the
// month (the register refuses a day its month does not have).
bool ParseOposDate(std::string_view text, RegisterDateTime& date);
// "DDMMYYYYhhmm" of a register date.
std::string FormatOposDate(const RegisterDateTime& date);

// A whole number 0..65535, blanks allowed around its digits.
bool ParseWord(std::string_view text, uint16_t& value);

}  // namespace orn::receipt
