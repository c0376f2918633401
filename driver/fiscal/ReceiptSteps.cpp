// The register steps of the receipt methods: items, item and subtotal adjustments, on the
// receipt tape or on the slip.

#include <algorithm>

#include "fiscal/ReceiptArithmetic.h"
#include "service/FptrService.h"
#include "service/OposConstants.h"

namespace orn::service {

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
  NoteLastItem(fiscal::ItemAmount(quantity, price));
  saleInReceipt_ = true;
  return true;
}

void FptrService::NoteLastItem(int64_t amount) {
  lastItemAmount_ = lastItemLeft_ = amount;
  lastItemKnown_ = true;
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
  if (stationIsReceipt_) {
    if (!(discount ? device_.Discount(taxGroup) : device_.Surcharge(taxGroup))) return false;
  } else {
    device_.StrNumber = receipt_.StrNumber();
    if (!(discount ? device_.SlipDiscount(taxGroup) : device_.SlipSurcharge(taxGroup)))
      return false;
    // The adjustment takes its line of the slip: the next line must not overwrite it.
    receipt_.SetStrNumber(uint8_t(receipt_.StrNumber() + 1));
  }
  lastItemLeft_ += discount ? -amount : amount;
  return true;
}

bool FptrService::AdjustSubtotal(int32_t adjustmentType, const std::string& description,
                                 int64_t amount) {
  using device::FiscalDevice;
  if (!AdjustSubtotalByTax(
          adjustmentType, description, amount,
          IsDiscount(adjustmentType) ? &FiscalDevice::Discount : &FiscalDevice::Surcharge))
    return false;
  subtotalAdjustments_.push_back(pendingAdjustment_);
  return true;
}

bool FptrService::VoidSubtotalAdjustment(int32_t adjustmentType, int64_t amount) {
  using device::FiscalDevice;
  const FiscalDevice::TaxAdjustment storno =
      IsDiscount(adjustmentType) ? &FiscalDevice::StornoDiscount : &FiscalDevice::StornoSurcharge;
  const int voided = FindSubtotalAdjustment(adjustmentType, amount);
  if (voided < 0) {
    // A percentage of the subtotal as it is now is not what the adjustment took: without
    // the adjustment's own record its void cannot be made right.
    if (IsPercentage(adjustmentType))
      return Refuse("В чеке нет скидки или надбавки на чек с таким процентом: сторно невозможно.");
    // No description: no earlier text may be printed again.
    return AdjustSubtotalByTax(adjustmentType, std::string(), amount, storno);
  }
  // The parts the adjustment went out in, each given back in its own group.
  if (!retryStepFlags_[kTaxSplitDone]) {
    const SubtotalAdjustment& adjustment = subtotalAdjustments_[size_t(voided)];
    device_.TaxRemainder = adjustment.parts[0];
    std::copy(adjustment.parts + 1, adjustment.parts + 5, device_.TaxParts);
    device_.PendingText.clear();
    retryStepFlags_[kTaxSplitDone] = true;
  }
  if (!device_.SendTaxParts(storno)) return false;
  subtotalAdjustments_.erase(subtotalAdjustments_.begin() + voided);
  return true;
}

int FptrService::FindSubtotalAdjustment(int32_t adjustmentType, int64_t amount) const {
  for (int i = int(subtotalAdjustments_.size()) - 1; i >= 0; --i) {
    const SubtotalAdjustment& adjustment = subtotalAdjustments_[size_t(i)];
    if (adjustment.adjustmentType == adjustmentType && adjustment.amount == amount) return i;
  }
  return -1;
}

bool FptrService::AdjustSubtotalByTax(int32_t adjustmentType, const std::string& description,
                                      int64_t amount, device::FiscalDevice::TaxAdjustment adjust) {
  // The split is worked out once: after some parts went in, the register's turnover and
  // subtotal have moved, and a new split would register them again.
  if (!retryStepFlags_[kTaxSplitDone]) {
    pendingAdjustment_ = {adjustmentType, amount, {}};
    int64_t units = device_.ToRegisterUnits(amount);
    if (IsPercentage(adjustmentType)) {
      if (!ReadReceiptSubtotal()) return false;
      units = fiscal::PercentOf(device_.Amounts[0], amount);
    }
    if (units == 0) return true;
    if (!device_.SplitByTax(units)) return false;
    device_.PendingText = description;
    retryStepFlags_[kTaxSplitDone] = true;
    pendingAdjustment_.parts[0] = device_.TaxRemainder;
    std::copy(device_.TaxParts, device_.TaxParts + 4, pendingAdjustment_.parts + 1);
  }
  // The description is used up once printed; each part once registered.
  return device_.FlushText() && device_.SendTaxParts(adjust);
}

}  // namespace orn::service
