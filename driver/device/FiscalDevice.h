#pragma once
// The register as the driver sees it: the framed exchange with its handshake over the
// serial port, the connection search, one operation per register command, and the cached
// answers. Every operation returns success or failure and leaves the error triple set.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "device/DeviceStatus.h"
#include "device/ErrorTriple.h"
#include "device/Protocol.h"
#include "device/SerialPort.h"
#include "platform/Clock.h"
#include "platform/CommPort.h"

namespace orn::config {
class DriverLog;
}

namespace orn::device {

// What the type answer says about the register.
struct DeviceType {
  uint8_t type = 0;
  uint8_t subtype = 0;
  uint8_t protocolVersion = 0;
  uint8_t protocolSubversion = 0;
  uint8_t model = 0;
  uint8_t language = 0;
  std::string name;  // at most 99 characters
};

class FiscalDevice {
 public:
  static constexpr int kDefaultRetryLimit = 30;
  static constexpr int kProbeRetryLimit = 3;
  // Handshake rounds of one exchange, whatever the counters say: a register that keeps
  // acknowledging frames and keeps sending broken answers must not hold the driver.
  static constexpr int kRoundsPerRetry = 3;
  static constexpr int kFirstPort = 1;
  static constexpr int kLastPort = 32;
  static constexpr size_t kMaxDeviceNameLength = 99;

  FiscalDevice(platform::PortProvider& ports, platform::Clock& clock, config::DriverLog& log);

  // --- Configuration (from the registry) ---
  void SetConnection(int comNumber, uint32_t baudRate) {
    comNumber_ = comNumber;
    baudRate_ = baudRate;
  }
  int ComNumber() const { return comNumber_; }
  uint32_t BaudRate() const { return baudRate_; }
  void SetPassword(uint32_t password) { password_ = password; }
  void SetTaxPassword(uint32_t password, bool present) {
    passwordNI_ = password;
    passwordNIPresent_ = present;
  }
  // Called with the port number when the search found the register on another port.
  void SetPortFoundHandler(std::function<void(int)> handler) { portFound_ = std::move(handler); }

  // --- The error triple ---
  ErrorTriple& Errors() { return errors_; }
  const ErrorTriple& Errors() const { return errors_; }
  int32_t ResultCode() const { return errors_.ResultCode(); }
  int32_t ResultCodeExtended() const { return errors_.ResultCodeExtended(); }
  const std::string& ErrorString() const { return errors_.ErrorString(); }
  void ResetError() { errors_.ResetError(); }
  int SetIllegal() { return errors_.SetIllegal(); }
  int SetExtendedError(int code) { return errors_.SetExtendedError(code); }

  // --- Link ---
  SerialPort& Port() { return port_; }
  int RetryLimit() const { return retryLimit_; }
  uint8_t LastDeviceError() const { return lastDeviceError_; }
  // Sends the request in the request buffer (`length` bytes: code and parameters) and
  // decodes the answer.
  bool SendCommand(size_t length);
  // GetStatus with only three handshake rounds.
  bool Probe();
  // Opens the port at the configured rate and makes sure the register answers there.
  bool Connect(int portNumber);
  // Connect on the configured port, else on ports 1..32. On failure no port is held.
  bool FindDevice();
  void Disconnect() { port_.Close(); }

  // --- Commands ---
  bool GetStatus();
  bool GetDeviceType();
  bool SetExchangeParams(uint8_t baudRateCode, uint8_t byteTimeout);
  // On the cached flags: journal paper, then receipt paper.
  bool CheckPaper();

  // --- Cached answers ---
  const uint8_t* StatusBlock() const { return status_; }
  uint16_t Flags() const { return flags_; }
  uint8_t ModeByte() const { return status_[status::kMode]; }
  uint8_t Submode() const { return status_[status::kSubmode]; }
  uint8_t MemoryFlags() const { return status_[status::kMemoryFlags]; }
  uint16_t CurrencyDivisor() const { return currencyDivisor_; }
  const DeviceType& Type() const { return deviceType_; }
  int ModelFamily() const { return modelFamily_; }
  int ModelCategory() const { return modelCategory_; }

  // The request buffer, for operations and tests.
  const uint8_t* Request() const { return request_; }
  // The data bytes of the last answer (after code and error code).
  const uint8_t* AnswerData() const { return answer_; }
  size_t AnswerDataLength() const { return answerDataLength_; }

 private:
  // Request building: command code, then the operator password unless told otherwise.
  size_t BeginRequest(uint8_t code, bool withPassword = true);
  size_t PutByte(size_t at, uint8_t value);
  size_t PutInteger(size_t at, uint64_t value, int bytes);

  bool Exchange(const uint8_t* frame, uint32_t size);
  bool ReceiveAnswer();
  bool ReadControlByte(uint8_t& byte);
  bool DecodeAnswer(uint8_t expectedCode);
  void DecodeAnswerData(uint8_t code);
  void DecodeStatus();
  void DecodeDeviceType();
  bool MalformedAnswer(const char* text);

  SerialPort port_;
  platform::Clock& clock_;
  config::DriverLog& log_;
  ErrorTriple errors_;
  std::function<void(int)> portFound_;

  int comNumber_ = 1;
  uint32_t baudRate_ = 4800;
  uint32_t password_ = 0;
  uint32_t passwordNI_ = 0;
  bool passwordNIPresent_ = false;
  int retryLimit_ = kDefaultRetryLimit;
  uint8_t lastDeviceError_ = 0;

  uint8_t request_[kMaxRequest] = {};
  uint8_t answerLength_ = 0;
  uint8_t answer_[kFrameBuffer] = {};
  size_t answerDataLength_ = 0;

  uint8_t status_[status::kSize] = {};
  uint16_t flags_ = 0;
  uint16_t currencyDivisor_ = 100;
  DeviceType deviceType_;
  int modelFamily_ = 0;
  int modelCategory_ = 0;
};

}  // namespace orn::device
