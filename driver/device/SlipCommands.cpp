// Slip documents: open, lines and adjustments at a line number, close, and the slip
// buffer that is filled line by line and then printed.

#include <algorithm>

#include "device/FiscalDevice.h"

namespace orn::device {

namespace {
constexpr uint8_t kSlipDiscount = 0x00;
constexpr uint8_t kSlipSurcharge = 0x01;
}  // namespace

bool FiscalDevice::OpenSlipDocument(uint8_t documentType) {
  size_t at = Start(command::kOpenSlipDocument);
  at = PutByte(at, documentType);
  const uint8_t settings[7] = {};
  at = PutBytes(at, settings, sizeof settings);
  return SendCommand(at);
}

bool FiscalDevice::SlipOperation(uint8_t line, const ItemLine& item, uint8_t taxGroup) {
  size_t at = Start(command::kSlipOperation);
  at = PutByte(at, line);
  at = PutInteger(at, uint64_t(item.quantity), 5);
  at = PutMoney(at, item.price);
  at = PutByte(at, department_);
  at = PutTaxBytes(at, taxGroup);
  return SendCommand(PutText(at, item.text));
}

bool FiscalDevice::SlipAdjustment(uint8_t surcharge, uint8_t line, int64_t amount,
                                  std::string_view text, uint8_t taxGroup) {
  size_t at = Start(command::kSlipAdjustment);
  at = PutByte(at, surcharge);
  at = PutByte(at, line);
  at = PutMoney(at, amount);
  at = PutTaxBytes(at, taxGroup);
  return SendCommand(PutText(at, text));
}

bool FiscalDevice::SlipSurcharge(uint8_t line, int64_t amount, std::string_view text,
                                 uint8_t taxGroup) {
  return SlipAdjustment(kSlipSurcharge, line, amount, text, taxGroup);
}

bool FiscalDevice::SlipDiscount(uint8_t line, int64_t amount, std::string_view text,
                                uint8_t taxGroup) {
  return SlipAdjustment(kSlipDiscount, line, amount, text, taxGroup);
}

bool FiscalDevice::CloseSlipReceipt(uint8_t line, const Payments& payments, std::string_view text) {
  size_t at = Start(command::kCloseSlipReceipt);
  at = PutByte(at, line);
  at = PutPayments(at, payments);
  at = PutInteger(at, 0, 6);
  return SendCommand(PutText(at, text)) && WaitForPrinting(200);
}

bool FiscalDevice::FillSlipBuffer(uint8_t line, std::string_view text) {
  size_t at = Start(command::kFillSlipBuffer);
  at = PutByte(at, line);
  // The text goes as it is; a longer one than the request can hold is cut.
  const size_t length = std::min(text.size(), kMaxRequest - at);
  at = PutBytes(at, reinterpret_cast<const uint8_t*>(text.data()), length);
  return SendCommand(at);
}

bool FiscalDevice::PrintSlip() {
  size_t at = Start(command::kPrintSlip);
  at = PutByte(at, 0x00);
  at = PutByte(at, 0x02);
  return SendCommand(at);
}

}  // namespace orn::device
