#include "FieldConversion.h"

#include <cwchar>
#include <limits>

#include "BenchError.h"

namespace orn::bench {
namespace {

std::wstring_view Trimmed(std::wstring_view text) {
  while (!text.empty() && text.front() == L' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == L' ') text.remove_suffix(1);
  return text;
}

bool IsDigit(wchar_t c) {
  return c >= L'0' && c <= L'9';
}

// Reads an optional sign; true when it was a minus.
bool TakeSign(std::wstring_view& text) {
  if (text.empty() || (text.front() != L'-' && text.front() != L'+')) return false;
  const bool negative = text.front() == L'-';
  text.remove_prefix(1);
  return negative;
}

[[noreturn]] void NotValid(std::wstring_view text, const wchar_t* what) {
  throw BenchError{L"'" + std::wstring(text) + L"' is not a valid " + what + L" value"};
}

}  // namespace

int32_t ParseInteger(std::wstring_view text) {
  std::wstring_view rest = Trimmed(text);
  const bool negative = TakeSign(rest);
  if (rest.empty()) NotValid(text, L"integer");
  int64_t value = 0;
  for (wchar_t c : rest) {
    if (!IsDigit(c)) NotValid(text, L"integer");
    value = value * 10 + (c - L'0');
    if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1) NotValid(text, L"integer");
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) NotValid(text, L"integer");
  return static_cast<int32_t>(value);
}

int64_t ParseAmount(std::wstring_view text, wchar_t decimalSeparator) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  std::wstring_view rest = Trimmed(text);
  const bool negative = TakeSign(rest);
  int64_t value = 0;  // in ten-thousandths
  int digits = 0;
  int decimals = -1;  // -1 until the separator
  bool roundUp = false;
  for (wchar_t c : rest) {
    if (c == decimalSeparator && decimals < 0) {
      decimals = 0;
      continue;
    }
    if (!IsDigit(c)) NotValid(text, L"currency");
    ++digits;
    if (decimals >= 4) {
      // Only the first dropped digit decides the rounding.
      if (decimals == 4) roundUp = c >= L'5';
      ++decimals;
      continue;
    }
    const int digit = c - L'0';
    if (value > (kMax - digit) / 10) NotValid(text, L"currency");
    value = value * 10 + digit;
    if (decimals >= 0) ++decimals;
  }
  if (digits == 0) NotValid(text, L"currency");
  for (int scale = decimals < 0 ? 0 : decimals; scale < 4; ++scale) {
    if (value > kMax / 10) NotValid(text, L"currency");
    value *= 10;
  }
  if (roundUp) {
    if (value == kMax) NotValid(text, L"currency");
    ++value;
  }
  return negative ? -value : value;
}

std::wstring FormatOposDate(const CalendarTime& date) {
  wchar_t text[32];
  std::swprintf(text, 32, L"%.2d%.2d%.4d0000", date.day, date.month, date.year);
  return text;
}

std::wstring FormatOposDateTime(const CalendarTime& time) {
  wchar_t text[32];
  std::swprintf(text, 32, L"%.2d%.2d%.4d%.2d%.2d", time.day, time.month, time.year, time.hour,
                time.minute);
  return text;
}

}  // namespace orn::bench
