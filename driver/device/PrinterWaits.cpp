// Waiting for the register's printer: polling its status while it prints, checking the
// paper when it stops, and telling it to go on after paper was put back. Every wait has a
// bound that runs from the printing's last sign of progress, so a register stuck in one
// state cannot hold the caller for ever while a long report that is still printing is not
// cut short.

#include <cstring>

#include "device/DeviceErrors.h"
#include "device/FiscalDevice.h"
#include "device/ResultCodes.h"

namespace orn::device {

using platform::TicksSince;

namespace {

// The register's clock runs on while nothing else moves: it is no sign of progress.
bool SameBesidesClock(const uint8_t* a, const uint8_t* b) {
  constexpr size_t kClockStart = status::kDate;
  constexpr size_t kClockEnd = status::kTime + 3;
  return std::memcmp(a, b, kClockStart) == 0 &&
         std::memcmp(a + kClockEnd, b + kClockEnd, status::kSize - kClockEnd) == 0;
}

}  // namespace

bool FiscalDevice::TimedOut() {
  errors_.SetTimeout();
  return false;
}

bool FiscalDevice::UnknownSubmode(int current) {
  // A state the waits cannot follow: a failure at once, never a success with nothing done
  // and never a wait for a state that may not end.
  errors_.Set(OPOS_E_FAILURE, 0);
  errors_.SetErrorString(SubmodeText(current));
  return false;
}

void FiscalDevice::StartProgress(PrintingProgress& progress) {
  std::memcpy(progress.seen, status_, status::kSize);
  progress.since = clock_.TickCount();
}

bool FiscalDevice::Stalled(PrintingProgress& progress) {
  const uint32_t now = clock_.TickCount();
  if (!SameBesidesClock(progress.seen, status_)) {
    std::memcpy(progress.seen, status_, status::kSize);
    progress.since = now;
    return false;
  }
  const int current = Submode();
  const bool longReport =
      current == submode::kPrintingLongReport ||
      (mode::IsPrinting(mode::Number(ModeByte())) && current == submode::kPaperPresent);
  return TicksSince(progress.since, now) >=
         (longReport ? kMaxLongReportWaitMs : kMaxPrintingWaitMs);
}

bool FiscalDevice::WaitForPrinting(uint32_t pauseMs) {
  if (!GetStatus()) return false;
  PrintingProgress progress;
  StartProgress(progress);
  uint32_t paperDisagreementSince = 0;
  bool paperDisagreement = false;
  for (;;) {
    const int modeNumber = mode::Number(ModeByte());
    const int current = Submode();
    const bool paperOut =
        current == submode::kPassivePaperOut || current == submode::kActivePaperOut;
    if (!paperOut) paperDisagreement = false;
    switch (current) {
      case submode::kPaperPresent:
        if (!mode::IsPrinting(modeNumber)) return true;
        clock_.Sleep(pauseMs);
        if (!CheckPaper()) return false;
        break;
      case submode::kPassivePaperOut:
      case submode::kActivePaperOut:
        if (!CheckPaper()) return false;
        // The sensors see paper that the register says is missing: it gets a few seconds
        // to see it too, then the cashier is told to look at the paper.
        if (!paperDisagreement) {
          paperDisagreement = true;
          paperDisagreementSince = clock_.TickCount();
        } else if (TicksSince(paperDisagreementSince, clock_.TickCount()) >= kPaperDisagreementMs) {
          SetExtendedError(OPOS_EFPTR_REC_EMPTY);
          errors_.SetErrorString(SubmodeText(current));
          return false;
        }
        clock_.Sleep(pauseMs);
        break;
      case submode::kAfterActivePaperOut:
        if (!ContinuePrint()) return false;
        break;
      case submode::kPrintingLongReport:
      case submode::kPrinting:
        clock_.Sleep(pauseMs);
        break;
      default:
        return UnknownSubmode(current);
    }
    if (!GetStatus()) return false;
    if (Stalled(progress)) return TimedOut();
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
      return UnknownSubmode(current);
  }
}

bool FiscalDevice::ContinuePrint() {
  // WaitContinue may ask for ContinuePrint again; a register that keeps asking is given up.
  if (continueDepth_ >= kMaxContinueDepth) return RegisterKeepsWaitingForContinue();
  ++continueDepth_;
  const bool continued = Simple(command::kContinuePrint) && WaitContinue();
  --continueDepth_;
  return continued;
}

bool FiscalDevice::WaitContinue() {
  uint32_t lastAnswer = clock_.TickCount();
  PrintingProgress progress;
  StartProgress(progress);
  while (TicksSince(lastAnswer, clock_.TickCount()) <= kContinueWaitMs) {
    bool paperOut = false;
    if (GetStatus()) {
      const int modeNumber = mode::Number(ModeByte());
      const int current = Submode();
      if (current == submode::kPaperPresent && !mode::IsPrinting(modeNumber)) return true;
      if (current == submode::kPassivePaperOut || current == submode::kActivePaperOut ||
          current == submode::kPaperPresent) {
        paperOut = !CheckPaper();  // its error stays set while the paper is out
      } else if (current == submode::kAfterActivePaperOut) {
        // Given up below (no link, or asked to go on too often): so is this wait.
        if (!ContinuePrint() && ResultCode() == OPOS_E_TIMEOUT) return false;
      } else if (current > submode::kPrinting) {
        return UnknownSubmode(current);
      }
    } else if (lastDeviceError_ == device_error::kWaitingForContinuePrint) {
      return false;  // it keeps asking to go on: its own error says so
    }
    if (Stalled(progress)) return TimedOut();
    // Paper out with nothing moving: the cashier is told (the paper error) rather than
    // kept waiting; paper being loaded changes the status, and the wait goes on.
    if (paperOut && TicksSince(progress.since, clock_.TickCount()) >= kPaperOutWaitMs) return false;
    // The time runs from the last answer that was not a link failure.
    if (ResultCode() != OPOS_E_TIMEOUT) lastAnswer = clock_.TickCount();
    clock_.Sleep(kContinuePollMs);
  }
  return TimedOut();
}

}  // namespace orn::device
