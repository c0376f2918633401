// The error triple, the register's error texts and the names the log gives to codes.

#include <gtest/gtest.h>

#include "config/DriverLog.h"
#include "device/DeviceErrors.h"
#include "device/ErrorTriple.h"
#include "device/ModelTable.h"
#include "device/ResultCodes.h"
#include "platform/memory/MemoryClock.h"
#include "platform/memory/MemoryFileSystem.h"

namespace orn::device {
namespace {

struct Expected {
  uint8_t code;
  int extended;
  const char* text;
};

TEST(ErrorTriple, RegisterErrorsBecomeExtendedCodesWithTheRegistersText) {
  const Expected cases[] = {
      {0x6B, 203, "Нет чековой ленты"},
      {0x6C, 202, "Нет контрольной ленты"},
      {0xC6, 204, "Подкладной документ отсутствует"},
      {0x01, 301, "Неисправен накопитель ФП 1, ФП 2 или часы"},
      {0x4E, 378, "Смена превысила 24 часа"},
      {0x4F, 379, "Неверный пароль"},
      {0x45, 369, "Cумма всех типов оплаты меньше итога чека"},
      {0xC8, 500, "Ошибка связи с принтером"},
      {0xD0, 508, "Неизвестная ошибка"},
      {0x11, 317, "Неизвестная ошибка"},
      {0x34, 352, "Неизвестная ошибка"},
      {0xFF, 555, "Неизвестная ошибка"},
  };
  for (const Expected& c : cases) {
    ErrorTriple triple;
    EXPECT_FALSE(triple.MapDeviceError(c.code));
    EXPECT_EQ(triple.ResultCode(), OPOS_E_EXTENDED) << int(c.code);
    EXPECT_EQ(triple.ResultCodeExtended(), c.extended) << int(c.code);
    EXPECT_EQ(triple.ErrorString(), c.text) << int(c.code);
  }
  // Code 45h starts with a Latin capital C, not the Cyrillic letter.
  EXPECT_EQ(ErrorText(0x45)[0], 'C');
}

TEST(ErrorTriple, SuccessResetsAndOtherOperationsSetTheirCodes) {
  ErrorTriple triple;
  triple.MapDeviceError(0x4E);
  EXPECT_TRUE(triple.MapDeviceError(0));
  EXPECT_EQ(triple.ResultCode(), 0);
  EXPECT_EQ(triple.ResultCodeExtended(), 0);
  EXPECT_EQ(triple.ErrorString(), "");

  EXPECT_EQ(triple.SetExtendedError(205), OPOS_E_EXTENDED);
  EXPECT_EQ(triple.ResultCodeExtended(), 205);
  EXPECT_EQ(triple.ErrorString(), "");
  triple.SetExtendedError(214);
  EXPECT_EQ(triple.ErrorString(), "Неверное значение количества");
  triple.SetExtendedError(220);
  EXPECT_EQ(triple.ErrorString(), "Отрицальный подитог");

  EXPECT_EQ(triple.SetIllegal(), OPOS_E_ILLEGAL);
  EXPECT_EQ(triple.ResultCodeExtended(), 0);
  EXPECT_EQ(triple.ErrorString(), "");

  // No answer keeps the text: the extended code goes back to 0.
  triple.MapDeviceError(0x6B);
  triple.SetTimeout();
  EXPECT_EQ(triple.ResultCode(), OPOS_E_TIMEOUT);
  EXPECT_EQ(triple.ResultCodeExtended(), 0);
  EXPECT_EQ(triple.ErrorString(), "Нет чековой ленты");
}

struct CodeAndName {
  int code;
  const char* name;
};

// The OPOS codes by number, as the standard lists them.
TEST(ResultCodes, NamesForTheLog) {
  const CodeAndName results[] = {
      {0, "OPOS_SUCCESS"},          {101, "OPOS_E_CLOSED"},      {102, "OPOS_E_CLAIMED"},
      {103, "OPOS_E_NOTCLAIMED"},   {104, "OPOS_E_NOSERVICE"},   {105, "OPOS_E_DISABLED"},
      {106, "OPOS_E_ILLEGAL"},      {107, "OPOS_E_NOHARDWARE"},  {108, "OPOS_E_OFFLINE"},
      {109, "OPOS_E_NOEXIST"},      {110, "OPOS_E_EXISTS"},      {111, "OPOS_E_FAILURE"},
      {112, "OPOS_E_TIMEOUT"},      {113, "OPOS_E_BUSY"},        {114, "OPOS_E_EXTENDED"},
      {301, "OPOS_OR_ALREADYOPEN"}, {302, "OPOS_OR_REGBADNAME"}, {303, "OPOS_OR_REGPROGID"},
      {304, "OPOS_OR_CREATE"},      {305, "OPOS_OR_BADIF"},      {306, "OPOS_OR_FAILEDOPEN"},
      {307, "OPOS_OR_BADVERSION"},  {401, "OPOS_ORS_NOPORT"},    {402, "OPOS_ORS_NOTSUPPORTED"},
      {403, "OPOS_ORS_CONFIG"},     {450, "OPOS_ORS_SPECIFIC"},
  };
  for (const CodeAndName& row : results) EXPECT_STREQ(ResultCodeName(row.code), row.name);
  EXPECT_STREQ(ResultCodeName(200), "Неизвестная ошибка");
  EXPECT_STREQ(ResultCodeName(201), "Неизвестная ошибка");  // an extended code, not a result

  const CodeAndName extended[] = {
      {201, "OPOS_EFPTR_COVER_OPEN"},
      {202, "OPOS_EFPTR_JRN_EMPTY"},
      {203, "OPOS_EFPTR_REC_EMPTY"},
      {204, "OPOS_EFPTR_SLP_EMPTY"},
      {205, "OPOS_EFPTR_SLP_FORM"},
      {206, "OPOS_EFPTR_MISSING_DEVICES"},
      {207, "OPOS_EFPTR_WRONG_STATE"},
      {208, "OPOS_EFPTR_TECHNICAL_ASSISTANCE"},
      {209, "OPOS_EFPTR_CLOCK_ERROR"},
      {210, "OPOS_EFPTR_FISCAL_MEMORY_FULL"},
      {211, "OPOS_EFPTR_FISCAL_MEMORY_DISCONNECTED"},
      {212, "OPOS_EFPTR_FISCAL_TOTALS_ERROR"},
      {213, "OPOS_EFPTR_BAD_ITEM_QUANTITY"},
      {214, "OPOS_EFPTR_BAD_ITEM_AMOUNT"},
      {215, "OPOS_EFPTR_BAD_ITEM_DESCRIPTION"},
      {216, "OPOS_EFPTR_RECEIPT_TOTAL_OVERFLOW"},
      {217, "OPOS_EFPTR_BAD_VAT"},
      {218, "OPOS_EFPTR_BAD_PRICE"},
      {219, "OPOS_EFPTR_BAD_DATE"},
      {220, "OPOS_EFPTR_NEGATIVE_TOTAL"},
      {221, "OPOS_EFPTR_WORD_NOT_ALLOWED"},
      {222, "OPOS_EFPTR_BAD_LENGTH"},
      {223, "OPOS_EFPTR_MISSING_SET_CURRENCY"},
  };
  char buffer[256];
  for (const CodeAndName& row : extended)
    EXPECT_STREQ(ExtendedCodeName(row.code, buffer, sizeof buffer), row.name);
  EXPECT_STREQ(ExtendedCodeName(378, buffer, sizeof buffer), "Ошибка ФР: Смена превысила 24 часа");
  EXPECT_STREQ(ExtendedCodeName(599, buffer, sizeof buffer), "Ошибка ФР: Неизвестная ошибка");
  EXPECT_STREQ(ExtendedCodeName(0, buffer, sizeof buffer), "Ошибка ФР: Неизвестная ошибка");
}

TEST(ResultCodes, ResultBlockInTheLog) {
  platform::MemoryFileSystem files;
  platform::MemoryClock clock;
  config::DriverLog log(files, clock);
  log.SetEnabled(true);
  LogResultCodes(log, 114, 378);
  LogResultCodes(log, 0, 0);
  EXPECT_EQ(files.Contents(config::kDefaultLogFileName),
            "\r\n\t114, OPOS_E_EXTENDED\r\n\r\n"
            "\r\n\tResultCodeExtended: 378, Ошибка ФР: Смена превысила 24 часа\r\n\r\n"
            "\r\n\t0, OPOS_SUCCESS\r\n\r\n");
}

TEST(DeviceStatusTexts, Submodes) {
  EXPECT_EQ(SubmodeText(0), "бумага есть");
  EXPECT_EQ(SubmodeText(3), "После активного отсутствия бумаги");
  EXPECT_EQ(SubmodeText(5), "Фаза печати операции");
  EXPECT_EQ(SubmodeText(7), "Неизвестный код подрежима ФР (7).");
}

TEST(ModelTable, FamilyCategoryAndLineWidth) {
  // Model byte 0..14: family and category; any other model is family 0, category 0.
  const int families[] = {1, 3, 4, 5, 6, 7, 9, 10, 12, 13, 15, 8, 14, 0, 11};
  const int categories[] = {1, 1, 2, 3, 1, 4, 5, 6, 1, 7, 8, 4, 7, 0, 6};
  for (uint8_t model = 0; model < 15; ++model) {
    EXPECT_EQ(LookUpModel(model, 0).family, families[model]) << int(model);
    EXPECT_EQ(LookUpModel(model, 0).category, categories[model]) << int(model);
  }
  for (int model : {15, 16, 0xFF}) {
    EXPECT_EQ(LookUpModel(uint8_t(model), 0).family, 0) << model;
    EXPECT_EQ(LookUpModel(uint8_t(model), 0).category, 0) << model;
  }
  // Protocol subversion 4 makes model 0 family 2, and no other model anything else.
  EXPECT_EQ(LookUpModel(0, 4).family, 2);
  EXPECT_EQ(LookUpModel(0, 4).category, 1);
  EXPECT_EQ(LookUpModel(1, 4).family, 3);
  EXPECT_EQ(LineWidthForCategory(5), 32);
  EXPECT_EQ(LineWidthForCategory(7), 48);
  EXPECT_EQ(LineWidthForCategory(1), 36);
}

}  // namespace
}  // namespace orn::device
