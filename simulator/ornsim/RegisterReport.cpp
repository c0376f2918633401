#include "simulator/ornsim/RegisterReport.h"

#include <cstdio>
#include <string>

#include "simulator/Registers.h"

namespace orn::simulator {

namespace {

constexpr const char* kReceiptTypes[] = {"sale", "purchase", "sale refund", "purchase refund"};

// What money register `number` holds, worked out from the same numbering the commands use.
std::string MoneyRegisterName(uint8_t number) {
  for (uint8_t t = 0; t < 4; ++t) {
    const std::string type = kReceiptTypes[t];
    if (number == money::ReceiptItems(t)) return "receipt items, " + type;
    if (number == money::ReceiptStornos(t)) return "receipt stornos, " + type;
    if (number == money::ReceiptDiscounts(t)) return "receipt discounts, " + type;
    if (number == money::ReceiptSurcharges(t)) return "receipt surcharges, " + type;
    if (number == money::ShiftItems(t)) return "shift items, " + type;
    if (number == money::ShiftStornos(t)) return "shift stornos, " + type;
    if (number == money::ShiftDiscounts(t)) return "shift discounts, " + type;
    if (number == money::ShiftSurcharges(t)) return "shift surcharges, " + type;
    if (number == money::ShiftTotals(t)) return "shift receipt totals, " + type;
    for (uint8_t g = 1; g <= 4; ++g) {
      if (number == money::ReceiptTaxTurnover(g, t))
        return "receipt tax group " + std::to_string(g) + ", " + type;
      if (number == money::ShiftTaxTurnover(g, t))
        return "shift tax group " + std::to_string(g) + ", " + type;
    }
    for (uint8_t p = 1; p <= 4; ++p)
      if (number == money::ShiftPayments(p, t))
        return "shift payments of type " + std::to_string(p) + ", " + type;
  }
  if (number == money::kCashInHand) return "cash in hand";
  if (number == money::kShiftCashIn) return "shift cash in";
  if (number == money::kShiftCashOut) return "shift cash out";
  return "unused";
}

std::string OperationRegisterName(uint8_t number) {
  for (uint8_t t = 0; t < 4; ++t) {
    if (number == operations::ClosedReceipts(t))
      return std::string("receipts closed, ") + kReceiptTypes[t];
    if (number == operations::AnnulledReceipts(t))
      return std::string("receipts annulled, ") + kReceiptTypes[t];
  }
  if (number == operations::kCashIns) return "cash-in documents";
  if (number == operations::kCashOuts) return "cash-out documents";
  if (number == operations::kXReports) return "X reports";
  return "unused";
}

}  // namespace

void ShowRegisters(RegisterSimulator& simulator) {
  for (size_t number = 0; number < kRegisterCount; ++number) {
    if (const int64_t value = simulator.MoneyRegister(uint8_t(number)))
      std::printf("money %zu (%s): %lld\n", number, MoneyRegisterName(uint8_t(number)).c_str(),
                  (long long)value);
  }
  for (size_t number = 0; number < kRegisterCount; ++number) {
    if (const uint16_t value = simulator.OperationRegister(uint8_t(number)))
      std::printf("operations %zu (%s): %u\n", number,
                  OperationRegisterName(uint8_t(number)).c_str(), unsigned(value));
  }
  std::fflush(stdout);
}

}  // namespace orn::simulator
