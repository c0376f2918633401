#include "platform/win32/Win32CommPort.h"

#include "platform/win32/Win32Error.h"

namespace orn::platform {

bool Win32CommPort::Succeeded(BOOL result) {
  if (result) return true;
  lastError_ = Win32Error(::GetLastError());
  return false;
}

bool Win32CommPort::SetupQueues(uint32_t inputSize, uint32_t outputSize) {
  return Succeeded(::SetupComm(handle_, inputSize, outputSize));
}

bool Win32CommPort::GetState(LineSettings& settings) {
  dcb_ = DCB{};
  dcb_.DCBlength = sizeof dcb_;
  if (!Succeeded(::GetCommState(handle_, &dcb_))) return false;
  settings.baudRate = dcb_.BaudRate;
  settings.binary = dcb_.fBinary;
  settings.parity = dcb_.fParity;
  settings.outxCtsFlow = dcb_.fOutxCtsFlow;
  settings.outxDsrFlow = dcb_.fOutxDsrFlow;
  settings.dtrControl = uint8_t(dcb_.fDtrControl);
  settings.dsrSensitivity = dcb_.fDsrSensitivity;
  settings.txContinueOnXoff = dcb_.fTXContinueOnXoff;
  settings.outX = dcb_.fOutX;
  settings.inX = dcb_.fInX;
  settings.errorChar = dcb_.fErrorChar;
  settings.null = dcb_.fNull;
  settings.rtsControl = uint8_t(dcb_.fRtsControl);
  settings.abortOnError = dcb_.fAbortOnError;
  settings.byteSize = dcb_.ByteSize;
  settings.parityKind = dcb_.Parity;
  settings.stopBits = dcb_.StopBits;
  return true;
}

bool Win32CommPort::SetState(const LineSettings& settings) {
  DCB dcb = dcb_;
  dcb.DCBlength = sizeof dcb;
  dcb.BaudRate = settings.baudRate;
  dcb.fBinary = settings.binary;
  dcb.fParity = settings.parity;
  dcb.fOutxCtsFlow = settings.outxCtsFlow;
  dcb.fOutxDsrFlow = settings.outxDsrFlow;
  dcb.fDtrControl = settings.dtrControl;
  dcb.fDsrSensitivity = settings.dsrSensitivity;
  dcb.fTXContinueOnXoff = settings.txContinueOnXoff;
  dcb.fOutX = settings.outX;
  dcb.fInX = settings.inX;
  dcb.fErrorChar = settings.errorChar;
  dcb.fNull = settings.null;
  dcb.fRtsControl = settings.rtsControl;
  dcb.fAbortOnError = settings.abortOnError;
  dcb.ByteSize = settings.byteSize;
  dcb.Parity = settings.parityKind;
  dcb.StopBits = settings.stopBits;
  if (!Succeeded(::SetCommState(handle_, &dcb))) return false;
  dcb_ = dcb;
  return true;
}

bool Win32CommPort::SetTimeouts(const CommTimeouts& t) {
  COMMTIMEOUTS timeouts{t.readInterval, t.readTotalMultiplier, t.readTotalConstant,
                        t.writeTotalMultiplier, t.writeTotalConstant};
  return Succeeded(::SetCommTimeouts(handle_, &timeouts));
}

bool Win32CommPort::Purge(uint32_t flags) {
  return Succeeded(::PurgeComm(handle_, flags));
}

bool Win32CommPort::Read(uint8_t* buffer, uint32_t count, uint32_t& transferred) {
  DWORD done = 0;
  const BOOL ok = ::ReadFile(handle_, buffer, count, &done, nullptr);
  transferred = done;
  return Succeeded(ok);
}

bool Win32CommPort::Write(const uint8_t* buffer, uint32_t count, uint32_t& transferred) {
  DWORD done = 0;
  const BOOL ok = ::WriteFile(handle_, buffer, count, &done, nullptr);
  transferred = done;
  return Succeeded(ok);
}

bool Win32CommPort::Drain() {
  return Succeeded(::FlushFileBuffers(handle_));
}

}  // namespace orn::platform
