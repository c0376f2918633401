// Spreading a receipt adjustment over the tax groups in proportion to what each group
// took in the open receipt.

#include "device/Arithmetic.h"
#include "device/FiscalDevice.h"

namespace orn::device {

// The parts of `amount` follow what each tax group holds of the open receipt:
//   w_g = max(T_g, 0) for the groups g = 1..4, T_g being the group's turnover in the receipt,
//   w_0 = max(S - (T_1 + T_2 + T_3 + T_4), 0), the part without a group, S the subtotal,
//   W   = w_0 + w_1 + w_2 + w_3 + w_4, and W >= S > 0;
//   P_g = trunc(w_g * amount / W) for g = 1..4, and P_0 = amount - (P_1 + ... + P_4).
// The parts add up to the amount. While the groups hold no more than the subtotal, W = S and
// each group gets its share of the subtotal. An item adjustment sent without a tax group
// moves the subtotal but not the groups' turnovers, which then hold more than the subtotal:
// W > S, every part shrinks in proportion, and a discount of at most the subtotal still takes
// no group below zero, since P_g <= T_g * amount / S <= T_g. P_0 takes what the truncation
// left over (less than one unit a group) besides its own share.
std::optional<TaxParts> FiscalDevice::SplitByTax(int64_t amount) {
  const std::optional<int64_t> subtotal = Subtotal();
  if (!subtotal) return std::nullopt;
  // Nothing to spread over: the adjustment cannot be made, and the caller must hear so.
  if (*subtotal <= 0) {
    SetIllegal();
    return std::nullopt;
  }
  if (!GetStatus()) return std::nullopt;
  const int receiptType = mode::Detail(ModeByte());
  int64_t weight[4];
  int64_t taxed = 0;
  for (int group = 0; group < 4; ++group) {
    if (!GetCashRegister(uint8_t(kTaxTurnoverRegister + 4 * group + receiptType)))
      return std::nullopt;
    taxed += cashRegister_;
    weight[group] = cashRegister_ > 0 ? cashRegister_ : 0;
  }
  int64_t whole = *subtotal > taxed ? *subtotal - taxed : 0;
  for (int64_t groupWeight : weight) whole += groupWeight;
  TaxParts parts;
  parts.part[0] = amount;
  for (int group = 1; group <= 4; ++group) {
    parts.part[group] = MulDiv(weight[group - 1], amount, whole);
    parts.part[0] -= parts.part[group];
  }
  return parts;
}

bool FiscalDevice::AdjustByTax(int64_t amount, std::string_view text, TaxAdjustment adjust) {
  if (amount == 0) return true;
  std::optional<TaxParts> parts = SplitByTax(amount);
  if (!parts) return false;
  if (!text.empty() && !PrintString(kStationReceipt, text)) return false;
  return SendTaxParts(*parts, adjust);
}

bool FiscalDevice::SendTaxParts(TaxParts& parts, TaxAdjustment adjust) {
  // Group 0 is the part without a tax group.
  for (uint8_t group = 0; group < 5; ++group) {
    if (parts.part[group] == 0) continue;
    if (!(this->*adjust)(parts.part[group], {}, group)) return false;
    parts.part[group] = 0;
  }
  return true;
}

bool FiscalDevice::DiscountByTax(int64_t amount, std::string_view text) {
  return AdjustByTax(amount, text, &FiscalDevice::Discount);
}
bool FiscalDevice::SurchargeByTax(int64_t amount, std::string_view text) {
  return AdjustByTax(amount, text, &FiscalDevice::Surcharge);
}
bool FiscalDevice::StornoDiscountByTax(int64_t amount, std::string_view text) {
  return AdjustByTax(amount, text, &FiscalDevice::StornoDiscount);
}
bool FiscalDevice::StornoSurchargeByTax(int64_t amount, std::string_view text) {
  return AdjustByTax(amount, text, &FiscalDevice::StornoSurcharge);
}

}  // namespace orn::device
