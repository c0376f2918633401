// Waiting for the register's printer: polling its status while it prints, checking the
// paper when it stops, and telling it to go on after paper was put back. Every wait has a
// bound, so a register stuck in one state cannot hold the caller for ever.

#include "device/DeviceErrors.h"
#include "device/FiscalDevice.h"
#include "device/ResultCodes.h"

namespace orn::device {

using platform::TicksSince;

bool FiscalDevice::TimedOut() {
  errors_.SetTimeout();
  return false;
}

bool FiscalDevice::WaitForPrinting(uint32_t pauseMs) {
  const uint32_t start = clock_.TickCount();
  if (!GetStatus()) return false;
  for (;;) {
    const int modeNumber = mode::Number(ModeByte());
    switch (Submode()) {
      case submode::kPaperPresent:
        if (!mode::IsPrinting(modeNumber)) return true;
        clock_.Sleep(pauseMs);
        if (!CheckPaper()) return false;
        break;
      case submode::kPassivePaperOut:
      case submode::kActivePaperOut:
        // A paper sensor that says the paper is there while the register says it is not
        // leaves nothing to report: wait for the register to see it too.
        if (!CheckPaper()) return false;
        clock_.Sleep(pauseMs);
        break;
      case submode::kAfterActivePaperOut:
        if (!ContinuePrint()) return false;
        break;
      default:
        clock_.Sleep(pauseMs);
        break;
    }
    if (TicksSince(start, clock_.TickCount()) >= kMaxPrintingWaitMs) return TimedOut();
    if (!GetStatus()) return false;
  }
}

bool FiscalDevice::CheckPrinting(uint32_t pauseMs) {
  if (!GetStatus()) return false;
  const int modeNumber = mode::Number(ModeByte());
  if (modeNumber != mode::kReceiptOpen && !mode::IsPrinting(modeNumber)) return true;
  const int current = Submode();
  switch (current) {
    case submode::kPaperPresent:
    case submode::kPrintingLongReport:
    case submode::kPrinting:
      clock_.Sleep(pauseMs);
      return true;
    case submode::kPassivePaperOut:
    case submode::kActivePaperOut:
      return CheckPaper();
    case submode::kAfterActivePaperOut:
      return ContinuePrint();
    default:
      // A submode the wait cannot follow: a failure, never a success with nothing done.
      errors_.Set(OPOS_E_FAILURE, 0);
      errors_.SetErrorString(SubmodeText(current));
      return false;
  }
}

bool FiscalDevice::ContinuePrint() {
  // WaitContinue may ask for ContinuePrint again; a register that keeps asking is given up.
  if (continueDepth_ >= kMaxContinueDepth) return TimedOut();
  ++continueDepth_;
  const bool continued = Simple(command::kContinuePrint) && WaitContinue();
  --continueDepth_;
  return continued;
}

bool FiscalDevice::WaitContinue() {
  const uint32_t start = clock_.TickCount();
  uint32_t lastAnswer = start;
  while (TicksSince(lastAnswer, clock_.TickCount()) <= kContinueWaitMs) {
    if (TicksSince(start, clock_.TickCount()) >= kMaxPrintingWaitMs) return TimedOut();
    if (GetStatus()) {
      const int modeNumber = mode::Number(ModeByte());
      const int current = Submode();
      if (current == submode::kPaperPresent && !mode::IsPrinting(modeNumber)) return true;
      if (current == submode::kPassivePaperOut || current == submode::kActivePaperOut ||
          current == submode::kPaperPresent) {
        CheckPaper();  // its error stays set while the paper is out
      } else if (current == submode::kAfterActivePaperOut) {
        // Given up below (no link, or asked to go on too often): so is this wait.
        if (!ContinuePrint() && ResultCode() == OPOS_E_TIMEOUT) return false;
      } else if (current > submode::kPrinting) {
        errors_.SetErrorString(SubmodeText(current));
      }
    }
    // The time runs from the last answer that was not a link failure.
    if (ResultCode() != OPOS_E_TIMEOUT) lastAnswer = clock_.TickCount();
    clock_.Sleep(kContinuePollMs);
  }
  return TimedOut();
}

}  // namespace orn::device
