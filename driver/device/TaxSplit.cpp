// Spreading a receipt adjustment over the tax groups in proportion to what each group
// took in the open receipt.

#include "config/DriverLog.h"
#include "device/Arithmetic.h"
#include "device/FiscalDevice.h"
#include "device/ResultCodes.h"

namespace orn::device {

bool FiscalDevice::SplitByTax(int64_t amount) {
  if (!Subtotal()) return false;
  const int64_t subtotal = Amounts[0];
  // Nothing to spread over: the adjustment cannot be made, and the caller must hear so.
  if (subtotal == 0) {
    SetIllegal();
    return false;
  }
  if (!GetStatus()) return false;
  const int receiptType = mode::Detail(ModeByte());
  int64_t turnover[4];
  for (int group = 0; group < 4; ++group) {
    if (!GetCashRegister(uint8_t(kTaxTurnoverRegister + 4 * group + receiptType))) return false;
    turnover[group] = cashRegister_;
    // A group that took more than the whole receipt: the register's sums do not add up,
    // and parts worked out from them would be nonsense (or overflow).
    if (turnover[group] > subtotal || turnover[group] < -subtotal) {
      errors_.Set(OPOS_E_FAILURE, 0);
      errors_.SetErrorString("Оборот налоговой группы больше подытога чека");
      log_.LogError(errors_.ErrorString().c_str());
      return false;
    }
  }
  TaxRemainder = amount;
  for (int group = 0; group < 4; ++group) {
    TaxParts[group] = turnover[group] != 0 ? MulDiv(turnover[group], amount, subtotal) : 0;
    TaxRemainder -= TaxParts[group];
  }
  return true;
}

bool FiscalDevice::AdjustByTax(int64_t amount, TaxAdjustment adjust) {
  if (amount == 0) return true;
  return SplitByTax(amount) && FlushText() && SendTaxParts(adjust);
}

bool FiscalDevice::SendTaxParts(TaxAdjustment adjust) {
  // Group 0 is the part without a tax group. A part sent is set to 0, so that a call
  // repeated after a failure sends only the parts not yet registered.
  int64_t* parts[5] = {&TaxRemainder, &TaxParts[0], &TaxParts[1], &TaxParts[2], &TaxParts[3]};
  for (uint8_t group = 0; group < 5; ++group) {
    if (*parts[group] == 0) continue;
    Amounts[0] = *parts[group];
    if (!(this->*adjust)(group)) return false;
    *parts[group] = 0;
  }
  return true;
}

bool FiscalDevice::DiscountByTax(int64_t amount) {
  return AdjustByTax(amount, &FiscalDevice::Discount);
}
bool FiscalDevice::SurchargeByTax(int64_t amount) {
  return AdjustByTax(amount, &FiscalDevice::Surcharge);
}
bool FiscalDevice::StornoDiscountByTax(int64_t amount) {
  return AdjustByTax(amount, &FiscalDevice::StornoDiscount);
}
bool FiscalDevice::StornoSurchargeByTax(int64_t amount) {
  return AdjustByTax(amount, &FiscalDevice::StornoSurcharge);
}

}  // namespace orn::device
