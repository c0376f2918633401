// Finding the register: the probe, the baud-rate search on one port, and the configured port
// tried first; the search of the other rates and ports is in PortSearch.cpp.

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

bool FiscalDevice::OpenPort(int portNumber) {
  if (port_.Open(portNumber, baudRate_)) return true;
  const platform::OsError& error = port_.LastError();
  if (error.portInUse)
    log_.LogErrorF("порт COM%d занят другой программой (%u, %s)", portNumber, unsigned(error.code),
                   error.text.c_str());
  else
    log_.LogErrorF("порт COM%d не открывается (%u, %s)", portNumber, unsigned(error.code),
                   error.text.c_str());
  return false;
}

bool FiscalDevice::OtherRatesMayHelp(int portNumber) {
  // The register answered, with an error: it is here, but not usable.
  if (errors_.ResultCode() != OPOS_E_TIMEOUT) return false;
  // It answers the handshake at this rate but no command: another rate would not help.
  if (registerHeard_) {
    log_.LogErrorF("ФР на COM%d отвечает на скорости %u, но не на команды", portNumber,
                   unsigned(baudRate_));
    return false;
  }
  return true;
}

bool FiscalDevice::SearchOtherRates() {
  for (uint32_t rate : kBaudRates) {
    if (rate == baudRate_) continue;
    if (!port_.SetBaud(rate)) return false;
    if (Probe()) return true;
  }
  return false;
}

bool FiscalDevice::MoveToConfiguredRate() {
  // If the register refuses, it keeps the rate it has, and so does the link.
  if (!SetExchangeParams(BaudRateCode(baudRate_), uint8_t(port_.ByteTimeout()))) {
    ResetError();
    return true;
  }
  const uint8_t pause = 0x00;
  if (!port_.Write(&pause, 1)) return false;
  return port_.SetBaud(baudRate_);
}

bool FiscalDevice::Connect(int portNumber) {
  if (!OpenPort(portNumber)) return false;
  if (Probe()) return true;
  if (!OtherRatesMayHelp(portNumber)) return false;
  return SearchOtherRates() && MoveToConfiguredRate();
}

bool FiscalDevice::FindDevice() {
  // Where the register almost always is, asked alone: the common case costs one exchange.
  const bool configuredPortOpen = OpenPort(comNumber_);
  if (configuredPortOpen && Probe()) return true;
  // The register is on the configured port, only not well: the other ports have nothing.
  if (configuredPortOpen && !OtherRatesMayHelp(comNumber_)) {
    port_.Close();
    return false;
  }
  return SearchSideBySide(configuredPortOpen);
}

}  // namespace orn::device
