#pragma once
// The money rules of a receipt: item amounts, percentages and amounts as printed text, all
// exact in 64-bit integers (the products need more than 64 bits, see MulDiv).

#include <cstdint>
#include <string>

#include "device/Arithmetic.h"

namespace orn::receipt {

// The largest amount five bytes on the wire hold.
inline constexpr int64_t kMaxRegisterAmount = (int64_t(1) << 40) - 1;
// 100 % as a currency value.
inline constexpr int64_t kFullPercentage = 1000000;

// quantity (thousandths) x price, rounded half up to register units. Both non-negative.
using device::ItemAmount;
// `percentage` (currency form, 10 % = 100000) of `base`, rounded half up. Both
// non-negative.
int64_t PercentOf(int64_t base, int64_t percentage);
// A currency value as "whole.cc"; digits beyond the hundredths are dropped.
std::string FormatAmount(int64_t currency);
// An amount of register units as roubles and kopecks ("-12.34"), whichever unit the register
// counts in (`currencyDivisor` 100: kopecks, 10000: whole roubles). The one form of every
// amount the driver reports (GetData, GetTotalizer), so a point of sale reads the same money
// from every register.
std::string FormatRegisterMoney(int64_t units, int64_t currencyDivisor);

}  // namespace orn::receipt
