#include "soak/PointOfSale.h"

#include <string_view>

#include "device/FiscalDevice.h"
#include "device/ResultCodes.h"
#include "service/OposConstants.h"

namespace orn::soak {

using service::FptrService;

namespace {

constexpr int kAttempts = 6;                       // a method and five retries
constexpr uint32_t kPauseAfterNoAnswerMs = 10000;  // the register may be busy or away
constexpr int kStartAttempts = 10;
constexpr int32_t kPidxPrinterState = 16020;
constexpr int32_t kPidxFiscalReceiptType = 16034;
constexpr int32_t kPidxCheckTotal = 16003;

// Payment descriptions of the device key: cash, and the card (the register's type 4).
constexpr char16_t kCash[] = u"Наличные";
constexpr char16_t kCard[] = u"Карта";

std::u16string Text(const std::string& ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

// Register units (kopecks) to OPOS currency.
int64_t Currency(int64_t units) {
  return units * 100;
}

bool PaperOut(int32_t extended) {
  return extended == device::OPOS_EFPTR_REC_EMPTY || extended == device::OPOS_EFPTR_JRN_EMPTY;
}

}  // namespace

PointOfSale::PointOfSale(platform::MemoryPlatform& memory, platform::PortProvider& ports,
                         simulator::RegisterSimulator& sim, FaultSchedule& faults, bool exactlyOnce,
                         bool checkTotal, std::ostream* verbose)
    : memory_(memory),
      ports_(ports),
      sim_(sim),
      faults_(faults),
      exactlyOnce_(exactlyOnce),
      checkTotal_(checkTotal),
      verbose_(verbose) {}

bool PointOfSale::Start() {
  ++call_;
  fptr_.reset();
  fptr_.emplace(memory_.Bundle(), ports_);
  // Reached through the const accessor: the object itself is ours and not const.
  const_cast<device::FiscalDevice&>(fptr_->Device()).SetExactlyOnce(exactlyOnce_);
  bool opened = false;
  for (int attempt = 0; attempt < kStartAttempts; ++attempt) {
    if (!opened)
      opened = Timed("OpenService", [](FptrService& f) {
                 return f.OpenService(u"FiscalPrinter", u"Ornita-OPOS-1", nullptr);
               }) == 0;
    if (opened && Timed("ClaimDevice", [](FptrService& f) { return f.ClaimDevice(1000); }) == 0 &&
        Timed("DeviceEnabled", [](FptrService& f) {
          return f.SetPropertyNumber(service::PIDX_DeviceEnabled, 1);
        }) == 0) {
      if (checkTotal_) fptr_->SetPropertyNumber(kPidxCheckTotal, 1);
      return true;
    }
    PutPaperBack();
    memory_.clock.Sleep(kPauseAfterNoAnswerMs);
  }
  return false;
}

void PointOfSale::Crash() {
  ++stats_.restarts;
  if (verbose_) *verbose_ << "document " << document_ << ": the point of sale restarts\n";
  if (!Start() && verbose_) *verbose_ << "document " << document_ << ": no service object\n";
}

int32_t PointOfSale::PrinterState() {
  int32_t state = 0;
  fptr_->GetPropertyNumber(kPidxPrinterState, state);
  return state;
}

void PointOfSale::PutPaperBack() {
  sim_.PutPaper(simulator::Station::kReceipt);
  sim_.PutPaper(simulator::Station::kJournal);
}

std::vector<PointOfSale::Step> PointOfSale::Steps(const DocumentPlan& plan) const {
  std::vector<Step> steps;
  switch (plan.kind) {
    case DocumentKind::kXReport:
      steps.push_back({"PrintXReport", [](FptrService& f) { return f.PrintXReport(); }});
      return steps;
    case DocumentKind::kZReport:
      steps.push_back({"PrintZReport", [](FptrService& f) { return f.PrintZReport(); }});
      return steps;
    case DocumentKind::kCashIn:
    case DocumentKind::kCashOut: {
      const int32_t type =
          plan.kind == DocumentKind::kCashIn ? service::FPTR_RT_CASH_IN : service::FPTR_RT_CASH_OUT;
      const int64_t amount = Currency(plan.cashAmount);
      steps.push_back({"FiscalReceiptType", [type](FptrService& f) {
                         return f.SetPropertyNumber(kPidxFiscalReceiptType, type);
                       }});
      steps.push_back(
          {"BeginFiscalReceipt", [](FptrService& f) { return f.BeginFiscalReceipt(true); }});
      steps.push_back(
          {"PrintRecCash", [amount](FptrService& f) { return f.PrintRecCash(amount); }});
      steps.push_back({"PrintRecTotal",
                       [amount](FptrService& f) { return f.PrintRecTotal(amount, amount, u""); }});
      steps.push_back(
          {"EndFiscalReceipt", [](FptrService& f) { return f.EndFiscalReceipt(false); }});
      return steps;
    }
    case DocumentKind::kSale:
    case DocumentKind::kRefund:
      break;
  }
  steps.push_back({"FiscalReceiptType", [](FptrService& f) {
                     return f.SetPropertyNumber(kPidxFiscalReceiptType, service::FPTR_RT_SALES);
                   }});
  steps.push_back(
      {"BeginFiscalReceipt", [](FptrService& f) { return f.BeginFiscalReceipt(true); }});
  const bool refund = plan.kind == DocumentKind::kRefund;
  for (const PlannedItem& item : plan.items) {
    const std::u16string text = Text(item.text);
    if (refund) {
      steps.push_back({"PrintRecRefund", [text, item](FptrService& f) {
                         return f.PrintRecRefund(text, Currency(item.Amount()), item.vatInfo);
                       }});
    } else {
      steps.push_back({"PrintRecItem", [text, item](FptrService& f) {
                         return f.PrintRecItem(text, Currency(item.Amount()), item.units * 1000,
                                               item.vatInfo, Currency(item.unitPrice), u"");
                       }});
    }
    if (item.adjustmentType != 0) {
      const std::u16string adjustmentText = Text(item.adjustmentText);
      steps.push_back({"PrintRecItemAdjustment", [adjustmentText, item](FptrService& f) {
                         return f.PrintRecItemAdjustment(item.adjustmentType, adjustmentText,
                                                         Currency(item.adjustment), item.vatInfo);
                       }});
    }
  }
  for (const PlannedItem& item : plan.items) {
    if (!item.voided) continue;
    const std::u16string text = Text(item.text);
    steps.push_back({"PrintRecVoidItem", [text, item](FptrService& f) {
                       return f.PrintRecVoidItem(text, Currency(item.unitPrice), item.units * 1000,
                                                 0, 0, item.vatInfo);
                     }});
  }
  if (plan.voided) {
    const std::u16string text = Text("R" + std::to_string(plan.number) + " V");
    steps.push_back({"PrintRecVoid", [text](FptrService& f) { return f.PrintRecVoid(text); }});
    steps.push_back({"EndFiscalReceipt", [](FptrService& f) { return f.EndFiscalReceipt(false); }});
    return steps;
  }
  const int64_t subtotal = Currency(plan.Subtotal());
  steps.push_back(
      {"PrintRecSubtotal", [subtotal](FptrService& f) { return f.PrintRecSubtotal(subtotal); }});
  if (plan.subtotalAdjustmentType != 0) {
    const std::u16string text = Text(plan.subtotalText);
    const int32_t type = plan.subtotalAdjustmentType;
    const int64_t amount = Currency(plan.subtotalAdjustment);
    steps.push_back({"PrintRecSubtotalAdjustment", [text, type, amount](FptrService& f) {
                       return f.PrintRecSubtotalAdjustment(type, text, amount);
                     }});
  }
  const int64_t total = Currency(plan.Total());
  if (plan.card > 0) {
    const int64_t card = Currency(plan.card);
    steps.push_back({"PrintRecTotal", [total, card](FptrService& f) {
                       return f.PrintRecTotal(total, card, kCard);
                     }});
  }
  if (plan.cash > 0) {
    const int64_t cash = Currency(plan.cash);
    steps.push_back({"PrintRecTotal", [total, cash](FptrService& f) {
                       return f.PrintRecTotal(total, cash, kCash);
                     }});
  }
  steps.push_back({"EndFiscalReceipt", [](FptrService& f) { return f.EndFiscalReceipt(false); }});
  return steps;
}

int32_t PointOfSale::Timed(const char* name, const Method& call) {
  faults_.BeforeCall(sim_, memory_.clock.Elapsed());
  const uint64_t start = memory_.clock.Elapsed();
  const int32_t result = call(*fptr_);
  const uint64_t ms = memory_.clock.Elapsed() - start;
  ++stats_.calls;
  uint64_t& longest = stats_.longestByMethod[name];
  if (ms > longest) longest = ms;
  if (ms > stats_.longestMs) {
    stats_.longestMs = ms;
    stats_.longestMethod = name;
  }
  const int32_t extended = fptr_->Device().ResultCodeExtended();
  if (ms > (std::string_view(name) == "OpenService" ? kOpenServiceHangMs : kHangMs)) {
    ++stats_.hangs;
    ++stats_.hangsByMethod[name];
    stats_.hangLines.push_back("document " + std::to_string(document_) + ": " + name + " took " +
                               std::to_string(ms) + " ms, result " + std::to_string(result) + "/" +
                               std::to_string(extended));
  }
  if (result != 0) {
    ++stats_.failedCalls;
    if (verbose_)
      *verbose_ << "document " << document_ << ": " << name << " -> " << result << "/" << extended
                << " after " << ms << " ms\n";
  }
  return result;
}

int32_t PointOfSale::Attempt(const Step& step) {
  ++call_;
  int32_t result = 0;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    result = Timed(step.name, step.call);
    if (result == 0) return 0;
    Recover(result);
  }
  return result;
}

void PointOfSale::Recover(int32_t result) {
  const int32_t extended = fptr_->Device().ResultCodeExtended();
  if (result == device::OPOS_E_EXTENDED && PaperOut(extended)) {
    PutPaperBack();
    return;
  }
  if (result == device::OPOS_E_TIMEOUT || result == device::OPOS_E_OFFLINE ||
      result == device::OPOS_E_NOHARDWARE || result == device::OPOS_E_FAILURE)
    memory_.clock.Sleep(kPauseAfterNoAnswerMs);
}

bool PointOfSale::CancelReceipt() {
  ++stats_.abandoned;
  // The cashier looks at the printer: paper that ran out under another error goes back now.
  const uint16_t paper = simulator::flag::kReceiptPaper | simulator::flag::kJournalPaper;
  if ((sim_.State().flags & paper) != paper) {
    ++stats_.paperNotReported;
    PutPaperBack();
  }
  if (PrinterState() == service::FPTR_PS_MONITOR) return false;
  const Step end{"EndFiscalReceipt", [](FptrService& f) { return f.EndFiscalReceipt(false); }};
  const int32_t voided =
      Attempt({"PrintRecVoid", [](FptrService& f) { return f.PrintRecVoid(u"Отмена"); }});
  if (voided == 0 && Attempt(end) == 0) return false;
  // The driver refuses to void a receipt the register closed already (its end failed after
  // the close): as its text says, the end called again finishes it, and it is sold.
  if (voided == device::OPOS_E_ILLEGAL &&
      PrinterState() == service::FPTR_PS_FISCAL_RECEIPT_ENDING && Attempt(end) == 0)
    return true;
  Crash();
  if (PrinterState() == service::FPTR_PS_MONITOR) return false;
  Attempt({"ResetPrinter", [](FptrService& f) { return f.ResetPrinter(); }});
  return false;
}

std::optional<size_t> PointOfSale::Resume(const DocumentPlan& plan, size_t next, size_t last) {
  const int32_t state = PrinterState();
  // Nothing begun yet: a receipt still open from before is cancelled first, and the new
  // object is told the receipt type again.
  if (next <= 1) {
    if (state != service::FPTR_PS_MONITOR) CancelReceipt();
    return 0;
  }
  if (state == service::FPTR_PS_MONITOR) {
    ++stats_.lostInRestart;
    return std::nullopt;
  }
  if (state == service::FPTR_PS_FISCAL_RECEIPT_ENDING) return last;
  if (!plan.voided && faults_.CarryOnAfterCrash()) return next;
  if (CancelReceipt()) return last + 1;
  return std::nullopt;
}

bool PointOfSale::Run(const DocumentPlan& plan) {
  document_ = plan.number;
  // A service object that could not be claimed after a restart is made again first.
  if (!fptr_->Claimed()) {
    ++stats_.restarts;
    if (!Start()) return false;
  }
  const std::vector<Step> steps = Steps(plan);
  const size_t last = steps.size() - 1;
  size_t next = 0;
  while (next < steps.size()) {
    if (faults_.CrashNow()) {
      Crash();
      if (plan.IsReceipt() || plan.kind == DocumentKind::kCashIn ||
          plan.kind == DocumentKind::kCashOut) {
        const std::optional<size_t> resumed = Resume(plan, next, last);
        if (!resumed) return false;
        next = *resumed;
      }
    }
    if (Attempt(steps[next]) != 0) return steps.size() > 1 && CancelReceipt();
    ++next;
  }
  return true;
}

}  // namespace orn::soak
