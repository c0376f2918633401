// Settings of the register: the date with the commands it takes, header and trailer lines
// in table 4, the tax rates of table 6, and ResetPrinter.

#include "DocumentFixture.h"

namespace orn::testing {
namespace {

using namespace service;
using device::OPOS_E_EXTENDED;
using device::OPOS_E_ILLEGAL;
namespace ops = simulator::operations;

class SettingsMethodsTest : public DocumentFixture {
 protected:
  void SetUp() override {
    Attach();
    Start();
  }
  std::string TableText(uint8_t table, uint16_t row) {
    return sim_->RegisterTables().Text(table, row, 1);
  }
};

TEST_F(SettingsMethodsTest, SetDateOnAClosedShiftSetsConfirmsAndSetsTheTime) {
  ASSERT_EQ(Fptr().SetDate(u"311220261530"), 0);
  // Date 31.12.(20)26, confirmed, then 15:30:00, in this order.
  const size_t date = RequestAt("22 1E 00 00 00 1F 0C 1A");
  const size_t confirm = RequestAt("23 1E 00 00 00 1F 0C 1A");
  const size_t time = RequestAt("21 1E 00 00 00 0F 1E 00");
  ASSERT_NE(date, std::string::npos);
  EXPECT_LT(date, confirm);
  EXPECT_LT(confirm, time);
  ASSERT_NE(time, std::string::npos);
  const platform::LocalTime now = sim_->ClockAt(memory_.clock.Elapsed());
  EXPECT_EQ(now.year, 2026);
  EXPECT_EQ(now.month, 12);
  EXPECT_EQ(now.day, 31);
  EXPECT_EQ(now.hour, 15);
  EXPECT_EQ(now.minute, 30);
}

TEST_F(SettingsMethodsTest, DatesThatAreNotDatesSendNothing) {
  const int before = Commands();
  // Ten digits: the year would take 0515 and the minute be missing.
  EXPECT_EQ(Fptr().SetDate(u"3112051530"), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 219);
  EXPECT_EQ(Fptr().SetDate(u"321220261530"), OPOS_E_EXTENDED);  // day 32
  EXPECT_EQ(Fptr().SetDate(u"311320261530"), OPOS_E_EXTENDED);  // month 13
  EXPECT_EQ(Fptr().SetDate(u"311219991530"), OPOS_E_EXTENDED);  // before 2000
  EXPECT_EQ(Fptr().SetDate(u"311223001530"), OPOS_E_EXTENDED);  // the year byte would wrap
  EXPECT_EQ(Fptr().SetDate(u"311220262430"), OPOS_E_EXTENDED);  // hour 24
  EXPECT_EQ(Fptr().SetDate(u"31122026153"), OPOS_E_EXTENDED);   // minute of one digit
  EXPECT_EQ(Fptr().SetDate(u"3112202615300"), OPOS_E_EXTENDED);
  EXPECT_EQ(Fptr().SetDate(u"31-2202615:3"), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 219);
  // Only the status requests went out.
  EXPECT_EQ(Commands() - before, 9);
  EXPECT_EQ(Requests("22 1E"), 0);
}

TEST_F(SettingsMethodsTest, SetDateWithTheShiftOpenIsRefused) {
  SellBreadAndMilk();
  PayBreadAndMilk();
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(Fptr().SetDate(u"311220261530"), OPOS_E_ILLEGAL);
  EXPECT_EQ(ErrorString(), "Смена открыта. Изменение даты невозможно.");
  EXPECT_NE(Log().find("\tСмена открыта. Изменение даты невозможно.\r\n"), std::string::npos);
  EXPECT_EQ(Requests("22 1E"), 0);
}

TEST_F(SettingsMethodsTest, ADateBeforeTheLastFiscalRecordGivesTheRegisterItsDateBack) {
  EXPECT_EQ(Fptr().SetDate(u"011120251200"), OPOS_E_EXTENDED);
  EXPECT_EQ(Extended(), 300 + 0x13);
  EXPECT_EQ(ErrorString(), "Текущая дата меньше даты последней записи в ФП");
  // The register's own date, 15.01.2026, confirmed after the refusal.
  EXPECT_LT(RequestAt("22 1E 00 00 00 01 0B 19"), RequestAt("23 1E 00 00 00 0F 01 1A"));
  EXPECT_EQ(Requests("21 1E"), 0);
  EXPECT_EQ(Fptr().SetDate(u"311220261530"), 0);
}

TEST_F(SettingsMethodsTest, HeaderAndTrailerLinesGoToTableFourAndEndTheDocuments) {
  // Model 0: header lines 1..3 in rows 4..6, trailer lines in rows 1..3.
  ASSERT_EQ(Fptr().SetHeaderLine(2, u"Магазин у дома", false), 0);
  EXPECT_EQ(TableText(4, 5), "Магазин у дома");
  ASSERT_EQ(Fptr().SetHeaderLine(3, u"", true), 0);
  EXPECT_EQ(TableText(4, 6), " ");
  ASSERT_EQ(Fptr().SetTrailerLine(1, u"Приходите ещё", false), 0);
  EXPECT_EQ(TableText(4, 1), "Приходите ещё");

  const int before = Commands();
  EXPECT_EQ(Fptr().SetHeaderLine(0, u"x", false), OPOS_E_ILLEGAL);
  EXPECT_EQ(Fptr().SetHeaderLine(4, u"x", false), OPOS_E_ILLEGAL);
  EXPECT_NE(Log().find("\tНеверный параметр LineNumber (4).\r\n"), std::string::npos);
  EXPECT_EQ(Fptr().SetTrailerLine(4, u"x", false), OPOS_E_ILLEGAL);
  EXPECT_NE(Log().find("\tНеверный параметр LineNumber.\r\n"), std::string::npos);
  EXPECT_EQ(Commands(), before);

  // The driver prints its own copy at the end of a document.
  ASSERT_EQ(Fptr().BeginNonFiscal(), 0);
  ASSERT_EQ(Fptr().PrintNormal(FPTR_S_RECEIPT, u"Текст"), 0);
  ASSERT_EQ(Fptr().EndNonFiscal(), 0);
  EXPECT_LT(TapeIndex("Приходите ещё"), TapeIndex("Магазин у дома"));
}

TEST_F(SettingsMethodsTest, ALineTheRegisterRefusesIsStillKept) {
  FailCommand(1);
  EXPECT_EQ(Fptr().SetTrailerLine(2, u"Строка", false), OPOS_E_EXTENDED);
  ASSERT_EQ(Fptr().BeginNonFiscal(), 0);
  ASSERT_EQ(Fptr().PrintNormal(FPTR_S_RECEIPT, u"Текст"), 0);
  ASSERT_EQ(Fptr().EndNonFiscal(), 0);
  EXPECT_TRUE(TapeHas("Строка"));
}

TEST_F(SettingsMethodsTest, VatRatesAreKeptUntilTheTableIsWritten) {
  auto rate = [&](uint16_t row) { return sim_->RegisterTables().Number(6, row, 1); };
  ASSERT_EQ(Fptr().SetVatValue(2, u"1800"), 0);
  EXPECT_EQ(rate(2), 1000u);  // nothing sent yet
  ASSERT_EQ(Fptr().SetVatTable(), 0);
  EXPECT_EQ(rate(1), 0u);
  EXPECT_EQ(rate(2), 1800u);
  EXPECT_EQ(rate(3), 0u);
  EXPECT_EQ(rate(4), 0u);

  EXPECT_EQ(Fptr().SetVatValue(5, u"10"), OPOS_E_ILLEGAL);
  EXPECT_NE(Log().find("\tНеверное значение VatID.\r\n\tДопустимые значения: 1..4.\r\n"),
            std::string::npos);
  EXPECT_EQ(Fptr().SetVatValue(1, u"18%"), OPOS_E_ILLEGAL);
  EXPECT_NE(Log().find("\t18% не является целым числом.\r\n"), std::string::npos);
  EXPECT_EQ(Fptr().SetVatValue(1, u"10000"), OPOS_E_ILLEGAL);
  EXPECT_NE(Log().find("\tНеверное значение VatValue.\r\n"), std::string::npos);
  ASSERT_EQ(Fptr().SetVatValue(1, u"9999"), 0);

  // The first refusal stops the writing: the rates after it stay as they were.
  FailCommand(2);
  EXPECT_EQ(Fptr().SetVatTable(), OPOS_E_EXTENDED);
  EXPECT_EQ(rate(1), 9999u);
  EXPECT_EQ(Requests("1E 1E 00 00 00 06 03"), 1);
}

TEST_F(SettingsMethodsTest, ResetPrinterCancelsAnOpenReceipt) {
  SellBreadAndMilk();
  ASSERT_EQ(Fptr().ResetPrinter(), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_MONITOR);
  EXPECT_EQ(Operations(ops::AnnulledReceipts(0)), 1);
  ASSERT_EQ(Fptr().BeginNonFiscal(), 0);
  ASSERT_EQ(Fptr().ResetPrinter(), 0);
  EXPECT_EQ(PrinterState(), FPTR_PS_MONITOR);
}

}  // namespace
}  // namespace orn::testing
