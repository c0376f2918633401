// Finding the register: the probe, the baud-rate search on one port and the port scan.

#include "config/DriverLog.h"
#include "device/FiscalDevice.h"
#include "device/ResultCodes.h"

namespace orn::device {

bool FiscalDevice::Probe() {
  retryLimit_ = kProbeRetryLimit;
  const bool answered = GetStatus();
  retryLimit_ = kDefaultRetryLimit;
  return answered;
}

bool FiscalDevice::Connect(int portNumber) {
  if (!port_.Open(portNumber, baudRate_)) {
    const platform::OsError& error = port_.LastError();
    if (error.portInUse)
      log_.LogErrorF("порт COM%d занят другой программой (%u, %s)", portNumber,
                     unsigned(error.code), error.text.c_str());
    else
      log_.LogErrorF("порт COM%d не открывается (%u, %s)", portNumber, unsigned(error.code),
                     error.text.c_str());
    return false;
  }
  if (Probe()) return true;
  // The register answered, with an error: it is here, but not usable.
  if (errors_.ResultCode() != OPOS_E_TIMEOUT) return false;
  // It answers the handshake at this rate but no command: another rate would not help.
  if (registerHeard_) {
    log_.LogErrorF("ФР на COM%d отвечает на скорости %u, но не на команды", portNumber,
                   unsigned(baudRate_));
    return false;
  }

  bool found = false;
  for (uint32_t rate : kBaudRates) {
    if (rate == baudRate_) continue;
    if (!port_.SetBaud(rate)) return false;
    if (Probe()) {
      found = true;
      break;
    }
  }
  if (!found) return false;

  // Move the register to the configured rate; if it refuses, keep the rate it has.
  if (!SetExchangeParams(BaudRateCode(baudRate_), uint8_t(port_.ByteTimeout()))) {
    ResetError();
    return true;
  }
  const uint8_t pause = 0x00;
  if (!port_.Write(&pause, 1)) return false;
  return port_.SetBaud(baudRate_);
}

bool FiscalDevice::FindDevice() {
  if (Connect(comNumber_)) return true;
  // The register is on the configured port, only not well: the other ports have nothing.
  if (registerHeard_) {
    port_.Close();
    return false;
  }
  for (int portNumber = kFirstPort; portNumber <= kLastPort; ++portNumber) {
    if (portNumber == comNumber_) continue;
    if (Connect(portNumber)) {
      comNumber_ = portNumber;
      if (portFound_) portFound_(portNumber);
      return true;
    }
  }
  // Nothing answered: do not keep the last port tried from other programs.
  port_.Close();
  return false;
}

}  // namespace orn::device
