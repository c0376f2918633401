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

TEST(ResultCodes, NamesForTheLog) {
  EXPECT_STREQ(ResultCodeName(0), "OPOS_SUCCESS");
  EXPECT_STREQ(ResultCodeName(112), "OPOS_E_TIMEOUT");
  EXPECT_STREQ(ResultCodeName(403), "OPOS_ORS_CONFIG");
  EXPECT_STREQ(ResultCodeName(450), "OPOS_ORS_SPECIFIC");
  EXPECT_STREQ(ResultCodeName(200), "Неизвестная ошибка");
  char buffer[256];
  EXPECT_STREQ(ExtendedCodeName(203, buffer, sizeof buffer), "OPOS_EFPTR_REC_EMPTY");
  EXPECT_STREQ(ExtendedCodeName(223, buffer, sizeof buffer), "OPOS_EFPTR_MISSING_SET_CURRENCY");
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
  EXPECT_EQ(LookUpModel(0, 0).family, 1);
  EXPECT_EQ(LookUpModel(0, 4).family, 2);
  EXPECT_EQ(LookUpModel(6, 0).family, 9);
  EXPECT_EQ(LookUpModel(6, 0).category, 5);
  EXPECT_EQ(LookUpModel(9, 0).category, 7);
  EXPECT_EQ(LookUpModel(13, 0).family, 0);
  EXPECT_EQ(LookUpModel(14, 0).family, 11);
  EXPECT_EQ(LookUpModel(15, 0).family, 0);
  EXPECT_EQ(LineWidthForCategory(5), 32);
  EXPECT_EQ(LineWidthForCategory(7), 48);
  EXPECT_EQ(LineWidthForCategory(1), 36);
}

}  // namespace
}  // namespace orn::device
