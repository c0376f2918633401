#include "receipt/OposText.h"

#include <cstdio>

namespace orn::receipt {

namespace {

constexpr size_t kDateDigits = 12;

// The number of `count` digits at `at`; the caller has checked they are digits.
int Digits(std::string_view text, size_t at, size_t count) {
  int value = 0;
  for (size_t i = at; i < at + count; ++i) value = value * 10 + (text[i] - '0');
  return value;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

bool ParseOposDate(std::string_view text, RegisterDateTime& date) {
  if (text.size() != kDateDigits) return false;
  for (char c : text)
    if (!IsDigit(c)) return false;
  const int day = Digits(text, 0, 2);
  const int month = Digits(text, 2, 2);
  const int year = Digits(text, 4, 4);
  const int hour = Digits(text, 8, 2);
  const int minute = Digits(text, 10, 2);
  if (day < 1 || day > 31 || month < 1 || month > 12 || year < kFirstRegisterYear ||
      year > kLastRegisterYear || hour > 23 || minute > 59)
    return false;
  date = {uint8_t(day), uint8_t(month), uint8_t(year - kFirstRegisterYear), uint8_t(hour),
          uint8_t(minute)};
  return true;
}

std::string FormatOposDate(const RegisterDateTime& date) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2d%.2d%.4d%.2d%.2d", date.day, date.month,
                kFirstRegisterYear + date.year, date.hour, date.minute);
  return text;
}

bool ParseWord(std::string_view text, uint16_t& value) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return false;
  const size_t last = text.find_last_not_of(' ');
  text = text.substr(first, last - first + 1);
  uint32_t number = 0;
  for (char c : text) {
    if (!IsDigit(c)) return false;
    number = number * 10 + uint32_t(c - '0');
    if (number > 0xFFFF) return false;
  }
  value = uint16_t(number);
  return true;
}

}  // namespace orn::receipt
