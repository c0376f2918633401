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

void AddReceipt(const DocumentPlan& plan, RegisterSums& sums) {
  simulator::MoneyRegisters& m = sums.money;
  const uint8_t t = ReceiptType(plan);
  for (const PlannedItem& item : plan.items) {
    m[money::ShiftItems(t)] += item.Amount();
    if (item.voided) {
      m[money::ShiftItems(t)] -= item.Amount();
      m[money::ShiftStornos(t)] += item.Amount();
    }
    if (item.adjustmentType == service::FPTR_AT_AMOUNT_DISCOUNT)
      m[money::ShiftDiscounts(t)] += item.adjustment;
    if (item.adjustmentType == service::FPTR_AT_AMOUNT_SURCHARGE)
      m[money::ShiftSurcharges(t)] += item.adjustment;
  }
  if (plan.subtotalAdjustmentType == service::FPTR_AT_AMOUNT_DISCOUNT)
    m[money::ShiftDiscounts(t)] += plan.subtotalAdjustment;
  if (plan.subtotalAdjustmentType == service::FPTR_AT_AMOUNT_SURCHARGE)
    m[money::ShiftSurcharges(t)] += plan.subtotalAdjustment;
  const int64_t cash = plan.cash - plan.Change();
  m[money::ShiftPayments(kCashPayment, t)] += cash;
  m[money::ShiftPayments(kCardPayment, t)] += plan.card;
  m[money::ShiftTotals(t)] += plan.Total();
  m[money::kCashInHand] += t == 0 ? cash : -cash;
  ++sums.operations[operations::ClosedReceipts(t)];
}

void AddCashDocument(const DocumentPlan& plan, RegisterSums& sums) {
  const bool in = plan.kind == DocumentKind::kCashIn;
  sums.money[in ? money::kShiftCashIn : money::kShiftCashOut] += plan.cashAmount;
  sums.money[money::kCashInHand] += in ? plan.cashAmount : -plan.cashAmount;
  ++sums.operations[in ? operations::kCashIns : operations::kCashOuts];
}

}  // namespace

RegisterSums RegisterSums::Of(simulator::RegisterSimulator& sim) {
  return {sim.State().money, sim.State().operations};
}

RegisterSums RegisterSums::Since(const RegisterSums& before) const {
  RegisterSums moved;
  for (size_t i = 0; i < money.size(); ++i) {
    moved.money[i] = money[i] - before.money[i];
    moved.operations[i] = uint16_t(operations[i] - before.operations[i]);
  }
  return moved;
}

std::vector<Discrepancy> Differences(const RegisterSums& registered, const RegisterSums& expected) {
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
  std::vector<Discrepancy> found;
  for (uint8_t number : moneyRegisters) {
    if (registered.money[number] != expected.money[number])
      found.push_back(
          {"money " + std::to_string(number), registered.money[number], expected.money[number]});
  }
  for (uint8_t number : operationRegisters) {
    if (registered.operations[number] != expected.operations[number])
      found.push_back({"operations " + std::to_string(number), registered.operations[number],
                       expected.operations[number]});
  }
  return found;
}

RegisterSums Ledger::Expected(const DocumentPlan& plan) {
  RegisterSums sums;
  if (plan.IsReceipt() && !plan.voided) AddReceipt(plan, sums);
  if (plan.kind == DocumentKind::kCashIn || plan.kind == DocumentKind::kCashOut)
    AddCashDocument(plan, sums);
  return sums;
}

void Ledger::AddDone(const DocumentPlan& plan) {
  AddRecorded(Expected(plan), true);
}

void Ledger::AddRecorded(const RegisterSums& recorded, bool done) {
  if (done) ++shiftDocuments_;
  Add(recorded);
}

void Ledger::Add(const RegisterSums& sums) {
  for (size_t i = 0; i < sums.money.size(); ++i) {
    book_.money[i] += sums.money[i];
    book_.operations[i] = uint16_t(book_.operations[i] + sums.operations[i]);
  }
}

void Ledger::NewShift() {
  simulator::ClearShiftRegisters(book_.money, book_.operations);
  shiftDocuments_ = 0;
}

}  // namespace orn::soak
