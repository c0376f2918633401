// Receipt commands: items, adjustments, closing and cancelling, subtotal, cash in and
// out, text lines and paper cutting.

#include "device/FiscalDevice.h"

#include "device/Arithmetic.h"

namespace orn::device {

namespace {
constexpr int kMoneyBytes = 5;
constexpr int kQuantityBytes = 5;
}  // namespace

bool FiscalDevice::Item(const Command& command, uint8_t taxGroup, int direction) {
  size_t at = Start(command);
  at = PutInteger(at, uint64_t(Quantity), kQuantityBytes);
  at = PutInteger(at, uint64_t(Price), kMoneyBytes);
  at = PutByte(at, Department);
  at = PutTaxBytes(at, taxGroup);
  return NoteReceiptCommand(SendCommand(PutText(at)), direction * ItemAmount(Quantity, Price));
}

bool FiscalDevice::Adjustment(const Command& command, uint8_t taxGroup, int direction) {
  size_t at = Start(command);
  at = PutInteger(at, uint64_t(Amounts[0]), kMoneyBytes);
  at = PutTaxBytes(at, taxGroup);
  return NoteReceiptCommand(SendCommand(PutText(at)), direction * Amounts[0]);
}

bool FiscalDevice::NoteReceiptCommand(bool taken, int64_t subtotalChange) {
  if (taken) {
    receiptChange_.subtotal += subtotalChange;
    receiptChange_.started = true;
  } else if (OutcomeUnknown()) {
    receiptChange_.started = true;
  }
  return taken;
}

// Sales (and the returns of a refund receipt) and surcharges add to the receipt; their
// stornos and discounts take off.
bool FiscalDevice::Sale(uint8_t taxGroup) {
  return Item(command::kSale, taxGroup, +1);
}
bool FiscalDevice::ReturnSale(uint8_t taxGroup) {
  return Item(command::kReturnSale, taxGroup, +1);
}
bool FiscalDevice::Storno(uint8_t taxGroup) {
  return Item(command::kStorno, taxGroup, -1);
}
bool FiscalDevice::Discount(uint8_t taxGroup) {
  return Adjustment(command::kDiscount, taxGroup, -1);
}
bool FiscalDevice::Surcharge(uint8_t taxGroup) {
  return Adjustment(command::kSurcharge, taxGroup, +1);
}
bool FiscalDevice::StornoDiscount(uint8_t taxGroup) {
  return Adjustment(command::kStornoDiscount, taxGroup, +1);
}
bool FiscalDevice::StornoSurcharge(uint8_t taxGroup) {
  return Adjustment(command::kStornoSurcharge, taxGroup, -1);
}

FiscalDevice::ReceiptChange FiscalDevice::TakeReceiptChange() {
  const ReceiptChange change = receiptChange_;
  receiptChange_ = {};
  return change;
}

bool FiscalDevice::CloseReceipt() {
  size_t at = Start(command::kCloseReceipt);
  for (int64_t payment : Amounts) at = PutInteger(at, uint64_t(payment), kMoneyBytes);
  at = PutInteger(at, 0, 2);  // discount on the receipt
  at = PutTaxBytes(at, 0);
  return SendCommand(PutText(at));
}

bool FiscalDevice::AnnulReceipt() {
  return Simple(command::kAnnulReceipt);
}

bool FiscalDevice::Subtotal() {
  Amounts[0] = 0;
  return Simple(command::kSubtotal);
}

bool FiscalDevice::CashOperation(const Command& command, int64_t amount) {
  size_t at = Start(command);
  at = PutInteger(at, uint64_t(amount), kMoneyBytes);
  return SendCommand(at);
}

bool FiscalDevice::CashIn(int64_t amount) {
  return CashOperation(command::kCashIn, amount);
}
bool FiscalDevice::CashOut(int64_t amount) {
  return CashOperation(command::kCashOut, amount);
}

bool FiscalDevice::RepeatDocument() {
  return Simple(command::kRepeatDocument) && WaitForPrinting(200);
}

bool FiscalDevice::PrintString(uint8_t station) {
  if (modelFamily_ == 1) {
    size_t at = Start(command::kPrintString);
    at = PutByte(at, station);
    return SendCommand(PutText(at));
  }
  size_t at = Start(command::kPrintStringWithFont);
  at = PutByte(at, station);
  at = PutByte(at, uint8_t(fontNumber_));
  return SendCommand(PutText(at));
}

bool FiscalDevice::CutPaper() {
  size_t at = Start(command::kCutPaper);
  at = PutByte(at, 0x00);  // full cut
  return SendCommand(at);
}

}  // namespace orn::device
