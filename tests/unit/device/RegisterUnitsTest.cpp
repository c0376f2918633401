// Currency amounts (ten-thousandths) in register units, half a unit rounded up; a small
// negative amount does not turn into a positive unit.

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

}  // namespace
}  // namespace orn::device
