#pragma once
// What the register's fiscal registers took in, one record per command executed with
// success: a test can check every item and document against what the application believes
// it sold, and find one registered twice.

#include <cstdint>
#include <functional>
#include <string>

namespace orn::simulator {

struct FiscalOperation {
  enum class Kind : uint8_t {
    kItem,        // sale, purchase or a refund of either (receipt type in `receiptType`)
    kStorno,      // an item taken off
    kAdjustment,  // discount, surcharge or a storno of either (the command code tells)
    kClose,       // the receipt closed: its sums are in the shift
    kAnnul,       // the open receipt cancelled
    kReset,       // RAM cleared: an open receipt is gone without a trace
    kCashIn,
    kCashOut,
    kXReport,
    kZReport,
  };
  Kind kind = Kind::kItem;
  uint8_t code = 0;             // the command that did it (0 for a reset)
  uint16_t documentNumber = 0;  // of the document the operation belongs to
  uint8_t receiptType = 0;      // 0 sale, 1 purchase, 2 sale refund, 3 purchase refund
  uint8_t taxGroup = 0;         // the first tax byte of an item or adjustment
  int64_t amount = 0;           // register units: the item's amount, the adjustment, the total
  std::string text;             // the text field (Windows-1251), empty when there is none
};

using FiscalOperationObserver = std::function<void(const FiscalOperation&)>;

}  // namespace orn::simulator
