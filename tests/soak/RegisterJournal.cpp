#include "soak/RegisterJournal.h"

#include <cstdio>
#include <map>
#include <tuple>

namespace orn::soak {

using Kind = simulator::FiscalOperation::Kind;

namespace {

constexpr uint8_t kCloseReceipt = 0x85;

std::string Hex(uint8_t code) {
  char text[8];
  std::snprintf(text, sizeof text, "%02Xh", unsigned(code));
  return text;
}

}  // namespace

void RegisterJournal::OnOperation(const simulator::FiscalOperation& operation,
                                  const Origin& origin) {
  switch (operation.kind) {
    case Kind::kItem:
    case Kind::kStorno:
    case Kind::kAdjustment:
      open_.push_back({operation, origin});
      break;
    case Kind::kClose:
      CloseReceipt(operation.documentNumber);
      break;
    case Kind::kAnnul:
    case Kind::kReset:
      open_.clear();
      break;
    case Kind::kCashIn:
    case Kind::kCashOut:
      if (!cashDocuments_.insert(origin.document).second)
        Duplicate(origin.document, operation.code,
                  std::string(operation.kind == Kind::kCashIn ? "cash in " : "cash out ") +
                      std::to_string(operation.amount) + " registered again",
                  operation.documentNumber);
      break;
    case Kind::kXReport:
    case Kind::kZReport:
      break;
  }
}

void RegisterJournal::CloseReceipt(uint16_t documentNumber) {
  ++closedReceipts_;
  // One call registers one item, one adjustment or one void; a subtotal adjustment one part
  // per tax group.
  using Key = std::tuple<uint64_t, Kind, uint8_t, uint8_t>;
  std::map<Key, int64_t> seen;  // the amount of the first one
  std::set<int> documents;
  for (const Entry& entry : open_) {
    const simulator::FiscalOperation& operation = entry.operation;
    documents.insert(entry.origin.document);
    const Key key{entry.origin.call, operation.kind, operation.code, operation.taxGroup};
    const auto [first, isNew] = seen.emplace(key, operation.amount);
    if (!isNew)
      Duplicate(entry.origin.document, operation.code,
                Hex(operation.code) + " of one call executed again (" +
                    std::to_string(first->second) + ", then " + std::to_string(operation.amount) +
                    ")",
                documentNumber);
  }
  for (int document : documents) {
    if (!closedDocuments_.insert(document).second)
      Duplicate(document, kCloseReceipt, "receipt closed again", documentNumber);
  }
  open_.clear();
}

void RegisterJournal::Duplicate(int document, uint8_t code, const std::string& what,
                                uint16_t documentNumber) {
  duplicates_.push_back({document, code,
                         "document " + std::to_string(document) + ": " + what +
                             " (register document " + std::to_string(documentNumber) + ")"});
}

}  // namespace orn::soak
