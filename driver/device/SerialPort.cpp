#include "device/SerialPort.h"

namespace orn::device {

bool SerialPort::Open(int portNumber, uint32_t baudRate) {
  Close();
  lastError_.Clear();
  port_ = ports_.Acquire(portNumber);
  if (!port_) {
    lastError_ = ports_.LastError(portNumber);
    return false;
  }
  portNumber_ = portNumber;
  if ((port_->SetupQueues(kQueueSize, kQueueSize) || Failed()) && SetTimeouts(1) &&
      SetBaud(baudRate))
    return true;
  // The provider owns the handle it gave out, so it is handed back rather than closed here.
  ports_.Release(portNumber_);
  port_ = nullptr;
  return false;
}

bool SerialPort::Close() {
  if (!port_) return false;
  port_ = nullptr;
  return ports_.Release(portNumber_);
}

void SerialPort::TakeFrom(SerialPort& other) {
  Close();
  port_ = other.port_;
  portNumber_ = other.portNumber_;
  baudRate_ = other.baudRate_;
  other.port_ = nullptr;
}

bool SerialPort::Failed() {
  if (port_) lastError_ = port_->LastError();
  return false;
}

bool SerialPort::Purge() {
  // The receive side only: a transmit purge would drop the previous exchange's last ACK
  // while it is still on its way, and the register would offer that answer again.
  return Usable() && (port_->Purge(platform::kPurgeRxAbort | platform::kPurgeRxClear) || Failed());
}

bool SerialPort::SetTimeouts(uint32_t readConstant) {
  if (!port_) return false;
  platform::CommTimeouts timeouts;
  timeouts.readInterval = kByteTimeout;
  timeouts.readTotalMultiplier = kByteTimeout;
  timeouts.readTotalConstant = readConstant;
  timeouts.writeTotalMultiplier = kByteTimeout;
  timeouts.writeTotalConstant = kByteTimeout;
  return port_->SetTimeouts(timeouts) || Failed();
}

bool SerialPort::SetBaud(uint32_t baudRate) {
  platform::LineSettings settings;
  if (!Usable()) return false;
  if (!port_->GetState(settings)) return Failed();
  settings.baudRate = baudRate;
  // No flow control, DTR and RTS control off, binary mode, 8N1.
  settings.parity = false;
  settings.outxCtsFlow = false;
  settings.outxDsrFlow = false;
  settings.dtrControl = 0;
  settings.dsrSensitivity = false;
  settings.txContinueOnXoff = false;
  settings.outX = false;
  settings.inX = false;
  settings.errorChar = false;
  settings.null = false;
  settings.rtsControl = 0;
  settings.abortOnError = false;
  settings.binary = true;
  settings.byteSize = 8;
  settings.parityKind = 0;
  settings.stopBits = 0;
  if (!port_->SetState(settings)) return Failed();
  baudRate_ = baudRate;
  return true;
}

bool SerialPort::Read(uint8_t* buffer, uint32_t count) {
  uint32_t transferred = 0;
  if (!port_) return false;
  if (!port_->Read(buffer, count, transferred)) return Failed();
  return transferred == count;
}

bool SerialPort::Write(const uint8_t* buffer, uint32_t count) {
  uint32_t transferred = 0;
  if (!Usable()) return false;
  if (!port_->Write(buffer, count, transferred)) return Failed();
  if (transferred != count) return false;
  // A write may return while its bytes still wait to leave. The register's reply time-outs
  // count from the moment it has heard them, and a rate change must not catch them on the
  // way, so every write ends once its bytes are out.
  return port_->Drain() || Failed();
}

}  // namespace orn::device
