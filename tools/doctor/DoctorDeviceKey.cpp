// Check 1: the device key as the driver reads it at OpenService.

#include <string>
#include <vector>

#include "DoctorChecks.h"
#include "config/DeviceValues.h"
#include "config/RegistryKey.h"
#include "device/FiscalDevice.h"
#include "device/Protocol.h"

namespace orn::ornfr {

namespace {

using platform::RegAccess;

constexpr char kFixValues[] =
    "исправьте значения ключа (образец: Ornita-OPOS-1.reg) или переустановите драйвер с "
    "заменой настроек (OrnitaOPOS-setup.exe /OVERWRITE)";

std::string TypeName(config::ValueType type) {
  return type == config::ValueType::kDword ? "DWORD" : "строка";
}

// One value of the device key, by the driver's own reading of it.
void CheckValue(platform::Registry& registry, platform::RegKey key,
                const config::DeviceValue& value, Finding& finding) {
  uint32_t number = 0;
  std::string text;
  const long code = config::ReadDeviceValue(registry, key, value, number, text);
  const std::string name = value.name;
  // A required value the driver cannot read fails OpenService; an optional one is only
  // left out.
  const Verdict verdict = value.required ? Verdict::kFailure : Verdict::kWarning;
  switch (config::ProblemOf(value, code)) {
    case config::ValueProblem::kNone:
      break;
    case config::ValueProblem::kMissing:
      if (value.required) finding.Add(verdict, "нет значения " + name, kFixValues);
      return;
    case config::ValueProblem::kWrongType:
      finding.Add(verdict, "значение " + name + " не типа " + TypeName(value.type), kFixValues);
      return;
    case config::ValueProblem::kTooLong:
      finding.Add(verdict,
                  "значение " + name + " длиннее " +
                      std::to_string(config::kStringValueCapacity - 1) + " байт",
                  kFixValues);
      return;
    case config::ValueProblem::kUnreadable:
      finding.Add(verdict, "значение " + name + " не читается (код " + std::to_string(code) + ")",
                  kFixValues);
      return;
  }
  // What the driver does with a value it read but cannot use as it is.
  if (value.field == config::DeviceField::kComNumber &&
      (number < uint32_t(device::FiscalDevice::kFirstPort) ||
       number > uint32_t(device::FiscalDevice::kLastPort)))
    finding.Add(Verdict::kWarning,
                "ComNumber = " + std::to_string(number) +
                    " вне 1..32: драйвер будет искать ФР на всех портах при каждом открытии",
                "укажите в ComNumber порт ФР");
  if (value.field == config::DeviceField::kBaudRate &&
      device::BaudRateCode(number) == device::kDefaultBaudRateCode &&
      number != device::kBaudRates[device::kDefaultBaudRateCode])
    finding.Add(Verdict::kWarning,
                "BaudRate = " + std::to_string(number) +
                    " не из скоростей 2400..115200: драйвер возьмёт 4800",
                "укажите в BaudRate скорость ФР (2400, 4800, 9600, 19200, 38400, 57600 или "
                "115200)");
}

// The payment types key: every value a DWORD; codes above 3 are skipped by the driver.
int CheckPayTypes(platform::Registry& registry, const std::string& path, Finding& finding) {
  config::RegistryKey key(registry);
  if (key.Open(path, RegAccess::kRead) != platform::kErrorSuccess) {
    finding.Add(Verdict::kFailure, "нет ключа " + path.substr(path.rfind('\\') + 1),
                "добавьте способы оплаты: ключ PayTypes, в нём имя способа = код 0..3 (DWORD)");
    return 0;
  }
  std::vector<std::string> names;
  registry.ValueNames(key.Handle(), names);
  int usable = 0;
  for (const std::string& name : names) {
    uint32_t code = 0;
    if (registry.QueryDword(key.Handle(), name.c_str(), code) != platform::kErrorSuccess)
      finding.Add(Verdict::kFailure, "способ оплаты \"" + name + "\" не типа DWORD",
                  "запишите код способа оплаты (0..3) как DWORD");
    else if (code > config::kMaxPayTypeCode)
      finding.Add(
          Verdict::kWarning,
          "способ оплаты \"" + name + "\" = " + std::to_string(code) + " пропускается (коды 0..3)",
          "исправьте код способа оплаты (0 наличные, 1..3 типы оплаты 2..4 ФР)");
    else
      ++usable;
  }
  if (usable == 0)
    finding.Add(Verdict::kWarning,
                "нет ни одного способа оплаты с кодом 0..3: PrintRecTotal не найдёт способ оплаты",
                "добавьте способы оплаты в ключ PayTypes (имя = код 0..3)");
  return usable;
}

}  // namespace

DeviceKeyCheck CheckDeviceKey(platform::Registry& registry, const std::string& device,
                              Environment& env) {
  DeviceKeyCheck result;
  Finding& finding = result.finding;
  const std::string path =
      std::string(config::kOposRoot) + "\\" + config::kOposDeviceClass + "\\" + device;
  config::RegistryKey key(registry);
  const long opened = key.Open(path, RegAccess::kRead);
  if (opened == platform::kErrorFileNotFound) {
    finding.Add(Verdict::kFailure,
                "нет ключа HKLM\\" + path + " (приложение получит OpenResult 302)",
                "установите драйвер (OrnitaOPOS-setup.exe) или импортируйте файл устройства "
                "(Ornita-OPOS-1.reg) программой regedit той же разрядности, что и кассовая "
                "программа");
    result.problems = finding;
    return result;
  }
  if (opened != platform::kErrorSuccess) {
    finding.Add(Verdict::kFailure,
                "ключ HKLM\\" + path + " не открывается (код " + std::to_string(opened) + ")",
                "дайте пользователю кассы право чтения ключа");
    result.problems = finding;
    return result;
  }

  // The ProgID is what the OPOS control creates.
  if (registry.QueryString(key.Handle(), nullptr, result.progId, config::kStringValueCapacity) !=
          platform::kErrorSuccess ||
      result.progId.empty()) {
    result.progId.clear();
    finding.Add(Verdict::kFailure,
                "нет ProgID (значение по умолчанию ключа; приложение получит OpenResult 303)",
                std::string("запишите в значение по умолчанию ключа ") + kOurProgId);
  } else if (result.progId != kOurProgId) {
    finding.Add(Verdict::kWarning, "ProgID " + result.progId + " - не служебный объект Ornita",
                std::string("для ФР Ornita запишите в значение по умолчанию ") + kOurProgId);
  }

  for (const config::DeviceValue& value : config::kDeviceValues)
    CheckValue(registry, key.Handle(), value, finding);
  for (const config::DeviceValue& value : config::kPayTypeNameValues)
    CheckValue(registry, key.Handle(), value, finding);
  const int payTypes = CheckPayTypes(registry, path + "\\PayTypes", finding);

  // The driver's own verdict on the key, read with the log off.
  NoFiles noFiles;
  config::DriverLog quiet(noFiles, env.clock);
  config::DriverParams params(registry, quiet);
  const bool readable = params.ReadDeviceParams(device);
  if (!readable && finding.verdict != Verdict::kFailure)
    finding.Add(Verdict::kFailure, "драйвер не читает ключ (OpenService вернёт 403)", kFixValues);
  result.problems = finding;
  if (readable) {
    // What the driver will use comes first, then what is wrong with it.
    Finding whole = Ok("ProgID " + result.progId + ", COM" + std::to_string(params.ComNumber()) +
                       ", " + std::to_string(params.BaudRate()) +
                       " бод, способов оплаты: " + std::to_string(payTypes));
    whole.Add(finding.verdict, finding.text, finding.advice);
    finding = whole;
  }
  return result;
}

}  // namespace orn::ornfr
