#pragma once
// The documents of a soak, drawn at random from the run's seed: sales and refund receipts
// (items, item and subtotal adjustments, voided items, payments in cash and by card, or the
// whole receipt voided), cash in and out, X and Z reports. Every item and adjustment has a
// text of its own ("R12 I3"), and every cash document an amount of its own, so that the
// register's record shows which of them it registered and how often.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace orn::soak {

enum class DocumentKind : uint8_t { kSale, kRefund, kCashIn, kCashOut, kXReport, kZReport };

// Amounts are in register units (kopecks); the application's calls multiply them by 100.
struct PlannedItem {
  std::string text;
  int64_t unitPrice = 0;
  int32_t units = 1;  // whole units: the register's amount is exact
  int32_t vatInfo = 1;
  int32_t adjustmentType = 0;  // FPTR_AT_AMOUNT_DISCOUNT or _SURCHARGE; 0 none
  int64_t adjustment = 0;
  std::string adjustmentText;
  bool voided = false;  // taken off again after all items are in

  int64_t Amount() const { return unitPrice * units; }
};

struct DocumentPlan {
  int number = 0;  // counts from 1 over the run
  DocumentKind kind = DocumentKind::kSale;
  std::vector<PlannedItem> items;
  int32_t subtotalAdjustmentType = 0;  // 0 none
  int64_t subtotalAdjustment = 0;
  std::string subtotalText;
  int64_t card = 0;        // paid by card
  int64_t cash = 0;        // handed over in cash, change included
  bool voided = false;     // cancelled before the payments
  int64_t cashAmount = 0;  // cash in or out

  bool IsReceipt() const { return kind == DocumentKind::kSale || kind == DocumentKind::kRefund; }
  // The items less the voided ones, with their discounts and surcharges: the subtotal
  // before the subtotal's own adjustment.
  int64_t Subtotal() const;
  // The receipt's total: the subtotal with its adjustment.
  int64_t Total() const;
  int64_t Change() const { return card + cash - Total(); }
};

class DocumentPlanner {
 public:
  explicit DocumentPlanner(uint32_t seed) : random_(seed) {}

  // The next document; `cashInHand` is what the application counts in the drawer, so that a
  // refund or a cash-out never asks for more than is there; `shiftHasDocuments` allows a Z
  // report.
  DocumentPlan Next(int64_t cashInHand, bool shiftHasDocuments);

 private:
  int Draw(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool Chance(int percent) { return Draw(1, 100) <= percent; }
  void PlanSale(DocumentPlan& plan);
  void PlanRefund(DocumentPlan& plan, int64_t cashInHand);

  std::mt19937 random_;
  int number_ = 0;
};

}  // namespace orn::soak
