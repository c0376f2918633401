// Currency amounts (ten-thousandths) in register units, half a unit rounded up (a small
// negative amount does not turn into a positive unit), and shares of large amounts.

#include <gtest/gtest.h>

#include "device/Arithmetic.h"

namespace orn::device {
namespace {

TEST(RegisterUnits, ASmallNegativeAmountIsNoPositiveUnit) {
  // Kopecks: a divisor of 100 currency units per register unit.
  EXPECT_EQ(ToRegisterUnits(-30, 100), 0);    // -0.3 of a unit
  EXPECT_EQ(ToRegisterUnits(-50, 100), 0);    // -0.5: half up
  EXPECT_EQ(ToRegisterUnits(-150, 100), -1);  // -1.5: half up
  EXPECT_EQ(ToRegisterUnits(30, 100), 0);
  EXPECT_EQ(ToRegisterUnits(50, 100), 1);
  EXPECT_EQ(ToRegisterUnits(150, 100), 2);
}

TEST(RegisterUnits, SharesOfAmountsNearTheRegistersLimitAreExact) {
  // A tax group's part of a discount on a receipt near five bytes: the product of the two
  // amounts is far beyond 64 bits.
  constexpr int64_t kLargest = (int64_t(1) << 40) - 1;
  EXPECT_EQ(MulDiv(kLargest, kLargest, kLargest), kLargest);
  EXPECT_EQ(MulDiv(kLargest, 1000000000000, 2000000000000), kLargest / 2);
  EXPECT_EQ(MulDiv(-kLargest, kLargest, kLargest), -kLargest);
  EXPECT_EQ(MulDiv(600, 100, 600), 100);
}

}  // namespace
}  // namespace orn::device
