// The bench's field conversions, date texts and result names: what a page sends for what a
// person typed, and what the result panel shows for what the control answered.

#include <gtest/gtest.h>

#include "BenchError.h"
#include "FieldConversion.h"
#include "ResultNames.h"

namespace orn::bench {
namespace {

std::wstring ErrorOf(void (*conversion)()) {
  try {
    conversion();
  } catch (const BenchError& error) {
    return error.message;
  }
  return L"(no error)";
}

TEST(FieldConversion, IntegersReadAsTyped) {
  EXPECT_EQ(ParseInteger(L"1000"), 1000);
  EXPECT_EQ(ParseInteger(L" -7 "), -7);
  EXPECT_EQ(ParseInteger(L"2147483647"), 2147483647);
  EXPECT_EQ(ParseInteger(L"-2147483648"), -2147483647 - 1);
}

TEST(FieldConversion, IntegersThatDoNotConvertNameTheText) {
  EXPECT_EQ(ErrorOf([] { ParseInteger(L"abc"); }), L"'abc' is not a valid integer value");
  EXPECT_EQ(ErrorOf([] { ParseInteger(L""); }), L"'' is not a valid integer value");
  EXPECT_EQ(ErrorOf([] { ParseInteger(L"2147483648"); }),
            L"'2147483648' is not a valid integer value");
  EXPECT_EQ(ErrorOf([] { ParseInteger(L"12 3"); }), L"'12 3' is not a valid integer value");
}

TEST(FieldConversion, AmountsBecomeOleCurrency) {
  EXPECT_EQ(ParseAmount(L"100", L','), 1000000);
  EXPECT_EQ(ParseAmount(L"1,5", L','), 15000);
  EXPECT_EQ(ParseAmount(L"-0,0001", L','), -1);
  EXPECT_EQ(ParseAmount(L"2,00005", L','), 20001);  // the fifth decimal rounds
  EXPECT_EQ(ParseAmount(L"922337203685477,5807", L','), INT64_MAX);
}

TEST(FieldConversion, AmountsThatDoNotConvertNameTheText) {
  EXPECT_EQ(ErrorOf([] { ParseAmount(L"12a", L','); }), L"'12a' is not a valid currency value");
  // The other decimal separator is not the locale's.
  EXPECT_EQ(ErrorOf([] { ParseAmount(L"1.5", L','); }), L"'1.5' is not a valid currency value");
  EXPECT_EQ(ErrorOf([] { ParseAmount(L",", L','); }), L"',' is not a valid currency value");
  EXPECT_EQ(ErrorOf([] { ParseAmount(L"922337203685478", L','); }),
            L"'922337203685478' is not a valid currency value");
}

TEST(OposDates, DateAloneAndDateWithTime) {
  EXPECT_EQ(FormatOposDate({2026, 12, 7, 15, 30}), L"071220260000");
  EXPECT_EQ(FormatOposDateTime({2027, 3, 5, 9, 7}), L"050320270907");
}

TEST(ResultNames, KnownValuesByNameOthersAsNumbers) {
  EXPECT_EQ(ResultCodeName(0), L"OPOS_SUCCESS");
  EXPECT_EQ(ResultCodeName(101), L"OPOS_E_CLOSED");
  EXPECT_EQ(ResultCodeName(450), L"OPOS_ORS_SPECIFIC");
  EXPECT_EQ(ResultCodeName(-5), L"-5");
  EXPECT_EQ(ExtendedCodeName(0), L"0");
  EXPECT_EQ(ExtendedCodeName(223), L"OPOS_EFPTR_MISSING_SET_CURRENCY");
  EXPECT_EQ(ExtendedCodeName(303), L"303");
  EXPECT_EQ(PrinterStateName(4), L"FPTR_PS_FISCAL_RECEIPT_ENDING");
  EXPECT_EQ(PrinterStateName(11), L"11");
}

}  // namespace
}  // namespace orn::bench
