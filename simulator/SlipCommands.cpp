// Slip documents: a fiscal receipt whose lines go into the slip buffer by line number
// (open, operations, adjustments, close), text put into the buffer directly, and printing
// the buffer on the inserted slip.

#include <cstdio>

#include "simulator/DocumentText.h"
#include "simulator/ErrorCodes.h"
#include "simulator/RegisterCommands.h"
#include "simulator/Wire.h"

namespace orn::simulator {

namespace {

constexpr uint8_t kSlipLines = 100;  // line numbers 1..99
constexpr size_t kSlipWidth = 80;
constexpr uint8_t kDocumentTypes = 4;
constexpr size_t kSlipItemHeader = 16;        // line, quantity, price, department, tax bytes
constexpr size_t kSlipAdjustmentHeader = 11;  // kind, line, money, tax bytes
constexpr size_t kSlipCloseHeader = 27;       // line, four payments, six bytes 00h

constexpr const char* kTitles[4] = {"ПРОДАЖА", "ПОКУПКА", "ВОЗВРАТ ПРОДАЖИ", "ВОЗВРАТ ПОКУПКИ"};

bool ValidLine(uint8_t line) {
  return line >= 1 && line < kSlipLines;
}

}  // namespace

void RegisterCommands::PutSlipLine(uint8_t line, const std::string& text) {
  if (ValidLine(line)) slipBuffer_[line] = Fit(text, kSlipWidth);
}

// Document type (0..3, the receipt type), seven setting bytes. Opened again inside an open
// document, it only changes the type.
uint8_t RegisterCommands::OpenSlipDocument(const Request& request, Answer&) {
  if (!model_.printer.hasSlip) return kErrorUnknownCommand;
  const uint8_t type = request.params[0];
  if (type >= kDocumentTypes) return kErrorBadParameters;
  if (ModeNumber() == kModeSlipDocument) {
    slipType_ = type;
    return kErrorNone;
  }
  if (const uint8_t error = CanStartDocument()) return error;
  OpenShift(request.nowMs);
  slipType_ = type;
  slipBuffer_.clear();
  state_.mode = kModeSlipDocument;
  // The header takes the first lines of the slip, the document's title the one after.
  const PrinterTraits& printer = model_.printer;
  for (uint8_t i = 0; i < printer.headerLines; ++i)
    PutSlipLine(uint8_t(1 + i), tables_.Text(kTableText, uint16_t(printer.headerFirstRow + i), 1));
  PutSlipLine(uint8_t(printer.headerLines + 1), kTitles[type]);
  return kErrorNone;
}

// Line number, quantity, price, department, tax bytes, text field. The operation takes the
// lines of table 13 from its line on.
uint8_t RegisterCommands::SlipOperation(const Request& request, Answer&) {
  if (ModeNumber() != kModeSlipDocument) return kErrorWrongMode;
  const uint8_t line = request.params[0];
  if (!ValidLine(line)) return kErrorBadParameters;
  Item item;
  if (const uint8_t error = ParseItem(request.params + 1, request.length - kSlipItemHeader, item))
    return error;
  RegisterItem(item, slipType_, false);
  char department[16];
  std::snprintf(department, sizeof department, "ОТДЕЛ %02u", unsigned(item.department));
  const std::string lines[] = {
      item.text,
      TwoColumns(QuantityText(item.quantity) + " X " + AmountText(item.price, TwoDecimals()),
                 Money(item.amount), Width()),
      department,
  };
  const uint32_t count = tables_.Number(kTableSlipOperation, 1, 2);
  for (uint32_t i = 0; i < count && i < 3; ++i) PutSlipLine(uint8_t(line + i), lines[i]);
  return kErrorNone;
}

// 0 discount or 1 surcharge, line number, money, tax bytes, text field.
uint8_t RegisterCommands::SlipAdjustment(const Request& request, Answer&) {
  if (ModeNumber() != kModeSlipDocument) return kErrorWrongMode;
  const uint8_t* p = request.params;
  if (p[0] > 1 || !ValidLine(p[1])) return kErrorBadParameters;
  const Adjustment kind = p[0] == 0 ? Adjustment::kDiscount : Adjustment::kSurcharge;
  const int64_t amount = int64_t(GetLe(p + 2, kMoneySize));
  const std::array<uint8_t, 4> taxes = {p[7], p[8], p[9], p[10]};
  if (const uint8_t error = CheckAdjustment(kind, amount, taxes, slipType_)) return error;
  RegisterAdjustment(kind, amount, taxes, slipType_);
  std::string text = FieldText(p + kSlipAdjustmentHeader, request.length - kSlipAdjustmentHeader);
  if (text.empty()) text = p[0] == 0 ? "СКИДКА" : "НАДБАВКА";
  PutSlipLine(p[1], TwoColumns(text, Money(amount), Width()));
  return kErrorNone;
}

// Line number, four payments, six bytes 00h, text field. The totals go into the buffer;
// PrintSlip prints it.
uint8_t RegisterCommands::CloseSlipReceipt(const Request& request, Answer&) {
  if (ModeNumber() != kModeSlipDocument) return kErrorWrongMode;
  const uint8_t line = request.params[0];
  if (!ValidLine(line)) return kErrorBadParameters;
  Payments payments;
  if (const uint8_t error = CheckPayments(request.params + 1, slipType_, payments)) return error;
  uint8_t next = line;
  PutSlipLine(next++, TwoColumns("ИТОГ", Money(payments.total), Width()));
  for (uint8_t p = 1; p <= 4; ++p) {
    if (payments.amounts[p - 1] != 0)
      PutSlipLine(next++, TwoColumns(PaymentName(p), Money(payments.amounts[p - 1]), Width()));
  }
  if (payments.change != 0)
    PutSlipLine(next++, TwoColumns("СДАЧА", Money(payments.change), Width()));
  const std::string text =
      FieldText(request.params + kSlipCloseHeader, request.length - kSlipCloseHeader);
  if (!text.empty()) PutSlipLine(next, text);
  RegisterPayments(payments, slipType_);
  ++state_.documentNumber;
  state_.mode = BaseMode(request.nowMs);
  return kErrorNone;
}

// Line number, the text as it is.
uint8_t RegisterCommands::FillSlipBuffer(const Request& request, Answer&) {
  if (!model_.printer.hasSlip) return kErrorUnknownCommand;
  if (!ValidLine(request.params[0])) return kErrorBadParameters;
  PutSlipLine(request.params[0],
              std::string(reinterpret_cast<const char*>(request.params + 1), request.length - 1));
  return kErrorNone;
}

// Two setting bytes. The buffer's lines, in line order, go onto the slip; the buffer is
// emptied.
uint8_t RegisterCommands::PrintSlip(const Request&, Answer&) {
  if (!model_.printer.hasSlip) return kErrorUnknownCommand;
  if (slipBuffer_.empty()) return kErrorSlipBufferEmpty;
  if ((state_.flags & flag::kSlipBottomSensor) == 0) return kErrorNoSlip;
  for (const auto& [number, text] : slipBuffer_) printer_.Queue(kSlipBit, text);
  slipBuffer_.clear();
  return kErrorNone;
}

}  // namespace orn::simulator
