// Slip documents: open, lines and adjustments at a line number, close, and the slip
// buffer that is filled line by line and then printed.

#include <algorithm>

#include "device/FiscalDevice.h"

namespace orn::device {

namespace {
constexpr uint8_t kSlipDiscount = 0x00;
constexpr uint8_t kSlipSurcharge = 0x01;
}  // namespace

bool FiscalDevice::OpenSlipDocument() {
  size_t at = Start(command::kOpenSlipDocument);
  at = PutByte(at, SlipDocumentType);
  at = PutBytes(at, SlipSettings, sizeof SlipSettings);
  return SendCommand(at);
}

bool FiscalDevice::SlipOperation(uint8_t taxGroup) {
  size_t at = Start(command::kSlipOperation);
  at = PutByte(at, StrNumber);
  at = PutInteger(at, uint64_t(Quantity), 5);
  at = PutInteger(at, uint64_t(Price), 5);
  at = PutByte(at, Department);
  at = PutTaxBytes(at, taxGroup);
  return SendCommand(PutText(at));
}

bool FiscalDevice::SlipAdjustment(uint8_t surcharge, uint8_t taxGroup) {
  size_t at = Start(command::kSlipAdjustment);
  at = PutByte(at, surcharge);
  at = PutByte(at, StrNumber);
  at = PutInteger(at, uint64_t(Amounts[0]), 5);
  at = PutTaxBytes(at, taxGroup);
  return SendCommand(PutText(at));
}

bool FiscalDevice::SlipSurcharge(uint8_t taxGroup) {
  return SlipAdjustment(kSlipSurcharge, taxGroup);
}

bool FiscalDevice::SlipDiscount(uint8_t taxGroup) {
  return SlipAdjustment(kSlipDiscount, taxGroup);
}

bool FiscalDevice::CloseSlipReceipt() {
  size_t at = Start(command::kCloseSlipReceipt);
  at = PutByte(at, StrNumber);
  for (int64_t payment : Amounts) at = PutInteger(at, uint64_t(payment), 5);
  at = PutInteger(at, 0, 6);
  return SendCommand(PutText(at)) && WaitForPrinting(200);
}

bool FiscalDevice::FillSlipBuffer() {
  size_t at = Start(command::kFillSlipBuffer);
  at = PutByte(at, StrNumber);
  // The text goes as it is; a longer one than the request can hold is cut.
  const size_t length = std::min(PendingText.size(), kMaxRequest - at);
  at = PutBytes(at, reinterpret_cast<const uint8_t*>(PendingText.data()), length);
  return SendCommand(at);
}

bool FiscalDevice::PrintSlip() {
  size_t at = Start(command::kPrintSlip);
  at = PutByte(at, 0x00);
  at = PutByte(at, 0x02);
  return SendCommand(at);
}

}  // namespace orn::device
