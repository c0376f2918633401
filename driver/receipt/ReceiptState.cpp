#include "receipt/ReceiptState.h"

#include "config/RegistryKey.h"
#include "receipt/DecimalText.h"

namespace orn::receipt {

namespace {

using platform::kErrorSuccess;
using platform::RegAccess;

// Value names under the Params key, in the order they are loaded.
constexpr char kPrinterStateValue[] = "PrinterState";
constexpr char kCancelReceiptValue[] = "CancelReceipt";
constexpr char kStrNumberValue[] = "StrNumber";
constexpr char kRecPrintedValue[] = "RecPrinted";
constexpr char kSlpPrintedValue[] = "SlpPrinted";
constexpr char kReceiptEndedValue[] = "ReceiptEnded";
constexpr char kReceiptSubtotalValue[] = "ReceiptSubtotal";
constexpr char kReceiptStartedValue[] = "ReceiptStarted";
constexpr char kUnsettledValue[] = "UnsettledCommand";
// A frame and an answer of 256 bytes each in hex, and the state.
constexpr uint32_t kUnsettledCapacity = 1100;

constexpr char kPaymentSumsSubKey[] = "\\CheckSumm";
// The payment sums are named by their index.
constexpr const char* kPaymentSumValues[kPaymentTypeCount] = {"0", "1", "2", "3"};

bool ValidIndex(int index) {
  return index >= 0 && index < kPaymentTypeCount;
}

}  // namespace

ReceiptState::ReceiptState(platform::Registry& registry, const config::DriverParams& params)
    : registry_(registry), params_(params) {}

std::string ReceiptState::PaymentSumsKeyPath() const {
  return params_.ParamsKeyPath() + kPaymentSumsSubKey;
}

int64_t ReceiptState::PaymentSum(int index) const {
  return ValidIndex(index) ? paymentSums_[size_t(index)] : 0;
}

void ReceiptState::LoadReceiptState() {
  if (params_.ParamsKeyPath().empty()) return;
  config::RegistryKey key(registry_);
  if (key.Open(params_.ParamsKeyPath(), RegAccess::kRead) != kErrorSuccess) return;
  uint32_t value = 0;
  if (registry_.QueryDword(key.Handle(), kPrinterStateValue, value) == kErrorSuccess)
    printerState_ = int32_t(value);
  if (registry_.QueryDword(key.Handle(), kCancelReceiptValue, value) == kErrorSuccess)
    cancelReceipt_ = value != 0;
  if (registry_.QueryDword(key.Handle(), kStrNumberValue, value) == kErrorSuccess)
    strNumber_ = uint8_t(value & 0xFF);
  if (registry_.QueryDword(key.Handle(), kRecPrintedValue, value) == kErrorSuccess)
    recPrinted_ = value != 0;
  if (registry_.QueryDword(key.Handle(), kSlpPrintedValue, value) == kErrorSuccess)
    slpPrinted_ = value != 0;
  // An earlier release stored 1 for either ending; a close is by far the likelier.
  if (registry_.QueryDword(key.Handle(), kReceiptEndedValue, value) == kErrorSuccess)
    ending_ = value == uint32_t(Ending::kAnnulled) ? Ending::kAnnulled
              : value != 0                         ? Ending::kClosed
                                                   : Ending::kNone;
  if (registry_.QueryDword(key.Handle(), kReceiptStartedValue, value) == kErrorSuccess)
    receiptStarted_ = value != 0;
  std::string subtotal;
  if (registry_.QueryString(key.Handle(), kReceiptSubtotalValue, subtotal,
                            config::kStringValueCapacity) == kErrorSuccess)
    receiptSubtotal_ = ParseInt64(subtotal);

  if (key.Open(PaymentSumsKeyPath(), RegAccess::kRead) != kErrorSuccess) return;
  for (int index = 0; index < kPaymentTypeCount; ++index) {
    std::string text;
    if (registry_.QueryString(key.Handle(), kPaymentSumValues[index], text,
                              config::kStringValueCapacity) == kErrorSuccess)
      paymentSums_[size_t(index)] = ParseInt64(text);
  }
}

void ReceiptState::Forget() {
  printerState_ = kDefaultPrinterState;
  cancelReceipt_ = false;
  strNumber_ = kDefaultStrNumber;
  recPrinted_ = slpPrinted_ = false;
  ending_ = Ending::kNone;
  receiptSubtotal_.reset();
  receiptStarted_ = true;
  paymentSums_ = {};
  storeFailure_.reset();
  storeFailureReported_ = false;
}

void ReceiptState::WriteDword(const char* name, uint32_t value) {
  Store(params_.ParamsKeyPath(),
        [&](platform::RegKey key) { return registry_.SetDword(key, name, value); });
}

void ReceiptState::Store(const std::string& keyPath, const std::string& name,
                         const std::string& text) {
  Store(keyPath,
        [&](platform::RegKey key) { return registry_.SetString(key, name.c_str(), text); });
}

void ReceiptState::Store(const std::string& keyPath,
                         const std::function<long(platform::RegKey)>& set) {
  // Before a device is opened there is no key to write to.
  if (params_.ParamsKeyPath().empty()) return;
  config::RegistryKey key(registry_);
  long code = key.Create(keyPath, RegAccess::kReadWrite);
  if (code == kErrorSuccess) code = set(key.Handle());
  if (code != kErrorSuccess && !storeFailure_) storeFailure_ = StoreFailure{code, keyPath};
}

std::optional<ReceiptState::StoreFailure> ReceiptState::StoreFailureToReport() {
  if (!storeFailure_ || storeFailureReported_) return std::nullopt;
  storeFailureReported_ = true;
  return storeFailure_;
}

void ReceiptState::SetPrinterState(int32_t state) {
  if (state == printerState_) return;
  printerState_ = state;
  WriteDword(kPrinterStateValue, uint32_t(state));
}

void ReceiptState::SetCancelReceipt(bool cancel) {
  if (cancel == cancelReceipt_) return;
  cancelReceipt_ = cancel;
  WriteDword(kCancelReceiptValue, cancel ? 1 : 0);
}

void ReceiptState::SetStrNumber(uint8_t number) {
  if (number == strNumber_) return;
  strNumber_ = number;
  WriteDword(kStrNumberValue, number);
}

void ReceiptState::SetRecPrinted(bool printed) {
  if (printed == recPrinted_) return;
  recPrinted_ = printed;
  WriteDword(kRecPrintedValue, printed ? 1 : 0);
}

void ReceiptState::SetSlpPrinted(bool printed) {
  if (printed == slpPrinted_) return;
  slpPrinted_ = printed;
  WriteDword(kSlpPrintedValue, printed ? 1 : 0);
}

void ReceiptState::SetReceiptEnding(Ending ending) {
  if (ending == ending_) return;
  ending_ = ending;
  WriteDword(kReceiptEndedValue, uint32_t(ending));
}

void ReceiptState::SetPaymentSum(int index, int64_t sum) {
  if (!ValidIndex(index) || sum == paymentSums_[size_t(index)]) return;
  paymentSums_[size_t(index)] = sum;
  Store(PaymentSumsKeyPath(), kPaymentSumValues[index], FormatInt64(sum));
}

void ReceiptState::SetReceiptSubtotal(int64_t subtotal) {
  if (receiptSubtotal_ == subtotal) return;
  receiptSubtotal_ = subtotal;
  Store(params_.ParamsKeyPath(), kReceiptSubtotalValue, FormatInt64(subtotal));
}

void ReceiptState::SetReceiptStarted(bool started) {
  if (started == receiptStarted_) return;
  receiptStarted_ = started;
  WriteDword(kReceiptStartedValue, started ? 1 : 0);
}

void ReceiptState::AddToReceipt(const device::FiscalDevice::ReceiptChange& change) {
  if (change.started) SetReceiptStarted(true);
  if (change.subtotal != 0 && receiptSubtotal_)
    SetReceiptSubtotal(*receiptSubtotal_ + change.subtotal);
}

void ReceiptState::SaveUnsettled(const std::string& record) {
  Store(params_.ParamsKeyPath(), kUnsettledValue, record);
}

std::string ReceiptState::LoadUnsettled() {
  std::string record;
  if (params_.ParamsKeyPath().empty()) return record;
  config::RegistryKey key(registry_);
  if (key.Open(params_.ParamsKeyPath(), RegAccess::kRead) != kErrorSuccess) return record;
  registry_.QueryString(key.Handle(), kUnsettledValue, record, kUnsettledCapacity);
  return record;
}

}  // namespace orn::receipt
