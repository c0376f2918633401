// Receipt commands: items, adjustments, closing and cancelling, subtotal, cash in and
// out, text lines and paper cutting.

#include "device/FiscalDevice.h"

#include "device/Arithmetic.h"

namespace orn::device {

namespace {
constexpr int kQuantityBytes = 5;
}  // namespace

bool FiscalDevice::Item(const Command& command, const ItemLine& item, uint8_t taxGroup,
                        int direction) {
  size_t at = Start(command);
  at = PutInteger(at, uint64_t(item.quantity), kQuantityBytes);
  at = PutMoney(at, item.price);
  at = PutByte(at, department_);
  at = PutTaxBytes(at, taxGroup);
  return NoteReceiptCommand(SendCommand(PutText(at, item.text)),
                            direction * ItemAmount(item.quantity, item.price));
}

bool FiscalDevice::Adjustment(const Command& command, int64_t amount, std::string_view text,
                              uint8_t taxGroup, int direction) {
  size_t at = Start(command);
  at = PutMoney(at, amount);
  at = PutTaxBytes(at, taxGroup);
  return NoteReceiptCommand(SendCommand(PutText(at, text)), direction * amount);
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
bool FiscalDevice::Sale(const ItemLine& item, uint8_t taxGroup) {
  return Item(command::kSale, item, taxGroup, +1);
}
bool FiscalDevice::ReturnSale(const ItemLine& item, uint8_t taxGroup) {
  return Item(command::kReturnSale, item, taxGroup, +1);
}
bool FiscalDevice::Storno(const ItemLine& item, uint8_t taxGroup) {
  return Item(command::kStorno, item, taxGroup, -1);
}
bool FiscalDevice::Discount(int64_t amount, std::string_view text, uint8_t taxGroup) {
  return Adjustment(command::kDiscount, amount, text, taxGroup, -1);
}
bool FiscalDevice::Surcharge(int64_t amount, std::string_view text, uint8_t taxGroup) {
  return Adjustment(command::kSurcharge, amount, text, taxGroup, +1);
}
bool FiscalDevice::StornoDiscount(int64_t amount, std::string_view text, uint8_t taxGroup) {
  return Adjustment(command::kStornoDiscount, amount, text, taxGroup, +1);
}
bool FiscalDevice::StornoSurcharge(int64_t amount, std::string_view text, uint8_t taxGroup) {
  return Adjustment(command::kStornoSurcharge, amount, text, taxGroup, -1);
}

FiscalDevice::ReceiptChange FiscalDevice::TakeReceiptChange() {
  const ReceiptChange change = receiptChange_;
  receiptChange_ = {};
  return change;
}

bool FiscalDevice::CloseReceipt(const Payments& payments, std::string_view text) {
  size_t at = Start(command::kCloseReceipt);
  at = PutPayments(at, payments);
  at = PutInteger(at, 0, 2);  // discount on the receipt
  at = PutTaxBytes(at, 0);
  return SendCommand(PutText(at, text));
}

bool FiscalDevice::AnnulReceipt() {
  return Simple(command::kAnnulReceipt);
}

std::optional<int64_t> FiscalDevice::Subtotal() {
  subtotal_ = 0;
  if (!Simple(command::kSubtotal)) return std::nullopt;
  return subtotal_;
}

bool FiscalDevice::CashOperation(const Command& command, int64_t amount) {
  size_t at = Start(command);
  at = PutMoney(at, amount);
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

bool FiscalDevice::PrintString(uint8_t station, std::string_view text) {
  if (modelFamily_ == 1) {
    size_t at = Start(command::kPrintString);
    at = PutByte(at, station);
    return SendCommand(PutText(at, text));
  }
  size_t at = Start(command::kPrintStringWithFont);
  at = PutByte(at, station);
  at = PutByte(at, uint8_t(fontNumber_));
  return SendCommand(PutText(at, text));
}

bool FiscalDevice::CutPaper() {
  size_t at = Start(command::kCutPaper);
  at = PutByte(at, 0x00);  // full cut
  return SendCommand(at);
}

}  // namespace orn::device
