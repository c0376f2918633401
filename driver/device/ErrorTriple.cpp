#include "device/ErrorTriple.h"

#include <cstdio>

#include "config/DriverLog.h"
#include "device/DeviceErrors.h"
#include "device/DeviceStatus.h"
#include "device/ResultCodes.h"

namespace orn::device {

void ErrorTriple::ResetError() {
  resultCode_ = OPOS_SUCCESS;
  resultCodeExtended_ = 0;
  errorString_.clear();
}

int ErrorTriple::SetIllegal() {
  resultCode_ = OPOS_E_ILLEGAL;
  resultCodeExtended_ = 0;
  errorString_.clear();
  return resultCode_;
}

int ErrorTriple::SetExtendedError(int code) {
  resultCode_ = OPOS_E_EXTENDED;
  resultCodeExtended_ = code;
  errorString_.assign(ExtendedErrorText(code));
  return resultCode_;
}

bool ErrorTriple::MapDeviceError(uint8_t code) {
  if (code == 0) {
    ResetError();
    return true;
  }
  resultCode_ = OPOS_E_EXTENDED;
  switch (code) {
    case device_error::kNoReceiptPaper:
      resultCodeExtended_ = OPOS_EFPTR_REC_EMPTY;
      break;
    case device_error::kNoJournalPaper:
      resultCodeExtended_ = OPOS_EFPTR_JRN_EMPTY;
      break;
    case device_error::kNoSlip:
      resultCodeExtended_ = OPOS_EFPTR_SLP_EMPTY;
      break;
    default:
      resultCodeExtended_ = kDeviceErrorBase + code;
  }
  errorString_.assign(ErrorText(code));
  return false;
}

void ErrorTriple::SetTimeout() {
  resultCode_ = OPOS_E_TIMEOUT;
  resultCodeExtended_ = 0;
}

void ErrorTriple::Set(int32_t resultCode, int32_t resultCodeExtended) {
  resultCode_ = resultCode;
  resultCodeExtended_ = resultCodeExtended;
}

void LogResultCodes(config::DriverLog& log, int resultCode, int resultCodeExtended) {
  if (!log.Enabled()) return;  // every OPOS call ends here: nothing formatted for nothing
  char line[1200];
  std::snprintf(line, sizeof line, "%d, %s", resultCode, ResultCodeName(resultCode));
  log.LogResult(line);
  if (resultCode != OPOS_E_EXTENDED) return;
  char name[1100];
  std::snprintf(line, sizeof line, "ResultCodeExtended: %d, %s", resultCodeExtended,
                ExtendedCodeName(resultCodeExtended, name, sizeof name));
  log.LogResult(line);
}

}  // namespace orn::device
