// The money rules of a receipt at their edges.

#include "receipt/ReceiptArithmetic.h"

#include <gtest/gtest.h>

namespace orn::receipt {
namespace {

TEST(ReceiptArithmeticTest, RoundsHalfUpWithoutOverflow) {
  EXPECT_EQ(ItemAmount(2000, 100), 200);
  EXPECT_EQ(ItemAmount(1500, 3), 5);  // 4.5
  EXPECT_EQ(ItemAmount(1499, 3), 4);
  // The largest quantity times the largest price needs more than 64 bits on the way.
  EXPECT_EQ(ItemAmount(2147483647, kMaxRegisterAmount), 2361183240333163495);
  EXPECT_EQ(PercentOf(250, 100000), 25);
  EXPECT_EQ(PercentOf(5, 100000), 1);  // 0.5
  EXPECT_EQ(PercentOf(4, 100000), 0);
  EXPECT_EQ(PercentOf(kMaxRegisterAmount, kFullPercentage), kMaxRegisterAmount);
}

TEST(ReceiptArithmeticTest, FormatsHundredthsDroppingTheRest) {
  EXPECT_EQ(FormatAmount(5), "0.00");
  EXPECT_EQ(FormatAmount(123400), "12.34");
  EXPECT_EQ(FormatAmount(123456), "12.34");
  EXPECT_EQ(FormatAmount(10000000000), "1000000.00");
}

}  // namespace
}  // namespace orn::receipt
