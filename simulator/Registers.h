#pragma once
// The register's money registers (read with GetCashRegister, 6 bytes) and operation
// registers (GetOperationRegister, 16 bits). t is the receipt type of the mode's high
// nibble (0 sale, 1 purchase, 2 sale refund, 3 purchase refund), g a tax group 1..4 and p a
// payment type 1..4 (1 = cash).
//
// Money registers:
// | Number            | Holds                                                          |
// |-------------------|----------------------------------------------------------------|
// | 0 + t             | items of the open receipt, stornos taken off                   |
// | 4 + t             | stornos of the open receipt                                    |
// | 64 + t            | discounts of the open receipt (their stornos taken off)        |
// | 68 + t            | surcharges of the open receipt (their stornos taken off)       |
// | 88 + 4(g-1) + t   | turnover of tax group g in the open receipt, adjustments in    |
// | 104 + 4(g-1) + t  | turnover of tax group g in the shift                           |
// | 121 + t           | items of the shift                                             |
// | 125 + t           | stornos of the shift                                           |
// | 185 + t           | discounts of the shift                                         |
// | 189 + t           | surcharges of the shift                                        |
// | 193 + 4(p-1) + t  | payments of type p in the shift (cash net of change)           |
// | 241               | cash in hand                                                   |
// | 242               | cash put in during the shift                                   |
// | 243               | cash taken out during the shift                                |
// | 245 + t           | receipt totals of the shift                                    |
// Registers 0..103 are cleared when a receipt ends, 104..243 but 241 and 245..248 by the
// Z report; cash in hand stays. All others read 0.
//
// Operation registers:
// | Number  | Counts                                |
// |---------|---------------------------------------|
// | 144 + t | receipts closed in the shift          |
// | 148 + t | receipts annulled in the shift        |
// | 152     | cash-in documents of the shift        |
// | 153     | cash-out documents of the shift       |
// | 154     | X reports of the shift                |
// All are cleared by the Z report.

#include <array>
#include <cstddef>
#include <cstdint>

namespace orn::simulator {

inline constexpr size_t kRegisterCount = 256;
using MoneyRegisters = std::array<int64_t, kRegisterCount>;
using OperationRegisters = std::array<uint16_t, kRegisterCount>;

namespace money {
constexpr uint8_t ReceiptItems(uint8_t t) {
  return uint8_t(0 + t);
}
constexpr uint8_t ReceiptStornos(uint8_t t) {
  return uint8_t(4 + t);
}
constexpr uint8_t ReceiptDiscounts(uint8_t t) {
  return uint8_t(64 + t);
}
constexpr uint8_t ReceiptSurcharges(uint8_t t) {
  return uint8_t(68 + t);
}
constexpr uint8_t ReceiptTaxTurnover(uint8_t g, uint8_t t) {
  return uint8_t(88 + 4 * (g - 1) + t);
}
constexpr uint8_t ShiftTaxTurnover(uint8_t g, uint8_t t) {
  return uint8_t(104 + 4 * (g - 1) + t);
}
constexpr uint8_t ShiftItems(uint8_t t) {
  return uint8_t(121 + t);
}
constexpr uint8_t ShiftStornos(uint8_t t) {
  return uint8_t(125 + t);
}
constexpr uint8_t ShiftDiscounts(uint8_t t) {
  return uint8_t(185 + t);
}
constexpr uint8_t ShiftSurcharges(uint8_t t) {
  return uint8_t(189 + t);
}
constexpr uint8_t ShiftPayments(uint8_t p, uint8_t t) {
  return uint8_t(193 + 4 * (p - 1) + t);
}
inline constexpr uint8_t kCashInHand = 241;
inline constexpr uint8_t kShiftCashIn = 242;
inline constexpr uint8_t kShiftCashOut = 243;
constexpr uint8_t ShiftTotals(uint8_t t) {
  return uint8_t(245 + t);
}
inline constexpr uint8_t kLastReceiptRegister = 103;
}  // namespace money

namespace operations {
constexpr uint8_t ClosedReceipts(uint8_t t) {
  return uint8_t(144 + t);
}
constexpr uint8_t AnnulledReceipts(uint8_t t) {
  return uint8_t(148 + t);
}
inline constexpr uint8_t kCashIns = 152;
inline constexpr uint8_t kCashOuts = 153;
inline constexpr uint8_t kXReports = 154;
}  // namespace operations

// The open receipt's registers back to 0.
void ClearReceiptRegisters(MoneyRegisters& money);
// The shift's registers back to 0 (Z report); cash in hand stays.
void ClearShiftRegisters(MoneyRegisters& money, OperationRegisters& operations);

// The subtotal of an open receipt of type t: items less discounts plus surcharges.
int64_t ReceiptSubtotal(const MoneyRegisters& money, uint8_t t);

}  // namespace orn::simulator
