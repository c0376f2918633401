// CheckHealth: the internal check reads the register's status and lists what is wrong;
// the external check runs the register's test print.

#include <cstdio>

#include "device/DeviceStatus.h"
#include "service/FptrService.h"
#include "service/OposConstants.h"

namespace orn::service {

namespace {

// Poll interval of the waits of the external check.
constexpr uint32_t kExternalPollMs = 1000;

enum class FlagSource { kLowFlags, kHighFlags, kMemoryFlags };

struct Finding {
  FlagSource source;
  uint8_t bit;
  bool troubleWhenSet;  // else the bit reports trouble when clear
  const char* text;
};

// clang-format off
constexpr Finding kJournalFindings[] = {
  {FlagSource::kLowFlags,  6, false, "\r\nНет контрольной ленты."},
  {FlagSource::kLowFlags,  0, false, "\r\nКонтрольная лента близка к концу."},
  {FlagSource::kHighFlags, 0, false, "\r\nРычаг термоголовки контрольной ленты поднят."},
};
constexpr Finding kReceiptPaperOut = {FlagSource::kLowFlags, 7, false, "\r\nНет чековой ленты."};
constexpr Finding kReceiptNearEnd = {FlagSource::kLowFlags, 1, false,
                                     "\r\nЧековая лента близка к концу."};
constexpr Finding kReceiptLever = {FlagSource::kHighFlags, 1, false,
                                   "\r\nРычаг термоголовки чековой ленты поднят."};
constexpr Finding kOtherFindings[] = {
  {FlagSource::kHighFlags,   4, true, "\r\nОтказ правого датчика принтера."},
  {FlagSource::kHighFlags,   5, true, "\r\nОтказ левого датчика принтера."},
  {FlagSource::kHighFlags,   6, true, "\r\nЭКЛЗ почти заполнена."},
  {FlagSource::kMemoryFlags, 3, true, "\r\nПереполнение ФП."},
  {FlagSource::kMemoryFlags, 4, true, "\r\nБатарея ФП разряжена."},
  {FlagSource::kMemoryFlags, 5, true, "\r\nПоследняя запись ФП разрушена."},
  {FlagSource::kMemoryFlags, 7, true, "\r\n24 часа в ФП кончились."},
};
// clang-format on

// The model category whose receipt lever has no sensor.
constexpr int kNoReceiptLeverCategory = 6;

}  // namespace

int32_t FptrService::CheckHealth(int32_t level) {
  return Call(Method::kCheckHealth, {Number("Level", level)}, [&] {
    switch (level) {
      case OPOS_CH_INTERNAL:
        InternalCheck();
        break;
      case OPOS_CH_EXTERNAL:
        ExternalCheck();
        break;
      case OPOS_CH_INTERACTIVE:
        log_.LogDetail("Метод CheckHealth с параметром OPOS_CH_INTERACTIVE не реализован.");
        device_.SetIllegal();
        break;
      default:
        log_.LogDetailF("Метод CheckHealth. Неверное значение параметра Level (%d).", int(level));
        device_.SetIllegal();
        break;
    }
  });
}

void FptrService::InternalCheck() {
  checkHealthText_ = "Internal HCheck: ";
  if (!device_.GetStatus()) {
    checkHealthText_ += device_.ErrorString();
    AddDriverFindings();
    return;
  }
  const uint8_t bytes[] = {uint8_t(device_.Flags()), uint8_t(device_.Flags() >> 8),
                           device_.MemoryFlags()};
  const size_t before = checkHealthText_.size();
  auto check = [&](const Finding& finding) {
    const bool set = (bytes[int(finding.source)] >> finding.bit & 1) != 0;
    if (set == finding.troubleWhenSet) checkHealthText_ += finding.text;
  };
  if (caps_.jrnPresent)
    for (const Finding& finding : kJournalFindings) check(finding);
  check(kReceiptPaperOut);
  if (caps_.recNearEndSensor) check(kReceiptNearEnd);
  if (device_.ModelCategory() != kNoReceiptLeverCategory) check(kReceiptLever);
  for (const Finding& finding : kOtherFindings) check(finding);
  AddDriverFindings();
  if (checkHealthText_.size() == before) checkHealthText_ += "OK.";
}

void FptrService::AddDriverFindings() {
  char text[400];
  if (const auto& failure = receipt_.StoreFailed()) {
    std::snprintf(text, sizeof text,
                  "\r\nСостояние чека не сохраняется в реестре (HKEY_LOCAL_MACHINE\\%s, ошибка "
                  "%ld): после сбоя кассы драйвер не узнает открытый чек.",
                  failure->keyPath.c_str(), failure->code);
    checkHealthText_ += text;
  }
  if (log_.FileFails()) {
    std::snprintf(text, sizeof text, "\r\nЖурнал драйвера не открывается: %s.",
                  log_.FileName().c_str());
    checkHealthText_ += text;
  }
}

void FptrService::ExternalCheck() {
  checkHealthText_ = "External HCheck: ";
  const bool passed = device_.WaitForPrinting(kExternalPollMs) &&
                      (device::mode::Number(device_.ModeByte()) == device::mode::kTestRun ||
                       (device_.StartTestRun() && device_.WaitForPrinting(kExternalPollMs))) &&
                      device_.InterruptTest() && device_.WaitForPrinting(kExternalPollMs);
  checkHealthText_ += passed ? std::string("OK.") : device_.ErrorString();
}

}  // namespace orn::service
