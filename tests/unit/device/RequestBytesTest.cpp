// The request bytes of every register command, written out by hand from the protocol's
// command table, against what the driver sends. Password 30 (1E 00 00 00), tax inspector
// password 01020304h.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "device/Arithmetic.h"
#include "device/ResultCodes.h"
#include "support/Frames.h"
#include "unit/device/LinkFixture.h"
#include "unit/device/RecordingRegister.h"

namespace orn::device {
namespace {

using testing::Bytes;
using testing::Field;
using testing::Hex;
using testing::operator+;

struct RequestCase {
  const char* name;
  std::function<bool(FiscalDevice&)> run;
  Bytes expected;
};

const std::string kPwd = "1E 00 00 00 ";
const std::string kTaxPwd = "04 03 02 01 ";
const std::string kItem = "E8 03 00 00 00 D2 04 00 00 00 01 ";  // 1.000 at 12.34, department 1

std::vector<RequestCase> Cases() {
  const uint8_t first[3] = {1, 1, 26}, last[3] = {31, 1, 26};
  return {
      {"GetStatus", [](FiscalDevice& d) { return d.GetStatus(); }, Hex("11 " + kPwd)},
      {"GetDeviceType", [](FiscalDevice& d) { return d.GetDeviceType(); }, Hex("FC")},
      {"SetExchangeParams", [](FiscalDevice& d) { return d.SetExchangeParams(2, 200); },
       Hex("14 " + kPwd + "00 02 C8")},
      {"InterruptDataOutput", [](FiscalDevice& d) { return d.InterruptDataOutput(); },
       Hex("03 " + kPwd)},
      {"StartTestRun", [](FiscalDevice& d) { return d.StartTestRun(); }, Hex("19 " + kPwd + "01")},
      {"GetCashRegister", [](FiscalDevice& d) { return d.GetCashRegister(0x58); },
       Hex("1A " + kPwd + "58")},
      {"GetOperationRegister", [](FiscalDevice& d) { return d.GetOperationRegister(3); },
       Hex("1B " + kPwd + "03")},
      {"WriteTableNumber",
       [](FiscalDevice& d) {
         return d.WriteTable({1, 2, 3, FieldKind::kNumber, 2}, TableValue::Number(0x1234));
       },
       Hex("1E " + kPwd + "01 02 00 03 34 12")},
      {"WriteTableString",
       [](FiscalDevice& d) {
         return d.WriteTable({4, 0x0102, 1, FieldKind::kString, 6}, TableValue::Text("АБ"));
       },
       Hex("1E " + kPwd + "04 02 01 01 C0 C1 00 00 00 00")},
      {"WriteTableStringCut",
       [](FiscalDevice& d) {
         return d.WriteTable({4, 1, 1, FieldKind::kString, 2}, TableValue::Text("ABCD"));
       },
       Hex("1E " + kPwd + "04 01 00 01 41 42")},
      {"ReadTable",
       [](FiscalDevice& d) {
         return d.ReadTable({4, 1, 1, FieldKind::kNumber, 0}).has_value();
       },
       Hex("1F " + kPwd + "04 01 00 01")},
      {"SetDeviceTime",
       [](FiscalDevice& d) {
         const uint8_t time[3] = {12, 34, 56};
         return d.SetDeviceTime(time);
       },
       Hex("21 " + kPwd + "0C 22 38")},
      {"SetDeviceDate",
       [](FiscalDevice& d) {
         const uint8_t date[3] = {15, 1, 26};
         return d.SetDeviceDate(date);
       },
       Hex("22 " + kPwd + "0F 01 1A")},
      {"ConfirmDate",
       [](FiscalDevice& d) {
         const uint8_t date[3] = {15, 1, 26};
         return d.ConfirmDate(date);
       },
       Hex("23 " + kPwd + "0F 01 1A")},
      {"CutPaper", [](FiscalDevice& d) { return d.CutPaper(); }, Hex("25 " + kPwd + "00")},
      {"InterruptTest", [](FiscalDevice& d) { return d.InterruptTest(); }, Hex("2B " + kPwd)},
      {"GetTableStructure", [](FiscalDevice& d) { return d.GetTableStructure(5); },
       Hex("2D " + kPwd + "05")},
      {"PrintStringWithFont",
       [](FiscalDevice& d) {
         d.SetFontNumber(0x102);
         return d.PrintString(kStationReceipt | kStationJournal, "Итог");
       },
       Hex("2F " + kPwd + "03 02") + Field("Итог")},
      {"PrintReportX", [](FiscalDevice& d) { return d.PrintReportX(); }, Hex("40 " + kPwd)},
      {"PrintReportZ", [](FiscalDevice& d) { return d.PrintReportZ(); }, Hex("41 " + kPwd)},
      {"CashIn", [](FiscalDevice& d) { return d.CashIn(12345); },
       Hex("50 " + kPwd + "39 30 00 00 00")},
      {"CashOut", [](FiscalDevice& d) { return d.CashOut(0x0102030405LL); },
       Hex("51 " + kPwd + "05 04 03 02 01")},
      {"GetLastFiscalRecordDate", [](FiscalDevice& d) { return d.GetLastFiscalRecordDate(); },
       Hex("63 " + kPwd)},
      {"EnterTaxPassword", [](FiscalDevice& d) { return d.EnterTaxPassword(); },
       Hex("64 " + kTaxPwd)},
      {"FiscalReportByDates",
       [first, last](FiscalDevice& d) { return d.FiscalReportByDates(1, first, last); },
       Hex("66 " + kTaxPwd + "01 01 01 1A 1F 01 1A")},
      {"FiscalReportByShifts", [](FiscalDevice& d) { return d.FiscalReportByShifts(0, 1, 0xFFFF); },
       Hex("67 " + kTaxPwd + "00 01 00 FF FF")},
      {"OpenSlipDocument", [](FiscalDevice& d) { return d.OpenSlipDocument(0); },
       Hex("71 " + kPwd + "00 00 00 00 00 00 00 00")},
      {"SlipOperation",
       [](FiscalDevice& d) {
         return d.SlipOperation(3, {1000, 1234, "A"}, 2);
       },
       Hex("73 " + kPwd + "03 " + kItem + "02 00 00 00") + Field("A")},
      {"SlipSurcharge", [](FiscalDevice& d) { return d.SlipSurcharge(3, 500, "", 1); },
       Hex("75 " + kPwd + "01 03 F4 01 00 00 00 01 00 00 00") + Field("")},
      {"SlipDiscount", [](FiscalDevice& d) { return d.SlipDiscount(3, 500, ""); },
       Hex("75 " + kPwd + "00 03 F4 01 00 00 00 00 00 00 00") + Field("")},
      {"CloseSlipReceipt",
       [](FiscalDevice& d) {
         return d.CloseSlipReceipt(9, {100, 0, 0, 50}, "Спасибо");
       },
       Hex("77 " + kPwd + "09 64 00 00 00 00 00 00 00 00 00 00 00 00 00 00 32 00 00 00 00 " +
           "00 00 00 00 00 00") +
           Field("Спасибо")},
      {"FillSlipBuffer", [](FiscalDevice& d) { return d.FillSlipBuffer(3, "ABC"); },
       Hex("7A " + kPwd + "03 41 42 43")},
      {"PrintSlip", [](FiscalDevice& d) { return d.PrintSlip(); }, Hex("7D " + kPwd + "00 02")},
      {"Sale",
       [](FiscalDevice& d) {
         return d.Sale({1000, 1234, "Молоко"});
       },
       Hex("80 " + kPwd + kItem + "00 00 00 00") + Field("Молоко")},
      {"ReturnSale",
       [](FiscalDevice& d) {
         return d.ReturnSale({1000, 1234, ""}, 4);
       },
       Hex("82 " + kPwd + kItem + "04 00 00 00") + Field("")},
      {"Storno",
       [](FiscalDevice& d) {
         d.SetDepartment(7);
         return d.Storno({1000, 1234, ""}, 3);
       },
       Hex("84 " + kPwd + "E8 03 00 00 00 D2 04 00 00 00 07 03 00 00 00") + Field("")},
      {"CloseReceipt",
       [](FiscalDevice& d) {
         return d.CloseReceipt({100, 0, 0, 50}, "Спасибо");
       },
       Hex("85 " + kPwd + "64 00 00 00 00 00 00 00 00 00 00 00 00 00 00 32 00 00 00 00 " +
           "00 00 00 00 00 00") +
           Field("Спасибо")},
      {"Discount", [](FiscalDevice& d) { return d.Discount(500, "", 1); },
       Hex("86 " + kPwd + "F4 01 00 00 00 01 00 00 00") + Field("")},
      {"Surcharge", [](FiscalDevice& d) { return d.Surcharge(500, ""); },
       Hex("87 " + kPwd + "F4 01 00 00 00 00 00 00 00") + Field("")},
      {"AnnulReceipt", [](FiscalDevice& d) { return d.AnnulReceipt(); }, Hex("88 " + kPwd)},
      {"Subtotal", [](FiscalDevice& d) { return d.Subtotal().has_value(); }, Hex("89 " + kPwd)},
      {"StornoDiscount", [](FiscalDevice& d) { return d.StornoDiscount(1, "", 2); },
       Hex("8A " + kPwd + "01 00 00 00 00 02 00 00 00") + Field("")},
      {"StornoSurcharge", [](FiscalDevice& d) { return d.StornoSurcharge(1, "", 2); },
       Hex("8B " + kPwd + "01 00 00 00 00 02 00 00 00") + Field("")},
      {"RepeatDocument", [](FiscalDevice& d) { return d.RepeatDocument(); }, Hex("8C " + kPwd)},
      {"ContinuePrint", [](FiscalDevice& d) { return d.ContinuePrint(); }, Hex("B0 " + kPwd)},
  };
}

class RequestBytesTest : public testing::LinkFixture {
 protected:
  void SetUp() override {
    ports_.Attach(kPort, register_);
    device_.SetTaxPassword(0x01020304, true);
    device_.SetLineWidth(36);
    Open();
  }
  // Reads the type (family 9: PrintStringWithFont, longer texts) and forgets the request.
  void ReadType(uint8_t model) {
    register_.model = model;
    ASSERT_TRUE(device_.GetDeviceType());
    register_.requests.clear();
  }
  testing::RecordingRegister register_;
};

TEST_F(RequestBytesTest, EveryCommandSendsItsLayout) {
  ReadType(6);
  for (const RequestCase& c : Cases()) {
    register_.requests.clear();
    EXPECT_TRUE(c.run(device_)) << c.name << ": " << device_.ResultCode();
    ASSERT_FALSE(register_.requests.empty()) << c.name;
    EXPECT_EQ(register_.requests.front(), c.expected) << c.name;
  }
}

TEST_F(RequestBytesTest, PrintStringOnFamilyOneIsTheShortForm) {
  ReadType(0);
  ASSERT_TRUE(device_.PrintString(kStationReceipt, "Итог"));
  EXPECT_EQ(register_.requests.front(), Hex("17 " + kPwd + "02") + Field("Итог"));
}

TEST_F(RequestBytesTest, TextFieldsArePackedByLengthFamilyAndLineWidth) {
  ReadType(6);
  const std::string fifty(50, 'x');
  ASSERT_TRUE(device_.Sale({1000, 1234, "abcde"}));
  EXPECT_EQ(register_.requests.back().size(), 20u + 40u);  // 5 characters and 35 zeros
  EXPECT_EQ(Bytes(register_.requests.back().begin() + 20, register_.requests.back().end()),
            Field("abcde"));

  ASSERT_TRUE(device_.Sale({1000, 1234, fifty}));
  EXPECT_EQ(register_.requests.back().size(), 20u + 36u);  // cut to the line width
  // 39 characters are still a short text, 40 a long one.
  ASSERT_TRUE(device_.Sale({1000, 1234, std::string(39, 'y')}));
  EXPECT_EQ(Bytes(register_.requests.back().begin() + 20, register_.requests.back().end()),
            Field(std::string(39, 'y')));
  ASSERT_TRUE(device_.Sale({1000, 1234, std::string(40, 'y')}));
  EXPECT_EQ(Bytes(register_.requests.back().begin() + 20, register_.requests.back().end()),
            Bytes(36, 'y'));

  device_.SetLineWidth(48);
  ASSERT_TRUE(device_.Sale({1000, 1234, fifty}));
  EXPECT_EQ(register_.requests.back().size(), 20u + 48u);

  ReadType(0);  // family 1: always the fixed 40-byte field
  ASSERT_TRUE(device_.Sale({1000, 1234, fifty}));
  EXPECT_EQ(register_.requests.back(),
            Hex("80 " + kPwd + kItem + "00 00 00 00") + Field(std::string(40, 'x')));
}

TEST_F(RequestBytesTest, AnOverlongSlipTextIsCutToFitTheRequest) {
  ASSERT_TRUE(device_.FillSlipBuffer(1, std::string(300, 'y')));
  EXPECT_EQ(register_.requests.back().size(), 253u);
}

TEST_F(RequestBytesTest, TaxInspectorCommandsNeedItsPassword) {
  device_.SetTaxPassword(0, false);
  const uint8_t date[3] = {1, 1, 26};
  EXPECT_FALSE(device_.EnterTaxPassword());
  EXPECT_EQ(device_.ResultCode(), OPOS_E_ILLEGAL);
  EXPECT_FALSE(device_.FiscalReportByDates(0, date, date));
  EXPECT_FALSE(device_.FiscalReportByShifts(0, 1, 2));
  EXPECT_EQ(device_.ResultCode(), OPOS_E_ILLEGAL);
  EXPECT_TRUE(register_.requests.empty());
}

TEST(RegisterUnits, AmountsAreRoundedHalfUpAndCutTowardZero) {
  EXPECT_EQ(ToRegisterUnits(123456, 100), 1235);
  EXPECT_EQ(ToRegisterUnits(123456, 10000), 12);
  EXPECT_EQ(ToRegisterUnits(125000, 10000), 13);
  EXPECT_EQ(ToRegisterUnits(-140, 100), 0);   // -1.4 + 0.5 = -0.9
  EXPECT_EQ(ToRegisterUnits(-160, 100), -1);  // -1.6 + 0.5 = -1.1
  EXPECT_EQ(ToRegisterUnits(-250, 100), -2);  // -2.5 + 0.5 = -2.0
  EXPECT_EQ(MulDiv(100, 100, 300), 33);
  EXPECT_EQ(MulDiv(-200, 100, 300), -66);
  // Beyond 64 bits in the product.
  EXPECT_EQ(MulDiv(4000000000000LL, 3000000000000LL, 6000000000000LL), 2000000000000LL);
}

}  // namespace
}  // namespace orn::device
