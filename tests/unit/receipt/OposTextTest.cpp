// OPOS dates and numbers read strictly, and register dates written back.

#include <gtest/gtest.h>

#include "receipt/OposText.h"

namespace orn::receipt {
namespace {

TEST(OposTextTest, TwelveDigitsMakeARegisterDate) {
  RegisterDateTime date;
  ASSERT_TRUE(ParseOposDate("311220051530", date));
  EXPECT_EQ(date.day, 31);
  EXPECT_EQ(date.month, 12);
  EXPECT_EQ(date.year, 5);
  EXPECT_EQ(date.hour, 15);
  EXPECT_EQ(date.minute, 30);
  EXPECT_EQ(FormatOposDate(date), "311220051530");
  EXPECT_EQ(FormatOposDate({7, 3, 5, 0, 0}), "070320050000");
  ASSERT_TRUE(ParseOposDate("010122552359", date));
  EXPECT_EQ(date.year, 255);
}

TEST(OposTextTest, AnythingElseIsNoDate) {
  RegisterDateTime date{1, 2, 3, 4, 5};
  for (const char* text :
       {"", "3112051530", "31122005153", "3112200515300", "321220051530", "001220051530",
        "311320051530", "310019991530", "311222561530", "311220052400", "311220051560",
        " 11220051530", "+11220051530", "31.12.051530"}) {
    EXPECT_FALSE(ParseOposDate(text, date)) << text;
  }
  EXPECT_EQ(date.day, 1);  // untouched
}

TEST(OposTextTest, WholeNumbersUpTo65535) {
  uint16_t value = 0;
  ASSERT_TRUE(ParseWord(" 65535 ", value));
  EXPECT_EQ(value, 65535);
  ASSERT_TRUE(ParseWord("0", value));
  EXPECT_EQ(value, 0);
  for (const char* text : {"", "  ", "65536", "-1", "1.5", "1 2", "0x10", "99999999999"})
    EXPECT_FALSE(ParseWord(text, value)) << text;
}

}  // namespace
}  // namespace orn::receipt
