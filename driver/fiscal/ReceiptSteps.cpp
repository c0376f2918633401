// The register steps of the receipt methods: items, item and subtotal adjustments, on the
// receipt tape or on the slip.

#include "fiscal/ReceiptArithmetic.h"
#include "service/FptrService.h"
#include "service/OposConstants.h"

namespace orn::service {

namespace {

bool IsDiscount(int32_t adjustmentType) {
  return adjustmentType == FPTR_AT_AMOUNT_DISCOUNT || adjustmentType == FPTR_AT_PERCENTAGE_DISCOUNT;
}

}  // namespace

bool FptrService::SellItem(const std::string& description, int64_t quantity, int64_t price,
                           int32_t vatInfo) {
  device_.PendingText = description;
  device_.Quantity = quantity;
  device_.Price = price;
  const uint8_t taxGroup = uint8_t(vatInfo);
  if (stationIsReceipt_) {
    if (!device_.Sale(taxGroup)) return false;
  } else {
    device_.StrNumber = receipt_.StrNumber();
    if (!device_.SlipOperation(taxGroup)) return false;
    receipt_.SetStrNumber(uint8_t(receipt_.StrNumber() + slipOpLines_));
  }
  lastItemAmount_ = fiscal::ItemAmount(quantity, price);
  lastItemKnown_ = true;
  saleInReceipt_ = true;
  return true;
}

bool FptrService::RegisterItem(bool (device::FiscalDevice::*command)(uint8_t),
                               const std::string& text, int64_t quantity, int64_t price,
                               int32_t vatInfo) {
  device_.PendingText = text;
  device_.Quantity = quantity;
  device_.Price = price;
  return (device_.*command)(uint8_t(vatInfo));
}

bool FptrService::AdjustItem(int32_t adjustmentType, const std::string& description, int64_t amount,
                             int32_t vatInfo) {
  device_.PendingText = description;
  device_.Amounts[0] = amount;
  const uint8_t taxGroup = uint8_t(vatInfo);
  const bool discount = IsDiscount(adjustmentType);
  if (stationIsReceipt_) return discount ? device_.Discount(taxGroup) : device_.Surcharge(taxGroup);
  device_.StrNumber = receipt_.StrNumber();
  if (!(discount ? device_.SlipDiscount(taxGroup) : device_.SlipSurcharge(taxGroup))) return false;
  // The adjustment takes its line of the slip: the next line must not overwrite it.
  receipt_.SetStrNumber(uint8_t(receipt_.StrNumber() + 1));
  return true;
}

bool FptrService::AdjustSubtotal(int32_t adjustmentType, const std::string& description,
                                 int64_t amount) {
  using device::FiscalDevice;
  return AdjustSubtotalByTax(
      adjustmentType, description, amount,
      IsDiscount(adjustmentType) ? &FiscalDevice::Discount : &FiscalDevice::Surcharge);
}

bool FptrService::VoidSubtotalAdjustment(int32_t adjustmentType, int64_t amount) {
  using device::FiscalDevice;
  // No description: no earlier text may be printed again.
  return AdjustSubtotalByTax(
      adjustmentType, std::string(), amount,
      IsDiscount(adjustmentType) ? &FiscalDevice::StornoDiscount : &FiscalDevice::StornoSurcharge);
}

bool FptrService::AdjustSubtotalByTax(int32_t adjustmentType, const std::string& description,
                                      int64_t amount, device::FiscalDevice::TaxAdjustment adjust) {
  // The split is worked out once: after some parts went in, the register's turnover and
  // subtotal have moved, and a new split would register them again.
  if (!retryStepFlags_[kTaxSplitDone]) {
    int64_t units = device_.ToRegisterUnits(amount);
    if (adjustmentType == FPTR_AT_PERCENTAGE_DISCOUNT ||
        adjustmentType == FPTR_AT_PERCENTAGE_SURCHARGE) {
      if (!ReadReceiptSubtotal()) return false;
      units = fiscal::PercentOf(device_.Amounts[0], amount);
    }
    if (units == 0) return true;
    if (!device_.SplitByTax(units)) return false;
    device_.PendingText = description;
    retryStepFlags_[kTaxSplitDone] = true;
  }
  // The description is used up once printed; each part once registered.
  return device_.FlushText() && device_.SendTaxParts(adjust);
}

}  // namespace orn::service
