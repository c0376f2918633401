// The commands that tell what the register is and how it is, and the service commands
// that take it out of special modes.

#include "device/FiscalDevice.h"
#include "device/ResultCodes.h"

namespace orn::device {

bool FiscalDevice::GetStatus() {
  return Simple(command::kGetStatus);
}

bool FiscalDevice::GetDeviceType() {
  return Simple(command::kGetDeviceType);
}

bool FiscalDevice::SetExchangeParams(uint8_t baudRateCode, uint8_t byteTimeout) {
  size_t at = Start(command::kSetExchangeParams);
  at = PutByte(at, 0x00);  // the register's port number
  at = PutByte(at, baudRateCode);
  at = PutByte(at, byteTimeout);
  return SendCommand(at);
}

bool FiscalDevice::InterruptDataOutput() {
  return Simple(command::kInterruptDataOutput);
}

bool FiscalDevice::StartTestRun() {
  size_t at = Start(command::kStartTestRun);
  at = PutByte(at, 0x01);
  return SendCommand(at) && WaitForPrinting(1000);
}

bool FiscalDevice::InterruptTest() {
  return Simple(command::kInterruptTest) && WaitForPrinting(1000);
}

bool FiscalDevice::GetCashRegister(uint8_t number) {
  cashRegister_ = 0;
  size_t at = Start(command::kGetCashRegister);
  at = PutByte(at, number);
  return SendCommand(at);
}

bool FiscalDevice::GetOperationRegister(uint8_t number) {
  size_t at = Start(command::kGetOperationRegister);
  at = PutByte(at, number);
  return SendCommand(at);
}

bool FiscalDevice::GetLastFiscalRecordDate() {
  return Simple(command::kGetLastFiscalRecordDate);
}

bool FiscalDevice::CheckPaper() {
  if (!(flags_ & flag::kJournalPaper)) {
    SetExtendedError(OPOS_EFPTR_JRN_EMPTY);
    return false;
  }
  if (!(flags_ & flag::kReceiptPaper)) {
    SetExtendedError(OPOS_EFPTR_REC_EMPTY);
    return false;
  }
  return true;
}

}  // namespace orn::device
