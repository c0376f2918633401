#pragma once
// The application's own book: the documents the driver reported done, summed per shift as
// the register's money and operation registers should hold them. Compared with the
// register before each Z report and at the end; every register that differs is a
// discrepancy.

#include <cstdint>
#include <string>
#include <vector>

#include "simulator/RegisterSimulator.h"
#include "soak/DocumentPlan.h"

namespace orn::soak {

struct Discrepancy {
  std::string what;  // "money 121", "operations 144", ...
  int64_t registered = 0;
  int64_t expected = 0;
};

class Ledger {
 public:
  // A receipt whose EndFiscalReceipt returned success (a voided one adds nothing).
  void AddClosedReceipt(const DocumentPlan& plan);
  // A cash in or cash out whose EndFiscalReceipt returned success.
  void AddCashDocument(const DocumentPlan& plan);
  // The register closed the shift: its registers start from zero, the drawer stays.
  void NewShift();

  int64_t CashInHand() const { return money_[simulator::money::kCashInHand]; }
  bool ShiftHasDocuments() const { return shiftDocuments_ > 0; }

  // The registers of `sim` that differ from the book.
  std::vector<Discrepancy> Compare(simulator::RegisterSimulator& sim) const;
  // Takes the register's cash in hand after a comparison, so that a difference in the
  // drawer, which no Z report clears, is counted once and not again at every later one.
  void TakeCashInHand(simulator::RegisterSimulator& sim) {
    money_[simulator::money::kCashInHand] = sim.MoneyRegister(simulator::money::kCashInHand);
  }

 private:
  simulator::MoneyRegisters money_ = {};
  simulator::OperationRegisters operations_ = {};
  int shiftDocuments_ = 0;
};

}  // namespace orn::soak
