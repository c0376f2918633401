#include "SalesReceipt.h"

#include <cstdio>

namespace orn::benchmarks {

namespace {
constexpr int64_t kCurrencyUnit = 10000;  // OPOS currency: four implied decimals
constexpr int32_t kOneUnit = 1000;        // quantity in thousandths
}  // namespace

std::string DeviceConfiguration(uint32_t baudRate, bool logEnabled) {
  char text[2048];
  std::snprintf(
      text, sizeof text,
      "REGEDIT4\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\OLEforRetail\\ServiceOPOS\\FiscalPrinter\\Ornita-OPOS-1]\r\n"
      "\"Codepage866\"=dword:00000000\r\n"
      "\"ComNumber\"=dword:00000001\r\n"
      "\"BaudRate\"=dword:%08x\r\n"
      "\"Password\"=dword:0000001e\r\n"
      "\"SubtotalName\"=\"ПОДИТОГ\"\r\n"
      "\"CloseRecText\"=\"СПАСИБО ЗА ПОКУПКУ\"\r\n"
      "\"PayTypeName2\"=\"КРЕДИТ\"\r\n"
      "\"PayTypeName3\"=\"ТАРА\"\r\n"
      "\"PayTypeName4\"=\"\"\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\OLEforRetail\\ServiceOPOS\\FiscalPrinter\\Ornita-OPOS-1\\"
      "PayTypes]\r\n"
      "\"Наличные\"=dword:00000000\r\n"
      "\"Карта\"=dword:00000003\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Ornita\\OLEforRetail\\ServiceOPOS\\FiscalPrinter\\"
      "Ornita-OPOS-1]\r\n"
      "\"LogEnabled\"=dword:%08x\r\n"
      "\"LogFileName\"=\"C:\\\\FiscalPrinter.log\"\r\n"
      "\"LogFileMaxSize\"=dword:00000000\r\n",
      unsigned(baudRate), logEnabled ? 1u : 0u);
  return text;
}

bool OpenAndClaim(service::FptrService& service) {
  return service.OpenService(u"FiscalPrinter", u"Ornita-OPOS-1", nullptr) == 0 &&
         service.ClaimDevice(1000) == 0;
}

bool SellReceipt(service::FptrService& service) {
  static const char16_t* const kNames[] = {u"Хлеб", u"Молоко", u"Кефир",    u"Сыр",     u"Масло",
                                           u"Яйца", u"Чай",    u"Кофе",     u"Сахар",   u"Соль",
                                           u"Рис",  u"Гречка", u"Макароны", u"Печенье", u"Сок",
                                           u"Вода", u"Яблоки", u"Бананы",   u"Морковь", u"Лук"};
  if (service.BeginFiscalReceipt(true) != 0) return false;
  int64_t total = 0;
  for (int i = 0; i < kReceiptItems; ++i) {
    const int64_t price = (10 + i) * kCurrencyUnit;
    total += price;
    const int32_t taxGroup = 1 + i % 4;
    if (service.PrintRecItem(kNames[i], price, kOneUnit, taxGroup, 0, u"") != 0) return false;
  }
  const int64_t cash = total / 2;
  return service.PrintRecSubtotal(0) == 0 && service.PrintRecTotal(total, cash, u"Наличные") == 0 &&
         service.PrintRecTotal(total, total - cash, u"Карта") == 0 &&
         service.EndFiscalReceipt(false) == 0;
}

}  // namespace orn::benchmarks
