#pragma once
// Money arithmetic that must not overflow or round differently on any compiler.

#include <cstdint>

namespace orn::device {

// OPOS currency (value x 10000) in register units: divided by the divisor, plus one half,
// cut toward zero. 12.3456 gives 1235 kopecks (divisor 100) or 12 roubles (10000).
inline int64_t ToRegisterUnits(int64_t currency, int64_t divisor) {
  const int64_t quotient = currency / divisor;
  const int64_t remainder = currency % divisor;
  if (currency >= 0) return quotient + (2 * remainder >= divisor ? 1 : 0);
  // A negative amount: q + r/d + 1/2 with r <= 0 is cut toward zero.
  return quotient + (quotient < 0 && 2 * remainder + divisor > 0 ? 1 : 0);
}

// a * b / c in full precision, the quotient cut toward zero (c != 0). The product of two
// money amounts needs more than 64 bits; 32-bit Windows has no 128-bit integer type.
inline int64_t MulDiv(int64_t a, int64_t b, int64_t c) {
  // Receipt amounts nearly always fit: then one multiplication and one division do.
  int64_t product = 0;
  if (!__builtin_mul_overflow(a, b, &product) && !(c == -1 && product == INT64_MIN))
    return product / c;
  const bool negative = ((a < 0) != (b < 0)) != (c < 0);
  auto magnitude = [](int64_t v) { return v < 0 ? uint64_t(0) - uint64_t(v) : uint64_t(v); };
  const uint64_t x = magnitude(a), y = magnitude(b), divisor = magnitude(c);
  // 128-bit product from 32-bit halves.
  const uint64_t xl = x & 0xFFFFFFFFu, xh = x >> 32, yl = y & 0xFFFFFFFFu, yh = y >> 32;
  const uint64_t ll = xl * yl, lh = xl * yh, hl = xh * yl, hh = xh * yh;
  const uint64_t middle = (ll >> 32) + (lh & 0xFFFFFFFFu) + (hl & 0xFFFFFFFFu);
  uint64_t low = (middle << 32) | (ll & 0xFFFFFFFFu);
  uint64_t high = hh + (lh >> 32) + (hl >> 32) + (middle >> 32);
  // Long division of the 128-bit product, one bit at a time.
  uint64_t quotient = 0, remainder = 0;
  for (int bit = 127; bit >= 0; --bit) {
    const bool carry = remainder >> 63;
    remainder = (remainder << 1) | ((bit >= 64 ? high >> (bit - 64) : low >> bit) & 1);
    quotient <<= 1;
    if (carry || remainder >= divisor) {
      remainder -= divisor;
      quotient |= 1;
    }
  }
  return negative ? int64_t(uint64_t(0) - quotient) : int64_t(quotient);
}

// a x b / divisor rounded half up (all three positive or zero): twice the quotient, plus
// one, halved.
inline int64_t RoundedProduct(int64_t a, int64_t b, int64_t divisor) {
  return (MulDiv(2 * a, b, divisor) + 1) / 2;
}

// The register's amount of an item: quantity (thousandths) x price, rounded half up to
// register units.
inline int64_t ItemAmount(int64_t quantity, int64_t price) {
  return RoundedProduct(quantity, price, 1000);
}

}  // namespace orn::device
