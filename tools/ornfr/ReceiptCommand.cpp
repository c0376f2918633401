#include "ReceiptCommand.h"

#include <cstdio>
#include <functional>
#include <optional>

#include "device/ResultCodes.h"
#include "platform/Platform.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/portable/TableTextConverter.h"
#include "service/FptrService.h"
#include "service/OposConstants.h"

namespace orn::ornfr {

namespace {

// OPOS currency: ten-thousandths of a rouble.
constexpr int64_t Roubles(int64_t roubles, int64_t kopecks = 0) {
  return roubles * 10000 + kopecks * 100;
}

// The device key a shop's technician would write, on the chosen port, rate and password.
std::string DeviceKey(const ReceiptOptions& options) {
  char values[160];
  std::snprintf(
      values, sizeof values,
      "\"ComNumber\"=dword:%08x\r\n\"BaudRate\"=dword:%08x\r\n\"Password\"=dword:%08x\r\n",
      unsigned(options.portNumber), unsigned(options.baud), unsigned(options.password));
  std::string text =
      "REGEDIT4\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\OLEforRetail\\ServiceOPOS\\FiscalPrinter\\Ornita-OPOS-1]\r\n"
      "@=\"Ornita.FiscalPrinter\"\r\n"
      "\"Codepage866\"=dword:00000000\r\n";
  text += values;
  text +=
      "\"SubtotalName\"=\"ПОДИТОГ\"\r\n"
      "\"CloseRecText\"=\"СПАСИБО ЗА ПОКУПКУ\"\r\n"
      "\"PayTypeName2\"=\"КРЕДИТ\"\r\n"
      "\"PayTypeName3\"=\"ТАРА\"\r\n"
      "\"PayTypeName4\"=\"ПЛАТЕЖНАЯ КАРТА\"\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\OLEforRetail\\ServiceOPOS\\FiscalPrinter\\Ornita-OPOS-1\\"
      "PayTypes]\r\n"
      "\"Наличные\"=dword:00000000\r\n"
      "\"Платежная карта\"=dword:00000003\r\n";
  if (!options.logFile.empty()) {
    std::string escaped;
    for (char c : options.logFile) {
      if (c == '\\' || c == '"') escaped += '\\';
      escaped += c;
    }
    text +=
        "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Ornita\\OLEforRetail\\ServiceOPOS\\FiscalPrinter\\"
        "Ornita-OPOS-1]\r\n\"LogEnabled\"=dword:00000001\r\n\"LogFileMaxSize\"=dword:00000000\r\n"
        "\"LogFileName\"=\"" +
        escaped + "\"\r\n";
  }
  return text;
}

}  // namespace

int RunReceipt(const ReceiptOptions& options, Environment& env) {
  platform::TableTextConverter text;
  platform::MemoryRegistry registry;
  if (!registry.ImportReg(DeviceKey(options))) {
    env.err << "ornfr: the device key does not load\n";
    return kExitUsage;
  }
  const platform::Platform platform{env.clock, text, env.files, registry};
  service::FptrService fptr(platform, env.ports);

  // Each call as a point of sale makes it; the first failure ends the run.
  std::optional<int> failure;
  auto call = [&](const char* name, const std::function<int32_t()>& method) {
    if (failure) return;
    const int32_t result = method();
    if (result == device::OPOS_SUCCESS) {
      env.out << env.consoleText(name) << ": OK\n";
      return;
    }
    env.out << env.consoleText(name) << ": " << result << " " << device::ResultCodeName(result)
            << ", extended " << fptr.Device().ResultCodeExtended();
    if (!fptr.Device().ErrorString().empty())
      env.out << ": " << env.consoleText(fptr.Device().ErrorString());
    env.out << "\n";
    failure = result == device::OPOS_E_TIMEOUT || result == device::OPOS_E_NOHARDWARE
                  ? kExitNoAnswer
                  : kExitRegisterError;
  };

  call("Open", [&] { return fptr.OpenService(u"FiscalPrinter", u"Ornita-OPOS-1", nullptr); });
  call("ClaimDevice", [&] { return fptr.ClaimDevice(1000); });
  call("DeviceEnabled = True",
       [&] { return fptr.SetPropertyNumber(service::PIDX_DeviceEnabled, 1); });
  // A receipt left open by an earlier run is voided first, as a point of sale does after
  // a restart.
  if (!failure && fptr.Receipt().PrinterState() != service::FPTR_PS_MONITOR)
    call("PrintRecVoid", [&] { return fptr.PrintRecVoid(u"Чек прерван"); });
  call("BeginFiscalReceipt", [&] { return fptr.BeginFiscalReceipt(true); });
  call("PrintRecItem Хлеб ржаной", [&] {
    return fptr.PrintRecItem(u"Хлеб ржаной", Roubles(91), 2000, 1, Roubles(45, 50), u"шт");
  });
  call("PrintRecItem Молоко", [&] {
    return fptr.PrintRecItem(u"Молоко 3,2% 1 л", Roubles(89, 90), 1000, 2, Roubles(89, 90), u"шт");
  });
  call("PrintRecItem Сыр", [&] {
    return fptr.PrintRecItem(u"Сыр российский", Roubles(227, 50), 350, 1, Roubles(650), u"кг");
  });
  call("PrintRecItemAdjustment", [&] {
    return fptr.PrintRecItemAdjustment(service::FPTR_AT_AMOUNT_DISCOUNT, u"Скидка", Roubles(10), 1);
  });
  call("PrintRecSubtotal", [&] { return fptr.PrintRecSubtotal(Roubles(398, 40)); });
  call("PrintRecTotal Платежная карта",
       [&] { return fptr.PrintRecTotal(Roubles(398, 40), Roubles(200), u"Платежная карта"); });
  call("PrintRecTotal Наличные",
       [&] { return fptr.PrintRecTotal(Roubles(398, 40), Roubles(500), u"Наличные"); });
  call("EndFiscalReceipt", [&] { return fptr.EndFiscalReceipt(false); });
  // The register is left as a point of sale leaves it at the end of the day.
  if (fptr.State() != service::OPOS_S_CLOSED) {
    fptr.ReleaseDevice();
    fptr.CloseService();
  }
  if (failure) return *failure;
  env.out << "receipt: 398.40, paid 200.00 by card and 500.00 cash, change 301.60\n";
  return kExitSuccess;
}

}  // namespace orn::ornfr
