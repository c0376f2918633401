#pragma once
// The part of the receipt state that must outlive the process: the printer state, the
// cancel and printed flags, the next slip line, the subtotal the driver built and the
// payment sums of the open receipt.
// Every change is written through at once to the state store (the device's Params key and
// its CheckSumm sub key), and LoadReceiptState reads it back at the next OpenService, so a
// new service object can carry on or cancel a receipt the register still holds open.

#include <array>
#include <cstdint>
#include <optional>

#include "device/FiscalDevice.h"
#include "receipt/StateStore.h"

namespace orn::receipt {

inline constexpr int kPaymentTypeCount = 4;
inline constexpr int32_t kDefaultPrinterState = 1;  // monitor
inline constexpr uint8_t kDefaultSlipLine = 1;

class ReceiptState {
 public:
  explicit ReceiptState(StateStore& store) : store_(store) {}

  // Reads the stored values over the held ones; missing values keep theirs.
  void LoadReceiptState();
  // The values of a new object, in memory only.
  void Forget();

  int32_t PrinterState() const { return printerState_; }
  bool CancelReceipt() const { return cancelReceipt_; }
  // The slip line the next slip command prints at.
  uint8_t SlipLine() const { return slipLine_; }
  bool RecPrinted() const { return recPrinted_; }
  bool SlpPrinted() const { return slpPrinted_; }
  // How the driver ended the open receipt in the register. A retry that finds nothing open
  // has nothing to do; a receipt the register closed cannot be voided any more.
  enum class Ending : uint32_t { kNone = 0, kClosed = 1, kAnnulled = 2 };
  Ending ReceiptEnding() const { return ending_; }
  bool ReceiptEnded() const { return ending_ != Ending::kNone; }
  // Register units of payment type 0..3; 0 for any other index.
  int64_t PaymentSum(int index) const;
  // The open receipt's subtotal as the items and adjustments the register took add up
  // (register units); nothing when it is not known (a receipt begun by an earlier release).
  std::optional<int64_t> ReceiptSubtotal() const { return receiptSubtotal_; }
  // An item or adjustment of the receipt reached the register (or may have), so the
  // register opened it. A receipt begun by an earlier release counts as started.
  bool ReceiptStarted() const { return receiptStarted_; }

  // Each writes to the registry only when the value changes.
  void SetPrinterState(int32_t state);
  void SetCancelReceipt(bool cancel);
  void SetSlipLine(uint8_t line);
  void SetRecPrinted(bool printed);
  void SetSlpPrinted(bool printed);
  void SetReceiptEnding(Ending ending);
  // An index outside 0..3 is ignored.
  void SetPaymentSum(int index, int64_t sum);
  void SetReceiptSubtotal(int64_t subtotal);
  void SetReceiptStarted(bool started);
  // What the register's commands did to the receipt. A change to a subtotal that is not
  // known leaves it unknown.
  void AddToReceipt(const device::FiscalDevice::ReceiptChange& change);
  // All four sums to 0 in memory only: when the register has no document open, sums left
  // in the registry by an earlier process are stale, and the next receipt rewrites them.
  void ForgetPaymentSums() { paymentSums_ = {}; }

 private:
  StateStore& store_;

  int32_t printerState_ = kDefaultPrinterState;
  bool cancelReceipt_ = false;
  uint8_t slipLine_ = kDefaultSlipLine;
  bool recPrinted_ = false;
  bool slpPrinted_ = false;
  Ending ending_ = Ending::kNone;
  std::optional<int64_t> receiptSubtotal_;
  bool receiptStarted_ = true;
  std::array<int64_t, kPaymentTypeCount> paymentSums_{};
};

}  // namespace orn::receipt
