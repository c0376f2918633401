// Numbers the driver keeps as registry text (payment sums, subtotals) read back exactly up
// to the last value 64 bits hold; only what lies beyond is clamped.

#include <gtest/gtest.h>

#include <limits>

#include "receipt/DecimalText.h"

namespace orn::receipt {
namespace {

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin = std::numeric_limits<int64_t>::min();

TEST(StoredNumbers, ValuesNextToTheEdgesReadBackExactly) {
  for (const int64_t value : {kMax, kMax - 1, kMax - 7, kMin, kMin + 1, kMin + 8, int64_t(-1)})
    EXPECT_EQ(ParseInt64(FormatInt64(value)), value) << value;
}

TEST(StoredNumbers, ValuesBeyondTheEdgesAreClamped) {
  EXPECT_EQ(ParseInt64("9223372036854775808"), kMax);
  EXPECT_EQ(ParseInt64("-9223372036854775809"), kMin);
  EXPECT_EQ(ParseInt64("92233720368547758070"), kMax);
}

}  // namespace
}  // namespace orn::receipt
