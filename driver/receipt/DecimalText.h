#pragma once
// Signed 64-bit numbers as the decimal text the registry keeps the payment sums in.

#include <cstdint>
#include <string>
#include <string_view>

namespace orn::receipt {

// "-123" style: a minus sign for negative numbers, no blanks.
std::string FormatInt64(int64_t value);
// As _atoi64 reads it: leading blanks, an optional sign, then digits up to the first other
// character; no digits give 0, and a number out of range the nearest limit.
int64_t ParseInt64(std::string_view text);

}  // namespace orn::receipt
