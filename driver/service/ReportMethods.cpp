// Reports and the data the register keeps: the X and Z reports, the fiscal memory reports,
// the data items, the totalizers and the register's dates.

#include <cinttypes>
#include <cstdio>

#include "device/DeviceStatus.h"
#include "device/ResultCodes.h"
#include "receipt/DecimalText.h"
#include "receipt/OposText.h"
#include "receipt/ReceiptArithmetic.h"
#include "service/FptrService.h"
#include "service/OposConstants.h"

namespace orn::service {

namespace {

// Poll interval while a report prints.
constexpr uint32_t kReportPollMs = 500;
// Report kinds of the fiscal memory reports.
constexpr uint8_t kShortReport = 0;
constexpr uint8_t kFullReport = 1;
// A fiscal memory report changes no register: a lost answer is not worth a status before
// every report (and one the register refuses for want of the tax password sends nothing).
constexpr bool kFiscalMemoryReport = false;
// An end shift of 0 asks for every shift from the start on.
constexpr uint16_t kLastShift = 65535;
// Whole mode bytes of an open shift: the Z report needs no receipt to open one.
constexpr uint8_t kShiftOpenMode = 0x02;
constexpr uint8_t kShiftOpenOver24HoursMode = 0x03;

// Registers the data items and totalizers read.
constexpr uint8_t kCashInHandRegister = 241;
constexpr uint8_t kRefundReceiptsRegister = 146;
// Receipt totals of the shift by receipt type: sale, purchase, sale refund, purchase refund.
constexpr uint8_t kShiftTotalsRegister = 245;
constexpr int kShiftTotalSigns[4] = {+1, -1, -1, +1};

// Money registers of a totalizer: of the day (the shift) and of the open receipt.
struct TotalizerRegisters {
  int32_t totalizer;
  uint8_t day;
  uint8_t receipt;
};
constexpr TotalizerRegisters kTotalizers[] = {
    {FPTR_GT_DISCOUNT, 185, 64},
    {FPTR_GT_ITEM, 121, 0},
    {FPTR_GT_REFUND, 123, 2},
    {FPTR_GT_SURCHARGE, 189, 68},
};

uint32_t Le(const uint8_t* bytes, int count) {
  uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[i];
  return value;
}

std::string Decimal(long long value) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld", value);
  return text;
}

std::string TwoCharacters(const uint8_t* bytes) {
  char text[4] = {char(bytes[0]), '.', char(bytes[1]), '\0'};
  return text;
}

}  // namespace

bool FptrService::ParseDateArgument(std::u16string_view text, receipt::RegisterDateTime& date) {
  if (receipt::ParseOposDate(FromApp(text), date)) return true;
  device_.SetExtendedError(device::OPOS_EFPTR_BAD_DATE);
  return false;
}

bool FptrService::ParseWordArgument(std::u16string_view text, uint16_t& value) {
  const std::string ansi = FromApp(text);
  if (receipt::ParseWord(ansi, value)) return true;
  log_.LogDetailF("%s не является целым числом.", ansi.c_str());
  device_.SetIllegal();
  return false;
}

int32_t FptrService::PrintXReport() {
  return Call(Method::kPrintXReport, {}, [&] {
    if (!CheckState({FPTR_PS_MONITOR})) return;
    // Persisted at once: a driver restarted while the report prints knows it.
    receipt_.SetPrinterState(FPTR_PS_REPORT);
    PrintReportOnce([this] { return device_.PrintReportX(); });
    receipt_.SetPrinterState(FPTR_PS_MONITOR);
  });
}

int32_t FptrService::PrintZReport() {
  return Call(Method::kPrintZReport, {}, [&] {
    if (!CheckState({FPTR_PS_MONITOR})) return;
    receipt_.SetPrinterState(FPTR_PS_REPORT);
    // A call repeated after the register took the report finds the shift it closed, and
    // only waits for the printing.
    if ((retrySteps_[kMainStepDone] || OpenShiftForZReport()) &&
        PrintReportOnce([this] { return device_.PrintReportZ(); }))
      dayOpened_ = false;
    receipt_.SetPrinterState(FPTR_PS_MONITOR);
  });
}

bool FptrService::PrintReportOnce(const std::function<bool()>& command, bool settleByNumber) {
  if (!retrySteps_[kMainStepDone]) {
    if (!(settleByNumber ? MakeDocument(command) : command())) return false;
    retrySteps_[kMainStepDone] = true;
  }
  if (!device_.WaitForPrinting(kReportPollMs)) return false;
  retrySteps_ = {};
  return true;
}

