#pragma once
// The register's own record of what it executed (the simulator's fiscal operations), read
// as documents. Each operation is put down with the document and the call of the point of
// sale that were running when the register executed it: the soak knows these, while the
// texts of the frames are what the line may have changed. Within a receipt that was then
// closed, one call whose item, adjustment or void was executed twice is a duplicate, and so
// is a document whose receipt was closed twice or whose cash in or out was registered twice.
// Operations of a receipt that was annulled or lost in a reset count for nothing.

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "simulator/FiscalOperation.h"

namespace orn::soak {

// Where an operation came from, as the point of sale knows it.
struct Origin {
  int document = 0;   // the document being run (0: none yet)
  uint64_t call = 0;  // the call of the point of sale, the same over its retries
};

struct DuplicateRecord {
  int document = 0;
  uint8_t code = 0;  // the command that registered it again
  std::string what;
};

class RegisterJournal {
 public:
  void OnOperation(const simulator::FiscalOperation& operation, const Origin& origin);

  const std::vector<DuplicateRecord>& Duplicates() const { return duplicates_; }
  int ClosedReceipts() const { return closedReceipts_; }
  // Whether the register closed a receipt with items of the document.
  bool Closed(int document) const { return closedDocuments_.count(document) > 0; }
  bool ReceiptOpen() const { return !open_.empty(); }

 private:
  struct Entry {
    simulator::FiscalOperation operation;
    Origin origin;
  };
  void CloseReceipt(uint16_t documentNumber);
  void Duplicate(int document, uint8_t code, const std::string& what, uint16_t documentNumber);

  std::vector<Entry> open_;        // of the receipt being built
  std::set<int> closedDocuments_;  // documents whose receipt the register closed
  std::set<int> cashDocuments_;    // documents whose cash in or out it registered
  std::vector<DuplicateRecord> duplicates_;
  int closedReceipts_ = 0;
};

}  // namespace orn::soak
