// The shift reports (X, and Z which closes the shift into the fiscal memory), the fiscal
// memory reports and queries, and the tax inspector's password.

#include <cstdio>

#include "simulator/DocumentText.h"
#include "simulator/ErrorCodes.h"
#include "simulator/RegisterCommands.h"
#include "simulator/Wire.h"

namespace orn::simulator {

namespace {

constexpr const char* kReceiptTypeNames[4] = {"ПРОДАЖА", "ПОКУПКА", "ВОЗВРАТ ПРОДАЖИ",
                                              "ВОЗВРАТ ПОКУПКИ"};

// The two bytes before the date of GetLastFiscalRecordDate: the record's kind.
constexpr uint8_t kRecordRegistration = 0;
constexpr uint8_t kRecordShift = 1;

std::string Numbered(const char* format, unsigned number) {
  char text[64];
  std::snprintf(text, sizeof text, format, number);
  return text;
}

}  // namespace

void RegisterCommands::StartReport(uint8_t mode) {
  modeAfterReport_ = state_.mode;
  state_.mode = mode;
  longReport_ = true;
}

// The shift's totals, as the X and Z reports print them.
void RegisterCommands::PrintShiftTotals(StationMask stations) {
  const MoneyRegisters& m = state_.money;
  const uint16_t shift = uint16_t(state_.fiscalMemory.LastClosedShift() + 1);
  Print(stations, Numbered("СМЕНА № %04u", shift));
  for (uint8_t t = 0; t < 4; ++t) {
    Print(stations, TwoColumns(kReceiptTypeNames[t], Money(m[money::ShiftTotals(t)]), Width()));
    Print(stations,
          TwoColumns(Numbered("  ЧЕКОВ %u", state_.operations[operations::ClosedReceipts(t)]), "",
                     Width()));
  }
  Print(stations, TwoColumns("СКИДКИ", Money(m[money::ShiftDiscounts(0)]), Width()));
  Print(stations, TwoColumns("НАДБАВКИ", Money(m[money::ShiftSurcharges(0)]), Width()));
  Print(stations, TwoColumns("СТОРНО", Money(m[money::ShiftStornos(0)]), Width()));
  Print(stations, TwoColumns("ВНЕСЕНИЯ", Money(m[money::kShiftCashIn]), Width()));
  Print(stations, TwoColumns("ВЫПЛАТЫ", Money(m[money::kShiftCashOut]), Width()));
  Print(stations, TwoColumns("НАЛИЧНОСТЬ В КАССЕ", Money(m[money::kCashInHand]), Width()));
}

uint8_t RegisterCommands::PrintReportX(const Request& request, Answer&) {
  const uint8_t mode = ModeNumber();
  if (mode == kModeReceiptOpen || mode == kModeSlipDocument) return kErrorReceiptOpen;
  if (mode != kModeShiftOpen && mode != kModeShiftOpenOver24Hours && mode != kModeShiftClosed)
    return kErrorWrongMode;
  ++state_.operations[operations::kXReports];
  Record(FiscalOperation::Kind::kXReport, 0);
  StartReport(kModeXReport);
  PrintDocumentStart(kFiscalStations, "СУТОЧНЫЙ ОТЧЕТ БЕЗ ГАШЕНИЯ", request.nowMs);
  PrintShiftTotals(kFiscalStations);
  PrintDocumentEnd(kFiscalStations);
  EndDocument();
  return kErrorNone;
}

// Closes the shift: a fiscal memory record with the shift's totals, the shift's registers
// back to 0.
uint8_t RegisterCommands::PrintReportZ(const Request& request, Answer&) {
  const uint8_t mode = ModeNumber();
  if (mode == kModeReceiptOpen || mode == kModeSlipDocument) return kErrorReceiptOpen;
  if (mode == kModeShiftClosed) return kErrorShiftNotOpen;
  if (mode != kModeShiftOpen && mode != kModeShiftOpenOver24Hours) return kErrorWrongMode;
  if (state_.fiscalMemory.Full()) return kErrorShiftAreaFull;
  const platform::LocalTime now = ClockAt(request.nowMs);
  PrintDocumentStart(kFiscalStations, "СУТОЧНЫЙ ОТЧЕТ С ГАШЕНИЕМ", request.nowMs);
  PrintShiftTotals(kFiscalStations);

  ShiftRecord record;
  record.shift = uint16_t(state_.fiscalMemory.LastClosedShift() + 1);
  record.date = {now.year, now.month, now.day, 0, 0, 0, 0};
  for (uint8_t t = 0; t < 4; ++t) record.totals[t] = state_.money[money::ShiftTotals(t)];
  state_.fiscalMemory.shifts.push_back(record);
  Record(FiscalOperation::Kind::kZReport, 0);
  ClearShiftRegisters(state_.money, state_.operations);
  state_.shiftOpenedAt.reset();
  state_.fiscalMemoryFlags &= uint8_t(~kFiscalMemoryShiftOver24Hours);

  Print(kFiscalStations, Centered("СМЕНА ЗАКРЫТА", Width()));
  Print(kFiscalStations, Numbered("ОСТАЛОСЬ ЗАПИСЕЙ ФП %u", state_.fiscalMemory.FreeRecords()));
  PrintDocumentEnd(kFiscalStations);
  EndDocument();
  StartReport(kModeZReport);
  modeAfterReport_ = kModeShiftClosed;
  return kErrorNone;
}

// Answer: operator number, the record's kind, its date.
uint8_t RegisterCommands::GetLastFiscalRecordDate(const Request&, Answer& answer) {
  const platform::LocalTime date = state_.fiscalMemory.LastRecordDate();
  answer.data[0] = state_.operatorNumber;
  answer.data[1] = state_.fiscalMemory.shifts.empty() ? kRecordRegistration : kRecordShift;
  answer.data[2] = uint8_t(date.day);
  answer.data[3] = uint8_t(date.month);
  answer.data[4] = uint8_t(date.year - 2000);
  answer.length = 5;
  return kErrorNone;
}

// The password itself was checked on arrival; it unlocks a locked register.
uint8_t RegisterCommands::EnterTaxPassword(const Request& request, Answer&) {
  if (ModeNumber() == kModeLockedTaxPassword) LeaveSpecialMode(request.nowMs);
  return kErrorNone;
}

void RegisterCommands::PrintFiscalReport(bool full, const std::vector<const ShiftRecord*>& records,
                                         const std::string& range) {
  Print(kFiscalStations, Centered(full ? "ПОЛНЫЙ" : "СОКРАЩЕННЫЙ", Width()));
  Print(kFiscalStations, range);
  Print(kFiscalStations, "РЕГИСТРАЦИЯ " + DateText(state_.fiscalMemory.registrationDate));
  int64_t sales = 0;
  for (const ShiftRecord* record : records) {
    sales += record->totals[0];
    if (!full) continue;
    Print(kFiscalStations,
          TwoColumns(Numbered("СМЕНА %04u ", record->shift) + DateText(record->date),
                     Money(record->totals[0]), Width()));
  }
  Print(kFiscalStations, Numbered("ВСЕГО СМЕН %u", unsigned(records.size())));
  Print(kFiscalStations, TwoColumns("ИТОГО ПРОДАЖ", Money(sales), Width()));
}

// Report kind (0 short, 1 full), first date, last date.
uint8_t RegisterCommands::FiscalReportByDates(const Request& request, Answer&) {
  const uint8_t* p = request.params;
  if (const uint8_t error = CanStartDocument(); error == kErrorReceiptOpen) return error;
  if (p[0] > 1) return kErrorBadParameters;
  const platform::LocalTime first = DateOf(p + 1);
  const platform::LocalTime last = DateOf(p + 4);
  if (!IsValidDate(first.year, first.month, first.day) ||
      !IsValidDate(last.year, last.month, last.day))
    return kErrorBadDate;
  if (DateKey(first) > DateKey(last)) return kErrorFirstDateAfterLast;
  std::vector<const ShiftRecord*> records;
  for (const ShiftRecord& record : state_.fiscalMemory.shifts) {
    if (DateKey(record.date) >= DateKey(first) && DateKey(record.date) <= DateKey(last))
      records.push_back(&record);
  }
  StartReport(kModeFiscalReport);
  PrintDocumentStart(kFiscalStations, "ФИСКАЛЬНЫЙ ОТЧЕТ", request.nowMs);
  PrintFiscalReport(p[0] == 1, records, DateText(first) + " - " + DateText(last));
  PrintDocumentEnd(kFiscalStations);
  EndDocument();
  return kErrorNone;
}

// Report kind (0 short, 1 full), first shift (2), last shift (2).
uint8_t RegisterCommands::FiscalReportByShifts(const Request& request, Answer&) {
  const uint8_t* p = request.params;
  if (const uint8_t error = CanStartDocument(); error == kErrorReceiptOpen) return error;
  if (p[0] > 1) return kErrorBadParameters;
  const uint16_t first = uint16_t(GetLe(p + 1, 2));
  const uint16_t last = uint16_t(GetLe(p + 3, 2));
  if (first > last) return kErrorFirstShiftAfterLast;
  std::vector<const ShiftRecord*> records;
  for (const ShiftRecord& record : state_.fiscalMemory.shifts) {
    if (record.shift >= first && record.shift <= last) records.push_back(&record);
  }
  StartReport(kModeFiscalReport);
  PrintDocumentStart(kFiscalStations, "ФИСКАЛЬНЫЙ ОТЧЕТ", request.nowMs);
  PrintFiscalReport(p[0] == 1, records, Numbered("СМЕНЫ %u", first) + Numbered(" - %u", last));
  PrintDocumentEnd(kFiscalStations);
  EndDocument();
  return kErrorNone;
}

}  // namespace orn::simulator