bool FptrService::OpenShiftForZReport() {
  if (!device_.GetStatus()) return false;
  const uint8_t mode = device_.ModeByte();
  if (mode == kShiftOpenMode || mode == kShiftOpenOver24HoursMode) return true;
  // A closed shift has nothing to report: a receipt of zero opens it.
  if (!device_.Sale(device::ItemLine{})) return false;
  return device_.CloseReceipt(device::Payments{}, {}) && device_.WaitForPrinting(kReportPollMs);
}

int32_t FptrService::PrintReport(int32_t reportType, std::u16string_view startNum,
                                 std::u16string_view endNum) {
  return Call(
      Method::kPrintReport,
      {Number("ReportType", reportType), Text("StartNum", startNum), Text("EndNum", endNum)}, [&] {
        if (!CheckState({FPTR_PS_MONITOR})) return;
        if (reportType == FPTR_RT_ORDINAL) {
          uint16_t first = 0;
          uint16_t last = 0;
          if (!ParseWordArgument(startNum, first) || !ParseWordArgument(endNum, last)) return;
          if (first == 0 || (last != 0 && last < first)) {
            device_.SetIllegal();
            return;
          }
          PrintReportOnce(
              [&] {
                return device_.FiscalReportByShifts(kFullReport, first,
                                                    last == 0 ? kLastShift : last);
              },
              kFiscalMemoryReport);
        } else if (reportType == FPTR_RT_DATE) {
          receipt::RegisterDateTime first;
          receipt::RegisterDateTime last;
          if (!ParseDateArgument(startNum, first) || !ParseDateArgument(endNum, last)) return;
          const uint8_t from[3] = {first.day, first.month, first.year};
          const uint8_t to[3] = {last.day, last.month, last.year};
          PrintReportOnce([&] { return device_.FiscalReportByDates(kFullReport, from, to); },
                          kFiscalMemoryReport);
        } else {
          device_.SetIllegal();
        }
      });
}

int32_t FptrService::PrintPeriodicTotalsReport(std::u16string_view date1,
                                               std::u16string_view date2) {
  return Call(Method::kPrintPeriodicTotalsReport, {Text("Date1", date1), Text("Date2", date2)},
              [&] {
                if (!CheckState({FPTR_PS_MONITOR})) return;
                receipt::RegisterDateTime first;
                receipt::RegisterDateTime last;
                if (!ParseDateArgument(date1, first) || !ParseDateArgument(date2, last)) return;
                const uint8_t from[3] = {first.day, first.month, first.year};
                const uint8_t to[3] = {last.day, last.month, last.year};
                device_.FiscalReportByDates(kShortReport, from, to);
              });
}

int32_t FptrService::PrintPowerLossReport() {
  return NotSupported(Method::kPrintPowerLossReport, {});
}

int32_t FptrService::GetData(int32_t dataItem, int32_t& optArgs, std::u16string& data) {
  std::string text;
  const int32_t code = Call(Method::kGetData, {Number("DataItem", dataItem)},
                            [&] { text = DataItemText(dataItem, optArgs); });
  data = ToApp(text);
  return code;
}

std::string FptrService::DataItemText(int32_t dataItem, int32_t selector) {
  const uint8_t* status = device_.StatusBlock();
  switch (dataItem) {
    case FPTR_GD_CURRENT_TOTAL: {
      int64_t total = 0;
      if (device_.GetStatus() &&
          device::mode::Number(device_.ModeByte()) == device::mode::kReceiptOpen)
        total = device_.Subtotal().value_or(0);
      return receipt::FormatRegisterMoney(total, device_.CurrencyDivisor());
    }
    case FPTR_GD_DAILY_TOTAL: {
      const bool read = device_.GetCashRegister(kCashInHandRegister);
      return receipt::FormatRegisterMoney(read ? device_.CashRegisterValue() : 0,
                                          device_.CurrencyDivisor());
    }
    case FPTR_GD_RECEIPT_NUMBER:
      if (!device_.GetStatus()) return {};
      return Decimal(Le(status + device::status::kDocumentNumber, 2));
    case FPTR_GD_REFUND:
      if (!device_.GetOperationRegister(kRefundReceiptsRegister)) return {};
      return Decimal(device_.OperationRegisterValue());
    case FPTR_GD_Z_REPORT:
      if (!device_.GetStatus()) return {};
      return Decimal(Le(status + device::status::kLastClosedShift, 2));
    case FPTR_GD_PRINTER_ID: {
      uint64_t id = 0;
      for (int i = 5; i >= 0; --i) id = id << 8 | status[device::status::kIdentification + i];
      char text[32];
      std::snprintf(text, sizeof text, "%012" PRIu64, id);
      return text;
    }
    case FPTR_GD_FIRMWARE:
      switch (selector) {
        case 0:
          return TwoCharacters(status + device::status::kFirmwareVersion);
        case 1:
          return Decimal(Le(status + device::status::kFirmwareBuild, 2));
        case 2:
          return TwoCharacters(status + device::status::kMemoryFirmwareVersion);
        case 3:
          return Decimal(Le(status + device::status::kMemoryFirmwareBuild, 2));
        default:
          device_.SetIllegal();
          return {};
      }
    case FPTR_GD_DESCRIPTION_LENGTH:
      return Decimal(device_.LineWidth());
    default:
      device_.SetIllegal();
      return {};
  }
}

