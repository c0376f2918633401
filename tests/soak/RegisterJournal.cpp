#include "soak/RegisterJournal.h"

#include <map>

namespace orn::soak {

using Kind = simulator::FiscalOperation::Kind;

namespace {

// What makes an operation itself within its receipt: its command, its text and its tax
// group (the parts of one subtotal adjustment have no text but each its own group).
std::string Key(const simulator::FiscalOperation& operation) {
  return std::to_string(operation.code) + "/" + std::to_string(operation.taxGroup) + "/" +
         operation.text;
}

constexpr uint8_t kCloseReceipt = 0x85;

// The receipt a text belongs to: "R12 I3" -> "R12".
std::string ReceiptName(const std::string& text) {
  return text.substr(0, text.find(' '));
}

}  // namespace

void RegisterJournal::OnOperation(const simulator::FiscalOperation& operation) {
  switch (operation.kind) {
    case Kind::kItem:
    case Kind::kStorno:
    case Kind::kAdjustment:
      open_.push_back(operation);
      break;
    case Kind::kClose:
      CloseReceipt(operation.documentNumber);
      break;
    case Kind::kAnnul:
    case Kind::kReset:
      open_.clear();
      break;
    case Kind::kCashIn:
    case Kind::kCashOut: {
      const std::string name = (operation.kind == Kind::kCashIn ? "cash in " : "cash out ") +
                               std::to_string(operation.amount);
      if (!cashDocuments_.insert(name).second)
        Duplicate(name, operation.code, operation.documentNumber);
      break;
    }
    case Kind::kXReport:
    case Kind::kZReport:
      break;
  }
}

void RegisterJournal::CloseReceipt(uint16_t documentNumber) {
  ++closedReceipts_;
  std::map<std::string, int> seen;
  std::set<std::string> names;
  for (const simulator::FiscalOperation& operation : open_) {
    if (++seen[Key(operation)] == 2)
      Duplicate("operation " + Key(operation) + " executed twice", operation.code, documentNumber);
    if (!operation.text.empty()) names.insert(ReceiptName(operation.text));
  }
  for (const std::string& name : names) {
    if (!closedReceiptNames_.insert(name).second)
      Duplicate("receipt " + name + " closed again", kCloseReceipt, documentNumber);
  }
  open_.clear();
}

void RegisterJournal::Duplicate(const std::string& what, uint8_t code, uint16_t documentNumber) {
  ++byCommand_[code];
  duplicates_.push_back(what + " (register document " + std::to_string(documentNumber) + ")");
}

}  // namespace orn::soak
