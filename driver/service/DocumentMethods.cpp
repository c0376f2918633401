// Documents that are not receipts: the non-fiscal document on the receipt, journal and slip
// stations, the fiscal document on the slip, and waiting for a slip to be inserted or
// taken out. Fixed output, training mode and item lists the register does not have: those
// methods answer OPOS_E_ILLEGAL in every state, without clearing the error first.

#include "device/DeviceStatus.h"
#include "device/ResultCodes.h"
#include "service/FptrService.h"
#include "service/OposConstants.h"

namespace orn::service {

namespace {

// A slip has been inserted.
constexpr uint16_t kSlipBottomSensor = device::flag::kSlipBottomSensor;
// Either sensor: a slip is still in the station.
constexpr uint16_t kSlipInStation = device::flag::kSlipTopSensor | device::flag::kSlipBottomSensor;
// Between status requests of a slip wait: the line stays free for a moment, and a timeout
// is met within one exchange and this pause.
constexpr uint32_t kSlipPollMs = 100;

}  // namespace

int32_t FptrService::BeginNonFiscal() {
  return Call(Method::kBeginNonFiscal, {}, [&] {
    if (!CheckState({FPTR_PS_MONITOR})) return;
    receipt_.SetSlipLine(1);
    receipt_.SetRecPrinted(false);
    receipt_.SetSlpPrinted(false);
    receipt_.SetPrinterState(FPTR_PS_NONFISCAL);
  });
}

int32_t FptrService::PrintNormal(int32_t station, std::u16string_view data) {
  return Call(Method::kPrintNormal, {Number("Station", station), Text("Data", data)}, [&] {
    // Beside its own document, text goes only into a cash-in or cash-out receipt.
    const int32_t state = receipt_.PrinterState();
    const bool cashReceipt =
        fiscalReceiptType_ == FPTR_RT_CASH_IN || fiscalReceiptType_ == FPTR_RT_CASH_OUT;
    const bool receiptOpen = state == FPTR_PS_FISCAL_RECEIPT ||
                             state == FPTR_PS_FISCAL_RECEIPT_TOTAL ||
                             state == FPTR_PS_FISCAL_RECEIPT_ENDING;
    if (state != FPTR_PS_NONFISCAL && !(cashReceipt && receiptOpen)) {
      device_.SetExtendedError(device::OPOS_EFPTR_WRONG_STATE);
      return;
    }
    const bool journal = caps_.jrnPresent && (station & FPTR_S_JOURNAL) != 0;
    const bool onReceipt = caps_.recPresent && (station & FPTR_S_RECEIPT) != 0;
    const bool slip = caps_.slpPresent && (station & FPTR_S_SLIP) != 0;
    if (!journal && !onReceipt && !slip) {
      device_.SetIllegal();
      return;
    }
    const std::string text = FromApp(data);
    if (journal || onReceipt) {
      const uint8_t flags = uint8_t((journal ? device::kStationJournal : 0) |
                                    (onReceipt ? device::kStationReceipt : 0));
      if (!PrintTextLine(text, flags)) return;
      if (onReceipt) receipt_.SetRecPrinted(true);
    }
    if (slip) {
      if (!device_.FillSlipBuffer(receipt_.SlipLine(), text)) return;
      receipt_.SetSlipLine(uint8_t(receipt_.SlipLine() + 1));
      receipt_.SetSlpPrinted(true);
    }
  });
}

int32_t FptrService::EndNonFiscal() {
  return Call(Method::kEndNonFiscal, {}, [&] {
    // The trailer and header only when the document printed on the tape; the slip only
    // when lines went into its buffer.
    if (CheckState({FPTR_PS_NONFISCAL})) PrintReceiptEnd();
  });
}

int32_t FptrService::BeginFiscalDocument(int32_t documentAmount) {
  return Call(Method::kBeginFiscalDocument, {Number("DocumentAmount", documentAmount)}, [&] {
    if (!CheckSlipFiscalDocument() || !CheckState({FPTR_PS_MONITOR})) return;
    // The header and the title take the slip's first lines.
    receipt_.SetSlipLine(uint8_t(numHeaderLines_ + 3));
    dayOpened_ = true;
    receipt_.SetPrinterState(FPTR_PS_FISCAL_DOCUMENT);
  });
}

int32_t FptrService::PrintFiscalDocumentLine(std::u16string_view documentLine) {
  return Call(Method::kPrintFiscalDocumentLine, {Text("DocumentLine", documentLine)}, [&] {
    if (!CheckSlipFiscalDocument() || !CheckState({FPTR_PS_FISCAL_DOCUMENT})) return;
    if (device_.FillSlipBuffer(receipt_.SlipLine(), FromApp(documentLine)))
      receipt_.SetSlipLine(uint8_t(receipt_.SlipLine() + 1));
  });
}

int32_t FptrService::EndFiscalDocument() {
  return Call(Method::kEndFiscalDocument, {}, [&] {
    if (!CheckSlipFiscalDocument() || !CheckState({FPTR_PS_FISCAL_DOCUMENT})) return;
    // A failed print stays in the document, so the call can be repeated.
    if (device_.PrintSlip()) receipt_.SetPrinterState(FPTR_PS_MONITOR);
  });
}

bool FptrService::CheckSlipFiscalDocument() {
  if (caps_.slpFiscalDocument) return true;
  device_.SetIllegal();
  return false;
}

int32_t FptrService::BeginInsertion(int32_t timeout) {
  return Call(Method::kBeginInsertion, {Number("Timeout", timeout)},
              [&] { WaitForSlip(timeout, true); });
}

int32_t FptrService::EndInsertion() {
  return Call(Method::kEndInsertion, {}, [&] { WaitForSlip(0, true); });
}

int32_t FptrService::BeginRemoval(int32_t timeout) {
  return Call(Method::kBeginRemoval, {Number("Timeout", timeout)},
              [&] { WaitForSlip(timeout, false); });
}

int32_t FptrService::EndRemoval() {
  return Call(Method::kEndRemoval, {}, [&] { WaitForSlip(0, false); });
}

void FptrService::WaitForSlip(int32_t timeout, bool inserted) {
  // A negative timeout other than OPOS_FOREVER would wrap to weeks of waiting.
  if (!caps_.slpPresent || timeout < OPOS_FOREVER) {
    device_.SetIllegal();
    return;
  }
  auto done = [&] {
    const uint16_t flags = device_.Flags();
    return inserted ? (flags & kSlipBottomSensor) != 0 : (flags & kSlipInStation) == 0;
  };
  const uint32_t start = clock_.TickCount();
  for (;;) {
    if (!device_.GetStatus()) return;
    if (done()) return;
    if (timeout == 0) {
      device_.SetExtendedError(inserted ? device::OPOS_EFPTR_SLP_EMPTY
                                        : device::OPOS_EFPTR_SLP_FORM);
      if (!inserted) device_.Errors().SetErrorString("");
      return;
    }
    if (timeout != OPOS_FOREVER &&
        platform::TicksSince(start, clock_.TickCount()) >= uint32_t(timeout)) {
      device_.Errors().Set(device::OPOS_E_TIMEOUT, 0);
      device_.Errors().SetErrorString("");
      return;
    }
    clock_.Sleep(kSlipPollMs);
  }
}

int32_t FptrService::BeginFixedOutput(int32_t station, int32_t documentType) {
  return NotSupported(Method::kBeginFixedOutput,
                      {Number("Station", station), Number("DocumentType", documentType)});
}

int32_t FptrService::BeginItemList(int32_t vatID) {
  return NotSupported(Method::kBeginItemList, {Number("VatID", vatID)});
}

int32_t FptrService::BeginTraining() {
  return NotSupported(Method::kBeginTraining, {});
}

int32_t FptrService::EndFixedOutput() {
  return NotSupported(Method::kEndFixedOutput, {});
}

int32_t FptrService::EndItemList() {
  return NotSupported(Method::kEndItemList, {});
}

int32_t FptrService::EndTraining() {
  return NotSupported(Method::kEndTraining, {});
}

int32_t FptrService::PrintFixedOutput(int32_t documentType, int32_t lineNumber,
                                      std::u16string_view data) {
  return NotSupported(
      Method::kPrintFixedOutput,
      {Number("DocumentType", documentType), Number("LineNumber", lineNumber), Text("Data", data)});
}

}  // namespace orn::service
