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

// The money and operation registers, or what a document moved in them.
struct RegisterSums {
  simulator::MoneyRegisters money = {};
  simulator::OperationRegisters operations = {};

  static RegisterSums Of(simulator::RegisterSimulator& sim);
  // What moved from `before` to this (operation counters wrap as the register's do).
  RegisterSums Since(const RegisterSums& before) const;
};

// The registers the book keeps (every shift register of sales and refunds, the cash
// documents and the drawer; X reports and annulled receipts are not its business) that
// differ between the two.
std::vector<Discrepancy> Differences(const RegisterSums& registered, const RegisterSums& expected);

class Ledger {
 public:
  // What a receipt whose EndFiscalReceipt returned success adds (a voided one: nothing),
  // or a cash in or out.
  static RegisterSums Expected(const DocumentPlan& plan);

  // A receipt or cash document whose EndFiscalReceipt returned success.
  void AddDone(const DocumentPlan& plan);
  // A document whose frames the line changed unseen: the book takes what the register
  // recorded for it, since what the line did is no fault of the driver's.
  void AddRecorded(const RegisterSums& recorded, bool done);
  // The register closed the shift: its registers start from zero, the drawer stays.
  void NewShift();

  int64_t CashInHand() const { return book_.money[simulator::money::kCashInHand]; }
  bool ShiftHasDocuments() const { return shiftDocuments_ > 0; }

  // The registers of `sim` that differ from the book.
  std::vector<Discrepancy> Compare(simulator::RegisterSimulator& sim) const {
    return Differences(RegisterSums::Of(sim), book_);
  }
  // Takes the register's cash in hand after a comparison, so that a difference in the
  // drawer, which no Z report clears, is counted once and not again at every later one.
  void TakeCashInHand(simulator::RegisterSimulator& sim) {
    book_.money[simulator::money::kCashInHand] = sim.MoneyRegister(simulator::money::kCashInHand);
  }

 private:
  void Add(const RegisterSums& sums);

  RegisterSums book_;
  int shiftDocuments_ = 0;
};

}  // namespace orn::soak
