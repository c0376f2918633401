// Reports: X and Z, and the fiscal memory reports that need the tax inspector's password.

#include "device/FiscalDevice.h"

namespace orn::device {

bool FiscalDevice::PrintReportX() {
  return Simple(command::kPrintReportX);
}

bool FiscalDevice::PrintReportZ() {
  return Simple(command::kPrintReportZ);
}

bool FiscalDevice::EnterTaxPassword() {
  return Simple(command::kEnterTaxPassword);
}

bool FiscalDevice::FiscalReportByDates(uint8_t kind, const uint8_t first[3],
                                       const uint8_t last[3]) {
  size_t at = Start(command::kFiscalReportByDates);
  if (at == 0) return false;
  at = PutByte(at, kind);
  at = PutBytes(at, first, 3);
  at = PutBytes(at, last, 3);
  return SendCommand(at) && WaitForPrinting(100);
}

bool FiscalDevice::FiscalReportByShifts(uint8_t kind, uint16_t first, uint16_t last) {
  size_t at = Start(command::kFiscalReportByShifts);
  if (at == 0) return false;
  at = PutByte(at, kind);
  at = PutInteger(at, first, 2);
  at = PutInteger(at, last, 2);
  return SendCommand(at) && WaitForPrinting(100);
}

}  // namespace orn::device
