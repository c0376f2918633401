// The money rules of a receipt.

#include "receipt/ReceiptArithmetic.h"

#include <cinttypes>
#include <cstdio>

#include "device/Arithmetic.h"

namespace orn::receipt {

int64_t PercentOf(int64_t base, int64_t percentage) {
  return device::RoundedProduct(base, percentage, kFullPercentage);
}

std::string FormatAmount(int64_t currency) {
  const int64_t whole = currency / 10000;
  int64_t hundredths = currency / 100 - whole * 100;
  if (hundredths < 0) hundredths = -hundredths;
  char text[40];
  std::snprintf(text, sizeof text, "%" PRId64 ".%.2d", whole, int(hundredths));
  return text;
}

std::string FormatRegisterMoney(int64_t units, int64_t currencyDivisor) {
  // Five bytes of register units times 10000 stay far inside 64 bits.
  const int64_t currency = units * currencyDivisor;
  const uint64_t magnitude = currency < 0 ? uint64_t(0) - uint64_t(currency) : uint64_t(currency);
  char text[40];
  std::snprintf(text, sizeof text, "%s%" PRIu64 ".%.2u", currency < 0 ? "-" : "", magnitude / 10000,
                unsigned(magnitude % 10000 / 100));
  return text;
}

}  // namespace orn::receipt
