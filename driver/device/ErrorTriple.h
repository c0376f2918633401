#pragma once
// The outcome of the last operation as OPOS reports it: result code, extended code and
// error text. Every layer sets it where the failure arises and returns false.

#include <cstdint>
#include <string>

namespace orn::config {
class DriverLog;
}

namespace orn::device {

class ErrorTriple {
 public:
  ErrorTriple() { errorString_.reserve(1024); }

  int32_t ResultCode() const { return resultCode_; }
  int32_t ResultCodeExtended() const { return resultCodeExtended_; }
  const std::string& ErrorString() const { return errorString_; }

  // 0, 0, empty.
  void ResetError();
  // 106, 0, empty; returns 106.
  int SetIllegal();
  // 114, the code, the driver's text for it; returns 114.
  int SetExtendedError(int code);
  // A register error code from an answer: 0 clears the triple and succeeds; any other
  // code gives 114 with the paper codes 203, 202, 204 for 6Bh, 6Ch, C6h, else 300 + code,
  // and the register's text.
  bool MapDeviceError(uint8_t code);
  // The register did not answer: 112, 0, the text left as it was.
  void SetTimeout();
  // Any other outcome (codes set by the driver's own checks).
  void Set(int32_t resultCode, int32_t resultCodeExtended);
  void SetErrorString(const char* text) { errorString_.assign(text); }
  void SetErrorString(const std::string& text) { errorString_.assign(text); }

 private:
  int32_t resultCode_ = 0;
  int32_t resultCodeExtended_ = 0;
  std::string errorString_;
};

// The result block of a method in the log: "%d, %s" with the code's name and, for 114,
// "ResultCodeExtended: %d, %s".
void LogResultCodes(config::DriverLog& log, int resultCode, int resultCodeExtended);

}  // namespace orn::device
