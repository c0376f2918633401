// Checks 4 to 6: what OpenService said, the port and the register on it (found the way the
// driver finds it), and the register's state.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "DoctorChecks.h"
#include "device/DeviceErrors.h"
#include "device/DeviceStatus.h"
#include "device/FiscalDevice.h"
#include "device/ResultCodes.h"
#include "platform/memory/MemoryClock.h"

namespace orn::ornfr {

namespace {

namespace mode = device::mode;
namespace submode = device::submode;

// The register's error for an operator password it does not take ("Неверный пароль").
constexpr uint8_t kWrongPasswordError = 0x4F;
// The register's clock may differ from the computer's by this much before it is mentioned.
constexpr int64_t kClockToleranceMs = 5 * 60 * 1000;

// What OpenService's open result means to a technician.
std::string OpenResultMeaning(int32_t openResult) {
  switch (openResult) {
    case device::OPOS_SUCCESS:
      return "устройство открыто";
    case device::OPOS_ORS_CONFIG:
      return "параметры устройства в реестре не читаются";
    case device::OPOS_ORS_NOPORT:
      return "ни один порт не открылся";
    case device::OPOS_E_TIMEOUT:
      return "ФР не отвечает ни на одном порту";
    case device::OPOS_E_EXTENDED:
      return "ФР ответил ошибкой";
  }
  return device::ResultCodeName(openResult);
}

// The mode number in words, with the receipt type of mode 8.
std::string ModeWords(int number, int detail) {
  static const char* const kReceiptTypes[] = {"продажа", "покупка", "возврат продажи",
                                              "возврат покупки"};
  switch (number) {
    case mode::kDataOutput:
      return "выдача данных";
    case mode::kShiftOpen:
      return "смена открыта";
    case mode::kShiftOpenOver24Hours:
      return "смена открыта, 24 часа истекли";
    case mode::kShiftClosed:
      return "смена закрыта";
    case mode::kLockedTaxPassword:
      return "блокировка до ввода пароля налогового инспектора";
    case mode::kDateConfirmation:
      return "ожидание подтверждения даты";
    case mode::kReceiptOpen:
      return std::string("открыт чек: ") + kReceiptTypes[detail & 3];
    case mode::kDateToBeSet:
      return "дата не установлена";
    case mode::kTestRun:
      return "тестовый прогон";
    case mode::kXReport:
    case mode::kZReport:
    case mode::kFiscalReport:
      return "печать длинного отчёта";
    case mode::kSlipDocument:
    case mode::kSlipDocument15:
      return "подкладной документ";
  }
  return "режим, неизвестный драйверу";
}

// What the mode means for the next receipt.
void JudgeMode(int number, bool hasTaxPassword, Finding& finding) {
  switch (number) {
    case mode::kShiftOpen:
    case mode::kShiftClosed:
      return;
    case mode::kShiftOpenOver24Hours:
      finding.Add(Verdict::kFailure, "смена длится больше 24 часов: ФР не примет чек",
                  "снимите Z-отчёт (PrintZReport кассовой программы или ornfr z-report)");
      return;
    case mode::kReceiptOpen:
      finding.Add(Verdict::kWarning, "в ФР открыт чек",
                  "кассовая программа продолжит его после ClaimDevice или отменит (PrintRecVoid)");
      return;
    case mode::kLockedTaxPassword:
      if (hasTaxPassword)
        finding.Add(Verdict::kWarning, "драйвер введёт PasswordNI при ClaimDevice");
      else
        finding.Add(Verdict::kFailure,
                    "в ключе устройства нет PasswordNI, драйвер не снимет блокировку",
                    "впишите PasswordNI (пароль налогового инспектора) или вызовите инспектора");
      return;
    case mode::kDateConfirmation:
    case mode::kDateToBeSet:
      finding.Add(Verdict::kWarning, "драйвер подтвердит дату ФР при ClaimDevice",
                  "сверьте дату ФР с календарём");
      return;
    case mode::kDataOutput:
    case mode::kTestRun:
      finding.Add(Verdict::kWarning, "драйвер прервёт это при ClaimDevice");
      return;
    case mode::kXReport:
    case mode::kZReport:
    case mode::kFiscalReport:
      finding.Add(Verdict::kWarning, "ФР занят печатью", "дождитесь конца печати");
      return;
    case mode::kSlipDocument:
    case mode::kSlipDocument15:
      finding.Add(Verdict::kWarning, "открыт подкладной документ",
                  "кассовая программа завершит его после ClaimDevice");
      return;
  }
  finding.Add(Verdict::kWarning, "режим, которого драйвер не ждёт",
              "проверьте ФР по его инструкции");
}

std::string DateTimeText(const platform::LocalTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%02u.%02u.%04u %02u:%02u", unsigned(t.day), unsigned(t.month),
                unsigned(t.year), unsigned(t.hour), unsigned(t.minute));
  return text;
}

// 6. The register's state from the status it answered last.
Finding CheckState(device::FiscalDevice& device, bool hasTaxPassword, Environment& env) {
  namespace st = device::status;
  const uint8_t* s = device.StatusBlock();
  const int number = mode::Number(device.ModeByte());
  const int detail = mode::Detail(device.ModeByte());
  const int sub = device.Submode();
  Finding finding =
      Ok("режим " + std::to_string(number) + " (" + ModeWords(number, detail) + "), подрежим " +
         std::to_string(sub) + " (" + device::SubmodeText(sub) + ")");
  JudgeMode(number, hasTaxPassword, finding);
  if (number != mode::kShiftOpenOver24Hours &&
      (device.MemoryFlags() & device::memory_flag::kShiftOver24Hours))
    finding.Add(Verdict::kFailure, "24 часа смены истекли",
                "снимите Z-отчёт (PrintZReport кассовой программы или ornfr z-report)");

  // Paper as the driver checks it before printing.
  if (!device.CheckPaper())
    finding.Add(Verdict::kFailure, device.ErrorString(), "заправьте бумагу");
  else if (sub == submode::kPassivePaperOut || sub == submode::kActivePaperOut)
    finding.Add(Verdict::kFailure, "нет бумаги", "заправьте бумагу");
  else if (sub == submode::kAfterActivePaperOut)
    finding.Add(Verdict::kWarning, "бумага заправлена, ФР ждёт продолжения печати",
                "драйвер продолжит печать при следующем вызове");
  else if (!(device.Flags() & device::flag::kReceiptNotNearEnd))
    finding.Add(Verdict::kWarning, "чековая лента близка к концу", "приготовьте новый рулон");
  else
    finding.Add(Verdict::kOk, "ленты на месте");

  const platform::LocalTime registerTime{uint16_t(2000 + s[st::kDate + 2]),
                                         s[st::kDate + 1],
                                         s[st::kDate],
                                         s[st::kTime],
                                         s[st::kTime + 1],
                                         s[st::kTime + 2],
                                         0};
  const platform::LocalTime now = env.clock.Now();
  const int64_t difference =
      platform::MillisecondsFromLocalTime(registerTime) - platform::MillisecondsFromLocalTime(now);
  if (std::llabs(difference) <= kClockToleranceMs)
    finding.Add(Verdict::kOk, "часы ФР " + DateTimeText(registerTime) + ", как у компьютера");
  else
    finding.Add(Verdict::kWarning,
                "часы ФР " + DateTimeText(registerTime) + ", у компьютера " + DateTimeText(now),
                "установите время ФР (ornfr set-time при закрытой смене)");
  return finding;
}

}  // namespace

