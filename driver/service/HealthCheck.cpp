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

// Which status bits a finding reads: the 16-bit flags word, or the fiscal memory flags.
enum class FlagSource { kFlags, kMemoryFlags };

struct Finding {
  FlagSource source;
  uint16_t mask;        // the bit, as a mask of its word
  bool troubleWhenSet;  // else the bit reports trouble when clear
  const char* text;
};

namespace flag = device::flag;
namespace memory_flag = device::memory_flag;
// clang-format off
constexpr Finding kJournalFindings[] = {
  {FlagSource::kFlags, flag::kJournalPaper,       false, "\r\nНет контрольной ленты."},
  {FlagSource::kFlags, flag::kJournalNotNearEnd,  false, "\r\nКонтрольная лента близка к концу."},
  {FlagSource::kFlags, flag::kJournalLeverDown,   false, "\r\nРычаг термоголовки контрольной ленты поднят."},
};
constexpr Finding kReceiptPaperOut = {FlagSource::kFlags, flag::kReceiptPaper, false,
                                      "\r\nНет чековой ленты."};
constexpr Finding kReceiptNearEnd = {FlagSource::kFlags, flag::kReceiptNotNearEnd, false,
                                     "\r\nЧековая лента близка к концу."};
constexpr Finding kReceiptLever = {FlagSource::kFlags, flag::kReceiptLeverDown, false,
                                   "\r\nРычаг термоголовки чековой ленты поднят."};
constexpr Finding kOtherFindings[] = {
  {FlagSource::kFlags,       flag::kRightSensorFailed,        true, "\r\nОтказ правого датчика принтера."},
  {FlagSource::kFlags,       flag::kLeftSensorFailed,         true, "\r\nОтказ левого датчика принтера."},
  {FlagSource::kFlags,       flag::kJournalUnitAlmostFull,    true, "\r\nЭКЛЗ почти заполнена."},
  {FlagSource::kMemoryFlags, memory_flag::kOverflow,          true, "\r\nПереполнение ФП."},
  {FlagSource::kMemoryFlags, memory_flag::kBatteryLow,        true, "\r\nБатарея ФП разряжена."},
  {FlagSource::kMemoryFlags, memory_flag::kLastRecordDamaged, true, "\r\nПоследняя запись ФП разрушена."},
  {FlagSource::kMemoryFlags, memory_flag::kShiftOver24Hours,  true, "\r\n24 часа в ФП кончились."},
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
  const size_t before = checkHealthText_.size();
  auto check = [&](const Finding& finding) {
    const uint16_t bits =
        finding.source == FlagSource::kFlags ? device_.Flags() : device_.MemoryFlags();
    const bool set = (bits & finding.mask) != 0;
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
  if (const auto& failure = stateStore_.Failed()) {
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
