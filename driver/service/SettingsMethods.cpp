// Settings of the register: its date, the header and trailer lines of table 4, the tax
// rates of table 6, and the printer state set back after trouble. Identities the register
// does not keep (POS id, store fiscal id) are refused.

#include "device/DeviceStatus.h"
#include "receipt/OposText.h"
#include "receipt/SettingsTables.h"
#include "service/FptrService.h"
#include "service/OposConstants.h"

namespace orn::service {

namespace {

// The whole mode byte of a closed shift: only then may the date change.
constexpr uint8_t kShiftClosedMode = 0x04;

}  // namespace

int32_t FptrService::ResetPrinter() {
  return Call(Method::kResetPrinter, {}, [&] {
    const int32_t state = receipt_.PrinterState();
    if (state == FPTR_PS_FISCAL_RECEIPT || state == FPTR_PS_FISCAL_RECEIPT_TOTAL ||
        state == FPTR_PS_FISCAL_RECEIPT_ENDING)
      CancelOpenReceipt();
    receipt_.SetPrinterState(FPTR_PS_MONITOR);
  });
}

int32_t FptrService::SetDate(std::u16string_view date) {
  return Call(Method::kSetDate, {Text("Date", date)}, [&] {
    // Asked afresh: a shift opened since the last status must not be taken for closed, and
    // the register's own date is what a refused date gives back.
    if (!device_.GetStatus()) return;
    if (device_.ModeByte() != kShiftClosedMode) {
      static constexpr char kShiftOpen[] = "Смена открыта. Изменение даты невозможно.";
      log_.LogDetail(kShiftOpen);
      device_.SetIllegal();
      device_.Errors().SetErrorString(kShiftOpen);
      return;
    }
    receipt::RegisterDateTime parsed;
    if (!ParseDateArgument(date, parsed)) return;
    const uint8_t dateTime[5] = {parsed.day, parsed.month, parsed.year, parsed.hour, parsed.minute};
    device_.SetDateTime(dateTime);
  });
}

int32_t FptrService::SetHeaderLine(int32_t lineNumber, std::u16string_view text, bool doubleWidth) {
  return Call(
      Method::kSetHeaderLine,
      {Number("LineNumber", lineNumber), Text("Text", text), Flag("DoubleWidth", doubleWidth)},
      [&] {
        if (lineNumber < 1 || lineNumber > numHeaderLines_) {
          log_.LogDetailF("Неверный параметр LineNumber (%d).", int(lineNumber));
          device_.SetIllegal();
          return;
        }
        SetTextLine(headerLines_, lineNumber, uint16_t(firstHeaderRow_ + lineNumber - 1), text);
      });
}

int32_t FptrService::SetTrailerLine(int32_t lineNumber, std::u16string_view text,
                                    bool doubleWidth) {
  return Call(
      Method::kSetTrailerLine,
      {Number("LineNumber", lineNumber), Text("Text", text), Flag("DoubleWidth", doubleWidth)},
      [&] {
        if (lineNumber < 1 || lineNumber > numTrailerLines_) {
          log_.LogDetail("Неверный параметр LineNumber.");
          device_.SetIllegal();
          return;
        }
        // Trailer lines are the first rows of table 4.
        SetTextLine(trailerLines_, lineNumber, uint16_t(lineNumber), text);
      });
}

void FptrService::SetTextLine(std::vector<std::string>& lines, int32_t lineNumber, uint16_t row,
                              std::u16string_view text) {
  const std::string line = FromApp(text);
  // Kept even when the register refuses it: the driver prints it at the end of documents.
  if (size_t(lineNumber) <= lines.size()) lines[size_t(lineNumber - 1)] = line;
  receipt::WriteTextRow(device_, row, line);
}

int32_t FptrService::SetVatValue(int32_t vatID, std::u16string_view vatValue) {
  return Call(Method::kSetVatValue, {Number("VatID", vatID), Text("VatValue", vatValue)}, [&] {
    if (vatID < 1 || vatID > receipt::kTaxGroups) {
      log_.LogDetail("Неверное значение VatID.");
      log_.LogDetail("Допустимые значения: 1..4.");
      device_.SetIllegal();
      return;
    }
    uint16_t rate = 0;
    if (!ParseWordArgument(vatValue, rate)) return;
    if (rate > receipt::kMaxTaxRate) {
      log_.LogDetail("Неверное значение VatValue.");
      device_.SetIllegal();
      return;
    }
    vatRates_[size_t(vatID - 1)] = rate;
  });
}

int32_t FptrService::SetVatTable() {
  return Call(Method::kSetVatTable, {}, [&] {
    // The first refusal stops: the rates after it are not written.
    for (int32_t group = 1; group <= receipt::kTaxGroups; ++group)
      if (!receipt::WriteTaxRate(device_, group, vatRates_[size_t(group - 1)])) return;
  });
}

int32_t FptrService::SetPOSID(std::u16string_view posID, std::u16string_view cashierID) {
  return NotSupported(Method::kSetPOSID, {Text("POSID", posID), Text("CashierID", cashierID)});
}

int32_t FptrService::SetStoreFiscalID(std::u16string_view id) {
  return NotSupported(Method::kSetStoreFiscalID, {Text("ID", id)});
}

}  // namespace orn::service
