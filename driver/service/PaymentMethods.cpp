// Payments of the fiscal receipt. They are collected in the driver (and in the registry, so
// that a restart keeps them) and reach the register together when the receipt is closed.

#include "device/ResultCodes.h"
#include "receipt/ReceiptArithmetic.h"
#include "service/FptrService.h"
#include "service/OposConstants.h"

namespace orn::service {

namespace {
constexpr int kCash = 0;
constexpr char kReceiptReplacedText[] =
    "Чек аннулирован: подытог чека в ФР не совпадает с переданными позициями (ФР сбрасывался)";
}  // namespace

int32_t FptrService::PrintRecTotal(int64_t total, int64_t payment,
                                   std::u16string_view description) {
  return Call(
      Method::kPrintRecTotal,
      {Money("Total", total), Money("Payment", payment), Text("Description", description)}, [&] {
        if (!CheckState({FPTR_PS_FISCAL_RECEIPT, FPTR_PS_FISCAL_RECEIPT_TOTAL}) ||
            !CheckAmount(total) || !CheckAmount(payment))
          return;
        const bool cashReceipt =
            fiscalReceiptType_ == FPTR_RT_CASH_IN || fiscalReceiptType_ == FPTR_RT_CASH_OUT;
        if (stationIsReceipt_ && cashReceipt) {
          if (!PrintPreLine() || !PrintPostLine()) return;
          retrySteps_ = {};
          const int64_t paid = receipt_.PaymentSum(kCash) + device_.ToRegisterUnits(payment);
          if (paid > receipt::kMaxRegisterAmount) {
            device_.SetExtendedError(device::OPOS_EFPTR_BAD_ITEM_AMOUNT);
            return;
          }
          receipt_.SetPaymentSum(kCash, paid);
          if (paid >= cashAmount_) receipt_.SetPrinterState(FPTR_PS_FISCAL_RECEIPT_ENDING);
          return;
        }
        if (stationIsReceipt_ && fiscalReceiptType_ != FPTR_RT_SALES) {
          device_.SetIllegal();
          return;
        }
        // Registered once: a call repeated after a failed pre-line or post-line does not
        // pay again.
        if (!retrySteps_[kMainStepDone]) {
          if (!CheckTotalAgainstRegister(total)) return;
          if (!RegisterPayment(FindPayType(FromApp(description)), payment)) return;
          if (!stationIsReceipt_) paymentTarget_ = device_.ToRegisterUnits(total);
          retrySteps_[kMainStepDone] = true;
        }
        if (!PrintPreLine() || !PrintPostLine()) return;
        retrySteps_ = {};
        receipt_.SetPrinterState(PaymentTotal() >= paymentTarget_ ? FPTR_PS_FISCAL_RECEIPT_ENDING
                                                                  : FPTR_PS_FISCAL_RECEIPT_TOTAL);
      });
}

int32_t FptrService::PrintRecCash(int64_t amount) {
  return Call(Method::kPrintRecCash, {Money("Amount", amount)}, [&] {
    if (!CheckState({FPTR_PS_FISCAL_RECEIPT}) || !CheckAmount(amount)) return;
    if (fiscalReceiptType_ != FPTR_RT_CASH_IN && fiscalReceiptType_ != FPTR_RT_CASH_OUT) {
      device_.SetIllegal();
      return;
    }
    const int64_t sum = cashAmount_ + device_.ToRegisterUnits(amount);
    if (sum > receipt::kMaxRegisterAmount) {
      device_.SetExtendedError(device::OPOS_EFPTR_BAD_ITEM_AMOUNT);
      return;
    }
    cashAmount_ = sum;
  });
}

std::optional<int64_t> FptrService::ReadReceiptSubtotal() {
  const std::optional<int64_t> registered = device_.Subtotal();
  if (!registered || !stationIsReceipt_) return registered;
  receipt_.AddToReceipt(device_.TakeReceiptChange());
  const std::optional<int64_t> built = receipt_.ReceiptSubtotal();
  if (!built || *built == *registered || !device_.ExactlyOnce()) return registered;
  log_.LogDetailF("Подытог чека в ФР %lld, по переданным драйверу позициям %lld",
                  static_cast<long long>(*registered), static_cast<long long>(*built));
  CancelOpenReceipt();
  log_.LogDetail(kReceiptReplacedText);
  ReceiptLost(kReceiptReplacedText);
  return std::nullopt;
}

bool FptrService::CheckTotalAgainstRegister(int64_t total) {
  if (!checkTotal_ || !stationIsReceipt_) return true;
  const std::optional<int64_t> subtotal = ReadReceiptSubtotal();
  if (!subtotal) return false;
  if (device_.ToRegisterUnits(total) == *subtotal) return true;
  if (CancelOpenReceipt()) receipt_.SetReceiptEnding(receipt::ReceiptState::Ending::kAnnulled);
  device_.SetExtendedError(device::OPOS_EFPTR_BAD_ITEM_AMOUNT);
  receipt_.SetPrinterState(FPTR_PS_FISCAL_RECEIPT_ENDING);
  return false;
}

bool FptrService::RegisterPayment(int payType, int64_t payment) {
  const int64_t amount = device_.ToRegisterUnits(payment);
  if (payType < 0) {
    log_.LogDetail("Неверное значение параметра Description.");
    log_.LogDetail("Не найден соответствующий тип оплаты.");
    device_.SetIllegal();
    return false;
  }
  if (stationIsReceipt_) {
    // Without the subtotal the limit cannot be checked: the payment is not added, so a
    // repeated call adds it once.
    const std::optional<int64_t> subtotal = ReadReceiptSubtotal();
    if (!subtotal) return false;
    paymentTarget_ = *subtotal;
    const int64_t nonCash = PaymentTotal() - receipt_.PaymentSum(kCash);
    if (payType != kCash && nonCash + amount > paymentTarget_)
      return Refuse("Вносимая безналичной оплатой сумма больше суммы чека.");
  }
  const int64_t sum = receipt_.PaymentSum(payType) + amount;
  if (sum > receipt::kMaxRegisterAmount) {
    device_.SetExtendedError(device::OPOS_EFPTR_BAD_ITEM_AMOUNT);
    return false;
  }
  receipt_.SetPaymentSum(payType, sum);
  return true;
}

device::Payments FptrService::PaymentSums() const {
  device::Payments sums{};
  for (int i = 0; i < receipt::kPaymentTypeCount; ++i) sums[size_t(i)] = receipt_.PaymentSum(i);
  return sums;
}

int64_t FptrService::PaymentTotal() const {
  int64_t total = 0;
  for (int i = 0; i < receipt::kPaymentTypeCount; ++i) total += receipt_.PaymentSum(i);
  return total;
}

}  // namespace orn::service
