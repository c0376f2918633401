#pragma once
// How the register lays out the lines of its documents: amounts, quantities, dates and
// two-column lines of the tape's width.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Clock.h"

namespace orn::simulator {

// An amount in register units: "12.34" when the register counts kopecks, "12" in roubles.
std::string AmountText(int64_t units, bool twoDecimals);
// "=12.34", the form of the right-hand column.
std::string MoneyText(int64_t units, bool twoDecimals);
// Thousandths as "1.000".
std::string QuantityText(int64_t thousandths);
std::string DateText(const platform::LocalTime& date);  // "15.01.26"
std::string TimeText(const platform::LocalTime& time);  // "10:30"
// `left`, spaces, `right`, `width` characters in all; `left` is cut so that `right` fits.
std::string TwoColumns(const std::string& left, const std::string& right, size_t width);
std::string Centered(const std::string& text, size_t width);
// The text cut at `width` characters.
std::string Fit(const std::string& text, size_t width);

}  // namespace orn::simulator
