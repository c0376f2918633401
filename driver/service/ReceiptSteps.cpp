// The register steps of the receipt methods: items, item and subtotal adjustments, on the
// receipt tape or on the slip.

#include <algorithm>

#include "receipt/ReceiptArithmetic.h"
#include "service/FptrService.h"
#include "service/OposConstants.h"

namespace orn::service {

bool FptrService::SellItem(const device::ItemLine& item, int32_t vatInfo) {
  const uint8_t taxGroup = uint8_t(vatInfo);
  if (stationIsReceipt_) {
    if (!device_.Sale(item, taxGroup)) return false;
  } else {
    if (!device_.SlipOperation(receipt_.SlipLine(), item, taxGroup)) return false;
    receipt_.SetSlipLine(uint8_t(receipt_.SlipLine() + slipOpLines_));
  }
  NoteLastItem(receipt::ItemAmount(item.quantity, item.price));
  saleInReceipt_ = true;
  return true;
}

void FptrService::NoteLastItem(int64_t amount) {
  lastItemAmount_ = lastItemLeft_ = amount;
  lastItemKnown_ = true;
}

bool FptrService::AdjustItem(int32_t adjustmentType, const std::string& description, int64_t amount,
                             int32_t vatInfo) {
  const uint8_t taxGroup = uint8_t(vatInfo);
  const bool discount = IsDiscount(adjustmentType);
  if (stationIsReceipt_) {
    if (!(discount ? device_.Discount(amount, description, taxGroup)
                   : device_.Surcharge(amount, description, taxGroup)))
      return false;
  } else {
    const uint8_t line = receipt_.SlipLine();
    if (!(discount ? device_.SlipDiscount(line, amount, description, taxGroup)
                   : device_.SlipSurcharge(line, amount, description, taxGroup)))
      return false;
    // The adjustment takes its line of the slip: the next line must not overwrite it.
    receipt_.SetSlipLine(uint8_t(receipt_.SlipLine() + 1));
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
  if (!retrySteps_[kTaxSplitDone]) {
    retrySteps_.taxPartsLeft = subtotalAdjustments_[size_t(voided)].parts;
    retrySteps_[kTaxSplitDone] = true;
  }
  if (!device_.SendTaxParts(retrySteps_.taxPartsLeft, storno)) return false;
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
  if (!retrySteps_[kTaxSplitDone]) {
    pendingAdjustment_ = {adjustmentType, amount, {}};
    int64_t units = device_.ToRegisterUnits(amount);
    if (IsPercentage(adjustmentType)) {
      const std::optional<int64_t> subtotal = ReadReceiptSubtotal();
      if (!subtotal) return false;
      units = receipt::PercentOf(*subtotal, amount);
    }
    if (units == 0) return true;
    const std::optional<device::TaxParts> parts = device_.SplitByTax(units);
    if (!parts) return false;
    retrySteps_[kTaxSplitDone] = true;
    pendingAdjustment_.parts = retrySteps_.taxPartsLeft = *parts;
  }
  // The description is printed once, on a line of its own; each part is registered once.
  if (!retrySteps_[kDescriptionPrinted]) {
    if (!description.empty() && !device_.PrintString(device::kStationReceipt, description))
      return false;
    retrySteps_[kDescriptionPrinted] = true;
  }
  return device_.SendTaxParts(retrySteps_.taxPartsLeft, adjust);
}

}  // namespace orn::service