int32_t FptrService::GetDate(std::u16string& date) {
  std::string text;
  const int32_t code = Call(Method::kGetDate, {}, [&] {
    if (dateType_ == FPTR_DT_EOD) {
      if (!device_.GetLastFiscalRecordDate()) return;
      const uint8_t* day = device_.LastFiscalRecordDate();
      text = receipt::FormatOposDate({day[0], day[1], day[2], 0, 0});
    } else if (dateType_ == FPTR_DT_RTC) {
      if (!device_.GetStatus()) return;
      const uint8_t* day = device_.StatusDate();
      const uint8_t* time = device_.StatusTime();
      text = receipt::FormatOposDate({day[0], day[1], day[2], time[0], time[1]});
    } else {
      device_.SetIllegal();
    }
  });
  date = ToApp(text);
  return code;
}

int32_t FptrService::GetTotalizer(int32_t vatID, int32_t optArgs, std::u16string& data) {
  int64_t value = 0;
  const int32_t code =
      Call(Method::kGetTotalizer, {Number("VatID", vatID), Number("OptArgs", optArgs)}, [&] {
        if (!ReadTotalizer(optArgs, value)) value = 0;
      });
  // Always written: 0.00 when the query was refused or a register command failed.
  data = ToApp(receipt::FormatRegisterMoney(value, device_.CurrencyDivisor()));
  return code;
}

bool FptrService::ReadTotalizer(int32_t totalizer, int64_t& value) {
  value = 0;
  const bool receipt = totalizerType_ == FPTR_TT_RECEIPT ||
                       (totalizerType_ == FPTR_TT_DOCUMENT && totalizer == FPTR_GT_GROSS);
  if (totalizer == FPTR_GT_GROSS) {
    if (totalizerType_ == FPTR_TT_DAY) {
      for (int t = 0; t < 4; ++t) {
        if (!device_.GetCashRegister(uint8_t(kShiftTotalsRegister + t))) return false;
        value += kShiftTotalSigns[t] * device_.CashRegisterValue();
      }
      return true;
    }
    if (!receipt) return true;  // a type without a gross total of its own: 0
    if (!device_.GetStatus()) return false;
    const uint8_t mode = device_.ModeByte();
    // Mode 8 with the receipt type 0..3 in the detail: that receipt's items.
    if ((mode & 0x0F) != device::mode::kReceiptOpen || (mode >> 4) > 3) return true;
    if (!device_.GetCashRegister(uint8_t(mode >> 4))) return false;
    value = device_.CashRegisterValue();
    return true;
  }
  for (const TotalizerRegisters& entry : kTotalizers) {
    if (entry.totalizer != totalizer) continue;
    if (totalizerType_ != FPTR_TT_DAY && totalizerType_ != FPTR_TT_RECEIPT) break;
    if (!device_.GetCashRegister(totalizerType_ == FPTR_TT_DAY ? entry.day : entry.receipt))
      return false;
    value = device_.CashRegisterValue();
    return true;
  }
  device_.SetIllegal();
  return false;
}

int32_t FptrService::GetVatEntry(int32_t vatID, int32_t optArgs, int32_t& vatRate) {
  (void)vatRate;  // the rates are not read back from the register
  return NotSupported(Method::kGetVatEntry, {Number("VatID", vatID), Number("OptArgs", optArgs)});
}

}  // namespace orn::service
