#include "simulator/DocumentText.h"

#include <cstdio>

namespace orn::simulator {

std::string AmountText(int64_t units, bool twoDecimals) {
  char text[32];
  const bool negative = units < 0;
  const uint64_t magnitude = negative ? uint64_t(-units) : uint64_t(units);
  if (twoDecimals) {
    std::snprintf(text, sizeof text, "%s%llu.%02llu", negative ? "-" : "",
                  static_cast<unsigned long long>(magnitude / 100),
                  static_cast<unsigned long long>(magnitude % 100));
  } else {
    std::snprintf(text, sizeof text, "%s%llu", negative ? "-" : "",
                  static_cast<unsigned long long>(magnitude));
  }
  return text;
}

std::string MoneyText(int64_t units, bool twoDecimals) {
  return "=" + AmountText(units, twoDecimals);
}

std::string QuantityText(int64_t thousandths) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld.%03lld", static_cast<long long>(thousandths / 1000),
                static_cast<long long>(thousandths % 1000));
  return text;
}

std::string DateText(const platform::LocalTime& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%02u.%02u.%02u", unsigned(date.day) % 100,
                unsigned(date.month) % 100, unsigned(date.year) % 100);
  return text;
}

std::string TimeText(const platform::LocalTime& time) {
  char text[16];
  std::snprintf(text, sizeof text, "%02u:%02u", unsigned(time.hour) % 100,
                unsigned(time.minute) % 100);
  return text;
}

std::string TwoColumns(const std::string& left, const std::string& right, size_t width) {
  if (right.size() >= width) return Fit(right, width);
  std::string line = Fit(left, width - right.size() - (left.empty() ? 0 : 1));
  line.append(width - right.size() - line.size(), ' ');
  return line + right;
}

std::string Centered(const std::string& text, size_t width) {
  if (text.size() >= width) return Fit(text, width);
  return std::string((width - text.size()) / 2, ' ') + text;
}

std::string Fit(const std::string& text, size_t width) {
  return text.size() <= width ? text : text.substr(0, width);
}

}  // namespace orn::simulator
