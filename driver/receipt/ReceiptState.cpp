#include "receipt/ReceiptState.h"

#include <string>

#include "config/RegistryKey.h"
#include "receipt/DecimalText.h"

namespace orn::receipt {

namespace {

// Value names under the Params key, in the order they are loaded. Stored data of earlier
// releases relies on them.
constexpr char kPrinterStateValue[] = "PrinterState";
constexpr char kCancelReceiptValue[] = "CancelReceipt";
constexpr char kSlipLineValue[] = "StrNumber";
constexpr char kRecPrintedValue[] = "RecPrinted";
constexpr char kSlpPrintedValue[] = "SlpPrinted";
constexpr char kReceiptEndedValue[] = "ReceiptEnded";
constexpr char kReceiptSubtotalValue[] = "ReceiptSubtotal";
constexpr char kReceiptStartedValue[] = "ReceiptStarted";

constexpr char kParamsKey[] = "";
constexpr char kPaymentSumsSubKey[] = "\\CheckSumm";
// The payment sums are named by their index.
constexpr const char* kPaymentSumValues[kPaymentTypeCount] = {"0", "1", "2", "3"};

bool ValidIndex(int index) {
  return index >= 0 && index < kPaymentTypeCount;
}

}  // namespace

int64_t ReceiptState::PaymentSum(int index) const {
  return ValidIndex(index) ? paymentSums_[size_t(index)] : 0;
}

void ReceiptState::LoadReceiptState() {
  using platform::kErrorSuccess;
  const bool found =
      store_.Read(kParamsKey, [&](platform::Registry& registry, platform::RegKey key) {
        uint32_t value = 0;
        if (registry.QueryDword(key, kPrinterStateValue, value) == kErrorSuccess)
          printerState_ = int32_t(value);
        if (registry.QueryDword(key, kCancelReceiptValue, value) == kErrorSuccess)
          cancelReceipt_ = value != 0;
        if (registry.QueryDword(key, kSlipLineValue, value) == kErrorSuccess)
          slipLine_ = uint8_t(value & 0xFF);
        if (registry.QueryDword(key, kRecPrintedValue, value) == kErrorSuccess)
          recPrinted_ = value != 0;
        if (registry.QueryDword(key, kSlpPrintedValue, value) == kErrorSuccess)
          slpPrinted_ = value != 0;
        // An earlier release stored 1 for either ending; a close is by far the likelier.
        if (registry.QueryDword(key, kReceiptEndedValue, value) == kErrorSuccess)
          ending_ = value == uint32_t(Ending::kAnnulled) ? Ending::kAnnulled
                    : value != 0                         ? Ending::kClosed
                                                         : Ending::kNone;
        if (registry.QueryDword(key, kReceiptStartedValue, value) == kErrorSuccess)
          receiptStarted_ = value != 0;
        std::string subtotal;
        if (registry.QueryString(key, kReceiptSubtotalValue, subtotal,
                                 config::kStringValueCapacity) == kErrorSuccess)
          receiptSubtotal_ = ParseInt64(subtotal);
      });
  if (!found) return;
  store_.Read(kPaymentSumsSubKey, [&](platform::Registry& registry, platform::RegKey key) {
    for (int index = 0; index < kPaymentTypeCount; ++index) {
      std::string text;
      if (registry.QueryString(key, kPaymentSumValues[index], text, config::kStringValueCapacity) ==
          kErrorSuccess)
        paymentSums_[size_t(index)] = ParseInt64(text);
    }
  });
}

void ReceiptState::Forget() {
  printerState_ = kDefaultPrinterState;
  cancelReceipt_ = false;
  slipLine_ = kDefaultSlipLine;
  recPrinted_ = slpPrinted_ = false;
  ending_ = Ending::kNone;
  receiptSubtotal_.reset();
  receiptStarted_ = true;
  paymentSums_ = {};
}

void ReceiptState::SetPrinterState(int32_t state) {
  if (state == printerState_) return;
  printerState_ = state;
  store_.WriteDword(kParamsKey, kPrinterStateValue, uint32_t(state));
}

void ReceiptState::SetCancelReceipt(bool cancel) {
  if (cancel == cancelReceipt_) return;
  cancelReceipt_ = cancel;
  store_.WriteDword(kParamsKey, kCancelReceiptValue, cancel ? 1 : 0);
}

void ReceiptState::SetSlipLine(uint8_t line) {
  if (line == slipLine_) return;
  slipLine_ = line;
  store_.WriteDword(kParamsKey, kSlipLineValue, line);
}

void ReceiptState::SetRecPrinted(bool printed) {
  if (printed == recPrinted_) return;
  recPrinted_ = printed;
  store_.WriteDword(kParamsKey, kRecPrintedValue, printed ? 1 : 0);
}

void ReceiptState::SetSlpPrinted(bool printed) {
  if (printed == slpPrinted_) return;
  slpPrinted_ = printed;
  store_.WriteDword(kParamsKey, kSlpPrintedValue, printed ? 1 : 0);
}

void ReceiptState::SetReceiptEnding(Ending ending) {
  if (ending == ending_) return;
  ending_ = ending;
  store_.WriteDword(kParamsKey, kReceiptEndedValue, uint32_t(ending));
}

void ReceiptState::SetPaymentSum(int index, int64_t sum) {
  if (!ValidIndex(index) || sum == paymentSums_[size_t(index)]) return;
  paymentSums_[size_t(index)] = sum;
  store_.WriteString(kPaymentSumsSubKey, kPaymentSumValues[index], FormatInt64(sum));
}

void ReceiptState::SetReceiptSubtotal(int64_t subtotal) {
  if (receiptSubtotal_ == subtotal) return;
  receiptSubtotal_ = subtotal;
  store_.WriteString(kParamsKey, kReceiptSubtotalValue, FormatInt64(subtotal));
}

void ReceiptState::SetReceiptStarted(bool started) {
  if (started == receiptStarted_) return;
  receiptStarted_ = started;
  store_.WriteDword(kParamsKey, kReceiptStartedValue, started ? 1 : 0);
}

void ReceiptState::AddToReceipt(const device::FiscalDevice::ReceiptChange& change) {
  if (change.started) SetReceiptStarted(true);
  if (change.subtotal != 0 && receiptSubtotal_)
    SetReceiptSubtotal(*receiptSubtotal_ + change.subtotal);
}

}  // namespace orn::receipt
