// The end of a fiscal receipt: closing it in the register with the payments the driver
// collected, cancelling it, or finishing the paper of a receipt the register did not close;
// and the copy of the last document.

#include "device/DeviceStatus.h"
#include "device/ResultCodes.h"
#include "service/FptrService.h"
#include "service/OposConstants.h"

namespace orn::service {

namespace {

constexpr uint32_t kPrintingPollMs = 200;
constexpr int kCategoryWithEarlyCut = 1;  // cuts after the third header line
constexpr char kReceiptLostText[] = "Чек не закрыт: в ФР он не открыт (аннулирован ФР)";
// Sends of a document's command whose outcome the line left unknown, each settled by the
// register's document number before the next.
constexpr int kDocumentAttempts = 5;

}  // namespace

int32_t FptrService::EndFiscalReceipt(bool printHeader) {
  return Call(Method::kEndFiscalReceipt, {Flag("PrintHeader", printHeader)}, [&] {
    if (!CheckState({FPTR_PS_FISCAL_RECEIPT_ENDING})) return;
    if (!stationIsReceipt_) {
      EndSlipReceipt();
    } else if (fiscalReceiptType_ == FPTR_RT_CASH_IN || fiscalReceiptType_ == FPTR_RT_CASH_OUT) {
      EndCashReceipt();
    } else if (fiscalReceiptType_ == FPTR_RT_SALES) {
      EndSalesReceipt();
    } else {
      device_.SetIllegal();
    }
  });
}

bool FptrService::EndCashReceipt() {
  if (receipt_.CancelReceipt()) {
    if (!PrintReceiptEnd()) return false;
    ResetReceiptTotals();
    return true;
  }
  // Once the register took the cash, a repeated call only waits for the printing.
  if (!retrySteps_[kMainStepDone]) {
    const bool done = MakeDocument([this] {
      return fiscalReceiptType_ == FPTR_RT_CASH_IN ? device_.CashIn(cashAmount_)
                                                   : device_.CashOut(cashAmount_);
    });
    if (!done) return false;
    retrySteps_[kMainStepDone] = true;
  }
  if (!device_.WaitForPrinting(kPrintingPollMs)) return false;
  retrySteps_ = {};
  ResetReceiptTotals();
  receipt_.SetPrinterState(FPTR_PS_MONITOR);
  return true;
}

bool FptrService::MakeDocument(const std::function<bool()>& command) {
  if (!retrySteps_.documentBefore) {
    if (!device_.GetStatus()) return false;
    retrySteps_.documentBefore = device_.DocumentNumber();
  } else {
    // A repeated call: an earlier attempt may have made the document, whatever the line
    // said of it then.
    if (!device_.GetStatus()) return false;
    if (DocumentMade()) return DocumentSettled();
  }
  for (int attempt = 0; attempt < kDocumentAttempts; ++attempt) {
    if (command()) return true;
    // The register may have taken the command and lost its answer: its document number
    // tells. A new number: it made the document. The same number: it did not, and the
    // command may go out again.
    if (!device_.OutcomeUnknown()) return false;
    const device::ErrorTriple failure = device_.Errors();
    if (!device_.GetStatus()) {
      device_.Errors() = failure;
      return false;
    }
    if (DocumentMade()) return DocumentSettled();
    device_.ForgetUnsettled();
    device_.Errors() = failure;
  }
  return false;
}

bool FptrService::DocumentSettled() {
  device_.ForgetUnsettled();
  device_.ResetError();
  return true;
}

bool FptrService::DocumentMade() {
  return retrySteps_.documentBefore && device_.DocumentNumber() != *retrySteps_.documentBefore;
}

bool FptrService::EndSalesReceipt() {
  if (!device_.WaitForPrinting(kPrintingPollMs)) return false;
  // Asked again on every call: a receipt the register closed before a failure is not
  // closed twice.
  if (device::mode::Number(device_.ModeByte()) == device::mode::kReceiptOpen) {
    if (receipt_.CancelReceipt()) {
      if (!CancelOpenReceipt()) return false;
    } else {
      if (!MakeDocument(
              [this] { return device_.CloseReceipt(PaymentSums(), params_.CloseRecText()); }))
        return false;
      receipt_.SetReceiptEnding(receipt::ReceiptState::Ending::kClosed);
      if (!device_.WaitForPrinting(kPrintingPollMs)) return false;
    }
  } else if (receipt_.CancelReceipt()) {
    PrintReceiptEnd();
  } else if (receipt_.ReceiptStarted() && !receipt_.ReceiptEnded() && !DocumentMade()) {
    // Nothing open, and the driver never closed it: the register lost the receipt (a
    // reset annuls an open one). That is no success; the driver follows the register.
    // A receipt with nothing registered was never opened there: it ends with nothing to do.
    return ReceiptLost(kReceiptLostText);
  }
  ResetReceiptTotals();
  receipt_.SetPrinterState(FPTR_PS_MONITOR);
  return true;
}

bool FptrService::EndSlipReceipt() {
  if (!retrySteps_[kMainStepDone]) {
    if (!device_.GetStatus()) return false;
    if (device::mode::Number(device_.ModeByte()) == device::mode::kSlipDocument) {
      if (receipt_.CancelReceipt()) return CancelOpenReceipt();
      if (!device_.CloseSlipReceipt(receipt_.SlipLine(), PaymentSums(), params_.CloseRecText()))
        return false;
      // Closed in the register: a repeated call only prints the slip.
      retrySteps_[kMainStepDone] = true;
    }
  }
  if (retrySteps_[kMainStepDone]) {
    if (!device_.PrintSlip()) return false;
    ResetReceiptTotals();
  }
  retrySteps_ = {};
  receipt_.SetPrinterState(FPTR_PS_MONITOR);
  return true;
}

bool FptrService::CancelOpenReceipt() {
  if (!device_.WaitForPrinting(kPrintingPollMs)) return false;
  const int mode = device::mode::Number(device_.ModeByte());
  // A slip document is annulled too: left open, it would block the register's next
  // document while the driver believes the receipt ended.
  if (mode == device::mode::kReceiptOpen || mode == device::mode::kSlipDocument) {
    if (!device_.AnnulReceipt()) return false;
    receipt_.SetPrinterState(FPTR_PS_MONITOR);
    if (!device_.CheckPrinting(kPrintingPollMs)) return false;
    ResetReceiptTotals();
    return true;
  }
  PrintReceiptEnd();
  device_.ResetError();
  return false;
}

bool FptrService::PrintReceiptEnd() {
  if (receipt_.RecPrinted()) {
    for (const std::string& line : trailerLines_)
      if (!PrintTextLine(line, device::kStationReceipt)) return false;
    if (!PrintHeaderBlock()) return false;
  }
  if (receipt_.SlpPrinted()) device_.PrintSlip();
  receipt_.SetPrinterState(FPTR_PS_MONITOR);
  return true;
}

bool FptrService::PrintHeaderBlock() {
  const bool earlyCut = device_.ModelCategory() == kCategoryWithEarlyCut;
  const size_t cutAfter = earlyCut ? 3 : headerLines_.size();
  for (int blank = earlyCut ? 2 : 1; blank > 0; --blank)
    if (!PrintTextLine(" ", device::kStationReceipt)) return false;
  for (size_t i = 0; i < headerLines_.size(); ++i) {
    if (i == cutAfter && !device_.CutPaper()) return false;
    if (!PrintTextLine(headerLines_[i], device::kStationReceipt)) return false;
  }
  return cutAfter < headerLines_.size() || device_.CutPaper();
}

bool FptrService::ReceiptLost(const char* text) {
  device_.Errors().Set(device::OPOS_E_FAILURE, 0);
  device_.Errors().SetErrorString(text);
  ResetReceiptTotals();
  receipt_.SetPrinterState(FPTR_PS_MONITOR);
  return false;
}

void FptrService::ForgetReceiptMemory() {
  cashAmount_ = 0;
  refundReceipt_ = false;
  lastItemKnown_ = false;
  lastItemLeft_ = 0;
  subtotalAdjustments_.clear();
  saleInReceipt_ = false;
}

void FptrService::ResetReceiptTotals() {
  ForgetReceiptMemory();
  device_.TakeReceiptChange();
  receipt_.SetReceiptSubtotal(0);
  receipt_.SetReceiptStarted(false);
  receipt_.SetCancelReceipt(false);
  receipt_.SetReceiptEnding(receipt::ReceiptState::Ending::kNone);
  for (int i = 0; i < receipt::kPaymentTypeCount; ++i) receipt_.SetPaymentSum(i, 0);
}

int32_t FptrService::PrintDuplicateReceipt() {
  return Call(Method::kPrintDuplicateReceipt, {}, [&] {
    if (!caps_.duplicateReceipt) {
      device_.SetIllegal();
      return;
    }
    if (!CheckState({FPTR_PS_MONITOR})) return;
    device_.RepeatDocument();
  });
}

}  // namespace orn::service
