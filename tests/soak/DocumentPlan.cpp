#include "soak/DocumentPlan.h"

#include <algorithm>

#include "service/OposConstants.h"

namespace orn::soak {

namespace {

// Cash documents carry amounts no other cash document of the run has: a base and the
// document's number in kopecks.
constexpr int64_t kCashInBase = 500000;
constexpr int64_t kCashOutBase = 100000;
// The first document fills the drawer for the refunds and cash-outs to come.
constexpr int64_t kOpeningCash = 100000000;

std::string Label(int number, char kind, int index) {
  return "R" + std::to_string(number) + " " + kind + std::to_string(index);
}

}  // namespace

int64_t DocumentPlan::Subtotal() const {
  int64_t total = 0;
  for (const PlannedItem& item : items) {
    if (!item.voided) total += item.Amount();
    if (item.adjustmentType == service::FPTR_AT_AMOUNT_DISCOUNT) total -= item.adjustment;
    if (item.adjustmentType == service::FPTR_AT_AMOUNT_SURCHARGE) total += item.adjustment;
  }
  return total;
}

int64_t DocumentPlan::Total() const {
  int64_t total = Subtotal();
  if (subtotalAdjustmentType == service::FPTR_AT_AMOUNT_DISCOUNT) total -= subtotalAdjustment;
  if (subtotalAdjustmentType == service::FPTR_AT_AMOUNT_SURCHARGE) total += subtotalAdjustment;
  return total;
}

DocumentPlan DocumentPlanner::Next(int64_t cashInHand, bool shiftHasDocuments) {
  DocumentPlan plan;
  plan.number = ++number_;
  if (plan.number == 1) {
    plan.kind = DocumentKind::kCashIn;
    plan.cashAmount = kOpeningCash + plan.number;
    return plan;
  }
  const int draw = Draw(1, 1000);
  if (draw <= 20 && shiftHasDocuments) {
    plan.kind = DocumentKind::kZReport;
  } else if (draw <= 40) {
    plan.kind = DocumentKind::kXReport;
  } else if (draw <= 70) {
    plan.kind = DocumentKind::kCashIn;
    plan.cashAmount = kCashInBase + plan.number;
  } else if (draw <= 100 && cashInHand > 2 * kCashOutBase) {
    plan.kind = DocumentKind::kCashOut;
    plan.cashAmount = kCashOutBase + plan.number;
  } else if (draw <= 200) {
    plan.kind = DocumentKind::kRefund;
    PlanRefund(plan, cashInHand);
  } else {
    plan.kind = DocumentKind::kSale;
    PlanSale(plan);
  }
  return plan;
}

void DocumentPlanner::PlanSale(DocumentPlan& plan) {
  const int count = Draw(1, 6);
  for (int i = 1; i <= count; ++i) {
    PlannedItem item;
    item.text = Label(plan.number, 'I', i);
    item.unitPrice = Draw(100, 50000);
    item.units = Chance(80) ? 1 : Draw(2, 5);
    item.vatInfo = Draw(1, 4);
    if (Chance(15)) {
      item.adjustmentType =
          Chance(70) ? service::FPTR_AT_AMOUNT_DISCOUNT : service::FPTR_AT_AMOUNT_SURCHARGE;
      // A discount below the item's amount, so that the item's tax group keeps turnover.
      item.adjustment = Draw(1, int(std::min<int64_t>(item.Amount() - 1, 5000)));
      item.adjustmentText = Label(plan.number, 'A', i);
    }
    plan.items.push_back(item);
  }
  // Voided items: never one with an adjustment, and one item always stays.
  for (size_t i = 1; i < plan.items.size(); ++i) {
    if (plan.items[i].adjustmentType == 0 && Chance(10)) plan.items[i].voided = true;
  }
  if (Chance(20)) {
    plan.subtotalAdjustmentType =
        Chance(70) ? service::FPTR_AT_AMOUNT_DISCOUNT : service::FPTR_AT_AMOUNT_SURCHARGE;
    plan.subtotalAdjustment = Draw(1, int(std::min<int64_t>(plan.Total() / 2, 10000)) + 1);
    if (plan.subtotalAdjustment >= plan.Total()) plan.subtotalAdjustmentType = 0;
    plan.subtotalText = Label(plan.number, 'S', 1);
  }
  if (plan.subtotalAdjustmentType == 0) plan.subtotalAdjustment = 0;
  plan.voided = Chance(5);
  const int64_t total = plan.Total();
  const int payment = Draw(1, 3);
  if (payment == 1) {
    plan.card = total;
  } else if (payment == 2) {
    plan.cash = total + Draw(0, 1) * Draw(0, 50000);  // change given back
  } else {
    plan.card = Draw(1, int(total));
    plan.cash = total - plan.card;
  }
}

void DocumentPlanner::PlanRefund(DocumentPlan& plan, int64_t cashInHand) {
  const int count = Draw(1, 3);
  for (int i = 1; i <= count; ++i) {
    PlannedItem item;
    item.text = Label(plan.number, 'I', i);
    item.unitPrice = Draw(100, 20000);
    item.vatInfo = Draw(1, 4);
    plan.items.push_back(item);
  }
  plan.voided = Chance(5);
  const int64_t total = plan.Total();
  if (total <= cashInHand / 2 && Chance(60)) {
    plan.cash = total;
  } else {
    plan.card = total;
  }
}

}  // namespace orn::soak
