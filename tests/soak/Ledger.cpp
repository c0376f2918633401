#include "soak/Ledger.h"

#include "service/OposConstants.h"

namespace orn::soak {

namespace money = simulator::money;
namespace operations = simulator::operations;

namespace {

// Sale receipts are of register type 0, refunds of type 2 (sale refund).
uint8_t ReceiptType(const DocumentPlan& plan) {
  return plan.kind == DocumentKind::kRefund ? 2 : 0;
}

// Register payment types: cash 1, the card 4.
constexpr uint8_t kCashPayment = 1;
constexpr uint8_t kCardPayment = 4;

}  // namespace

void Ledger::AddClosedReceipt(const DocumentPlan& plan) {
  ++shiftDocuments_;
  if (plan.voided) return;
  const uint8_t t = ReceiptType(plan);
  for (const PlannedItem& item : plan.items) {
    money_[money::ShiftItems(t)] += item.Amount();
    if (item.voided) {
      money_[money::ShiftItems(t)] -= item.Amount();
      money_[money::ShiftStornos(t)] += item.Amount();
    }
    if (item.adjustmentType == service::FPTR_AT_AMOUNT_DISCOUNT)
      money_[money::ShiftDiscounts(t)] += item.adjustment;
    if (item.adjustmentType == service::FPTR_AT_AMOUNT_SURCHARGE)
      money_[money::ShiftSurcharges(t)] += item.adjustment;
  }
  if (plan.subtotalAdjustmentType == service::FPTR_AT_AMOUNT_DISCOUNT)
    money_[money::ShiftDiscounts(t)] += plan.subtotalAdjustment;
  if (plan.subtotalAdjustmentType == service::FPTR_AT_AMOUNT_SURCHARGE)
    money_[money::ShiftSurcharges(t)] += plan.subtotalAdjustment;
  const int64_t cash = plan.cash - plan.Change();
  money_[money::ShiftPayments(kCashPayment, t)] += cash;
  money_[money::ShiftPayments(kCardPayment, t)] += plan.card;
  money_[money::ShiftTotals(t)] += plan.Total();
  money_[money::kCashInHand] += t == 0 ? cash : -cash;
  ++operations_[operations::ClosedReceipts(t)];
}

void Ledger::AddCashDocument(const DocumentPlan& plan) {
  ++shiftDocuments_;
  const bool in = plan.kind == DocumentKind::kCashIn;
  money_[in ? money::kShiftCashIn : money::kShiftCashOut] += plan.cashAmount;
  money_[money::kCashInHand] += in ? plan.cashAmount : -plan.cashAmount;
  ++operations_[in ? operations::kCashIns : operations::kCashOuts];
}

void Ledger::NewShift() {
  simulator::ClearShiftRegisters(money_, operations_);
  shiftDocuments_ = 0;
}

std::vector<Discrepancy> Ledger::Compare(simulator::RegisterSimulator& sim) const {
  std::vector<Discrepancy> found;
  // Every shift register of sales and refunds, the cash documents and the drawer; X
  // reports and annulled receipts are not the book's business.
  std::vector<uint8_t> moneyRegisters = {money::kCashInHand, money::kShiftCashIn,
                                         money::kShiftCashOut};
  std::vector<uint8_t> operationRegisters = {operations::kCashIns, operations::kCashOuts};
  for (uint8_t t = 0; t < 4; ++t) {
    for (uint8_t number : {money::ShiftItems(t), money::ShiftStornos(t), money::ShiftDiscounts(t),
                           money::ShiftSurcharges(t), money::ShiftTotals(t)})
      moneyRegisters.push_back(number);
    for (uint8_t p = 1; p <= 4; ++p) moneyRegisters.push_back(money::ShiftPayments(p, t));
    operationRegisters.push_back(operations::ClosedReceipts(t));
  }
  for (uint8_t number : moneyRegisters) {
    if (sim.MoneyRegister(number) != money_[number])
      found.push_back(
          {"money " + std::to_string(number), sim.MoneyRegister(number), money_[number]});
  }
  for (uint8_t number : operationRegisters) {
    if (sim.OperationRegister(number) != operations_[number])
      found.push_back({"operations " + std::to_string(number), sim.OperationRegister(number),
                       operations_[number]});
  }
  return found;
}

}  // namespace orn::soak
