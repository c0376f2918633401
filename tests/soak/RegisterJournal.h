#pragma once
// The register's own record of what it executed (the simulator's fiscal operations),
// grouped by document: an item, adjustment or void executed twice in a receipt that was
// then closed, a receipt closed twice, or a cash document registered twice is a duplicate.
// Operations of a receipt that was annulled or lost in a reset count for nothing.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "simulator/FiscalOperation.h"

namespace orn::soak {

class RegisterJournal {
 public:
  void OnOperation(const simulator::FiscalOperation& operation);

  int Duplicates() const { return int(duplicates_.size()); }
  // One line per duplicate: what was registered again and in which document.
  const std::vector<std::string>& DuplicateLines() const { return duplicates_; }
  // How many duplicates each command made (50h and 51h for the cash documents).
  const std::map<uint8_t, int>& DuplicatesByCommand() const { return byCommand_; }
  int ClosedReceipts() const { return closedReceipts_; }
  // Whether a receipt ("R12") was closed at the register.
  bool Closed(const std::string& name) const { return closedReceiptNames_.count(name) > 0; }
  bool ReceiptOpen() const { return !open_.empty(); }

 private:
  void CloseReceipt(uint16_t documentNumber);
  void Duplicate(const std::string& what, uint8_t code, uint16_t documentNumber);

  std::vector<simulator::FiscalOperation> open_;  // of the receipt being built
  std::set<std::string> closedReceiptNames_;      // "R12": the receipts closed so far
  std::set<std::string> cashDocuments_;           // "in 500012"
  std::vector<std::string> duplicates_;
  std::map<uint8_t, int> byCommand_;
  int closedReceipts_ = 0;
};

}  // namespace orn::soak