Finding DescribeOpen(const OpenOutcome& outcome, int portBefore, int portAfter) {
  if (!outcome.ran) return Finding{Verdict::kFailure, outcome.failure, outcome.advice};
  std::string text = outcome.where + " вернул " + std::to_string(outcome.resultCode) +
                     ", OpenResult " + std::to_string(outcome.openResult) + " (" +
                     OpenResultMeaning(outcome.openResult) + ")";
  if (!outcome.errorText.empty()) text += ", текст драйвера: \"" + outcome.errorText + "\"";
  if (outcome.resultCode != device::OPOS_SUCCESS)
    return Finding{Verdict::kFailure, text, "смотрите строки 1 и 5"};
  Finding finding = Ok(text);
  if (portAfter != portBefore)
    finding.Add(Verdict::kWarning,
                "драйвер нашёл ФР поиском на COM" + std::to_string(portAfter) +
                    " и записал этот порт в ComNumber (было " + std::to_string(portBefore) + ")",
                "проверьте, что это тот ФР");
  return finding;
}

void CheckRegister(const config::DriverParams& params, DoctorSystem& system, Environment& env,
                   bool nothingAnswered, DoctorReport& report) {
  const int port = params.ComNumber();
  NoFiles noFiles;
  config::DriverLog quiet(noFiles, env.clock);
  device::FiscalDevice device(system.Ports(), env.clock, quiet);
  device.SetConnection(port, params.BaudRate());
  device.SetPassword(params.Password());
  device.SetTaxPassword(params.PasswordNI(), params.HasPasswordNI());
  const std::string subject = "Порт " + system.PortName(port);
  const std::string rate = std::to_string(device.BaudRate()) + " бод";

  // What the configured port and rate gave; where the port does not open or the register
  // is silent on it, the driver's own search decides how much that matters.
  Finding link;
  bool answered = false;
  bool search = false;
  std::string missed, missedAdvice;
  if (!device.Port().Open(port, device.BaudRate())) {
    search = true;
    const platform::OsError& error = device.Port().LastError();
    if (error.portInUse) {
      missed = "занят другой программой";
      missedAdvice =
          "закройте программу, которая держит порт (другая кассовая программа, сервис, драйвер "
          "другого устройства), или укажите в ComNumber другой порт";
    } else if (error.code == 2) {  // ERROR_FILE_NOT_FOUND, ENOENT
      missed = "нет такого порта";
      missedAdvice =
          "проверьте номер порта в диспетчере устройств и значение ComNumber (номер "
          "USB-переходника меняется при смене гнезда)";
    } else {
      missed = "не открывается: " + error.text + " (" + std::to_string(error.code) + ")";
      missedAdvice = "проверьте порт в диспетчере устройств";
    }
  } else if (device.Probe()) {
    link.Add(Verdict::kOk, "открывается, ФР отвечает на " + rate);
    answered = true;
  } else if (device.ResultCode() != device::OPOS_E_TIMEOUT) {
    link.Add(Verdict::kFailure, "ФР отвечает ошибкой: " + device.ErrorString(),
             device.LastDeviceError() == kWrongPasswordError
                 ? "проверьте значение Password (пароль оператора)"
                 : "устраните ошибку ФР");
  } else if (device.RegisterHeard()) {
    link.Add(Verdict::kFailure, "открывается, ФР отвечает на " + rate + ", но не на команды",
             "проверьте кабель и ФР; выключите и включите ФР");
  } else {
    search = true;
    missed = "открывается, но ФР не отвечает на " + rate;
    missedAdvice = "проверьте, что ФР включён и кабель подключён к этому порту";
  }

  if (search) {
    device.Disconnect();
    if (!nothingAnswered && device.FindDevice()) {
      answered = true;
      const std::string found = system.PortName(device.ComNumber()) + ", " +
                                std::to_string(device.Port().CurrentBaud()) + " бод";
      if (device.ComNumber() != port)
        link.Add(Verdict::kWarning, missed + "; ФР найден поиском драйвера на " + found,
                 "укажите ComNumber = " + std::to_string(device.ComNumber()) +
                     ": драйвер и сам найдёт ФР, но поиск при каждом открытии занимает время");
      else if (device.Port().CurrentBaud() != device.BaudRate())
        link.Add(Verdict::kWarning, missed + "; ФР работает на " + found,
                 "укажите BaudRate = " + std::to_string(device.Port().CurrentBaud()));
      else
        link.Add(Verdict::kWarning,
                 missed + "; поиск драйвера нашёл ФР на другой скорости и перевёл его на " + rate,
                 "проверьте, не меняет ли скорость ФР другая программа");
    } else {
      link.Add(Verdict::kFailure,
               missed + (nothingAnswered
                             ? "; поиск драйвера при OpenService не нашёл ФР ни на одном порту"
                             : "; поиск драйвера не нашёл ФР ни на одной скорости и ни на одном "
                               "порту"),
               missedAdvice);
    }
  }
  report.Add(5, subject, link);

  if (!answered) {
    report.Add(6, "Состояние ФР", Skipped("нет связи с ФР (см. 5)"));
    return;
  }
  report.Add(6, "Состояние ФР", CheckState(device, params.HasPasswordNI(), env));
  device.Disconnect();
}

}  // namespace orn::ornfr
