#include "simulator/Registers.h"

namespace orn::simulator {

void ClearReceiptRegisters(MoneyRegisters& money) {
  for (size_t i = 0; i <= money::kLastReceiptRegister; ++i) money[i] = 0;
}

void ClearShiftRegisters(MoneyRegisters& money, OperationRegisters& operations) {
  for (size_t i = money::kLastReceiptRegister + 1; i < kRegisterCount; ++i) {
    if (i != money::kCashInHand) money[i] = 0;
  }
  operations.fill(0);
}

int64_t ReceiptSubtotal(const MoneyRegisters& money, uint8_t t) {
  return money[money::ReceiptItems(t)] - money[money::ReceiptDiscounts(t)] +
         money[money::ReceiptSurcharges(t)];
}

}  // namespace orn::simulator
