#include "soak/SoakRun.h"

#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "platform/memory/MemoryPlatform.h"
#include "platform/memory/MemoryPortProvider.h"
#include "simulator/RegisterSimulator.h"
#include "soak/DocumentPlan.h"
#include "soak/Ledger.h"
#include "soak/PointOfSale.h"
#include "soak/RegisterJournal.h"
#include "unit/service/ServiceFixture.h"

namespace orn::soak {

namespace {

constexpr size_t kListedAtMost = 20;  // lines of each kind of finding in the report

// The device key of the unit tests, with the driver's log off unless asked for: a log of
// ten thousand receipts costs time.
void ImportDeviceKey(platform::MemoryRegistry& registry, bool log) {
  registry.ImportReg(testing::kDeviceReg);
  platform::RegKey key = platform::kNoKey;
  registry.CreateKey("SOFTWARE\\Ornita\\OLEforRetail\\ServiceOPOS\\FiscalPrinter\\Ornita-OPOS-1",
                     platform::RegAccess::kReadWrite, key);
  registry.SetDword(key, "LogEnabled", log ? 1 : 0);
  registry.CloseKey(key);
}

void Row(std::ostream& out, const char* kind, uint64_t count) {
  char line[96];
  std::snprintf(line, sizeof line, "  %-40s %8llu\n", kind, static_cast<unsigned long long>(count));
  out << line;
}

void Row(std::ostream& out, const char* kind, uint64_t injected, uint64_t hit) {
  char line[96];
  std::snprintf(line, sizeof line, "  %-40s %8llu %8llu\n", kind,
                static_cast<unsigned long long>(injected), static_cast<unsigned long long>(hit));
  out << line;
}

void List(std::ostream& out, const char* title, const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  out << title << " (" << lines.size() << (lines.size() > kListedAtMost ? ", the first " : "")
      << (lines.size() > kListedAtMost ? std::to_string(kListedAtMost) : "") << "):\n";
  for (size_t i = 0; i < lines.size() && i < kListedAtMost; ++i) out << "  " << lines[i] << "\n";
}

// One line of the register's record.
void Trace(std::ostream& out, const simulator::FiscalOperation& operation) {
  static constexpr const char* kKinds[] = {"item",     "storno",  "adjustment", "close",
                                           "annul",    "reset",   "cash in",    "cash out",
                                           "X report", "Z report"};
  char code[8];
  std::snprintf(code, sizeof code, "%02Xh", unsigned(operation.code));
  out << "register: document " << operation.documentNumber << " " << kKinds[size_t(operation.kind)]
      << " " << code << " " << operation.amount;
  if (!operation.text.empty()) out << " \"" << operation.text << "\"";
  out << "\n";
}

}  // namespace

SoakResult RunSoak(const SoakOptions& options, std::ostream& out) {
  SoakResult result;
  platform::MemoryPlatform memory;
  platform::MemoryPortProvider ports(memory.clock);
  ImportDeviceKey(memory.registry, !options.driverLog.empty());

  simulator::SimulatorConfig config;
  config.faults.randomBytes = {options.seed, options.rates.byteDropPerMillion,
                               options.rates.byteCorruptPerMillion};
  simulator::RegisterSimulator sim(config);
  ports.Attach(1, sim);

  Ledger ledger;
  RegisterJournal journal;
  std::vector<std::string> discrepancies;
  const auto compare = [&](const std::string& when) {
    for (const Discrepancy& d : ledger.Compare(sim))
      discrepancies.push_back(when + ": " + d.what + " is " + std::to_string(d.registered) +
                              ", the ledger says " + std::to_string(d.expected));
    ledger.TakeCashInHand(sim);
  };
  int shift = 1;
  sim.SetOperationObserver([&](const simulator::FiscalOperation& operation) {
    journal.OnOperation(operation);
    if (options.verbose) Trace(out, operation);
    if (operation.kind != simulator::FiscalOperation::Kind::kZReport) return;
    compare("before Z report " + std::to_string(shift++));
    ledger.NewShift();
  });

  FaultSchedule faults(options.seed, options.rates, options.verbose ? &out : nullptr);
  PointOfSale pos(memory, ports, sim, faults, options.exactlyOnce, options.checkTotal,
                  options.verbose ? &out : nullptr);
  result.started = pos.Start();
  if (!result.started) {
    out << "the service object could not be started\n";
    return result;
  }

  // The documents' shapes have a generator of their own: the same seed gives the same
  // documents whatever the faults did.
  DocumentPlanner planner(options.seed ^ 0x5EEDu);
  int closedByDriver = 0;
  std::set<std::string> reportedClosed;  // receipts with items the driver reported closed
  std::vector<std::string> mismatchedReceipts;
  for (int i = 0; i < options.count; ++i) {
    const DocumentPlan plan = planner.Next(ledger.CashInHand(), ledger.ShiftHasDocuments());
    const bool done = pos.Run(plan);
    if (options.verbose)
      out << "document " << plan.number << ": " << (done ? "done" : "not done") << "\n";
    if (!done) continue;
    ++closedByDriver;
    if (plan.IsReceipt()) ledger.AddClosedReceipt(plan);
    const std::string name = "R" + std::to_string(plan.number);
    if (plan.IsReceipt() && !plan.voided) {
      reportedClosed.insert(name);
      if (!journal.Closed(name))
        mismatchedReceipts.push_back(name + ": reported closed, not closed at the register");
    }
    if (plan.kind == DocumentKind::kCashIn || plan.kind == DocumentKind::kCashOut)
      ledger.AddCashDocument(plan);
  }
  compare("at the end");
  for (int number = 1; number <= options.count; ++number) {
    const std::string name = "R" + std::to_string(number);
    if (journal.Closed(name) && reportedClosed.count(name) == 0)
      mismatchedReceipts.push_back(name + ": closed at the register, not reported closed");
  }

  const CallStats& stats = pos.Stats();
  const simulator::SimulatorCounters& counters = sim.Counters();
  faults.Tally(sim);
  out << "faults (kind, injected, hit):\n";
  Row(out, "byte dropped on the line", counters.randomBytesDropped, counters.randomBytesDropped);
  Row(out, "byte corrupted on the line", counters.randomBytesCorrupted,
      counters.randomBytesCorrupted);
  for (size_t kind = 0; kind < size_t(FaultKind::kCount); ++kind)
    Row(out, FaultSchedule::Name(FaultKind(kind)), faults.Injected(FaultKind(kind)),
        faults.Hit(FaultKind(kind)));
  out << "survived by the point of sale:\n";
  Row(out, "documents done as the driver reported", uint64_t(closedByDriver));
  Row(out, "receipts closed at the register", uint64_t(journal.ClosedReceipts()));
  Row(out, "calls", stats.calls);
  Row(out, "calls failed (retried)", stats.failedCalls);
  Row(out, "service objects made again", uint64_t(stats.restarts));
  Row(out, "receipts given up and cancelled", uint64_t(stats.abandoned));
  Row(out, "open receipts unknown after a restart", uint64_t(stats.lostInRestart));
  Row(out, "paper out reported as another error", uint64_t(stats.paperNotReported));
  out << "longest call: " << stats.longestMethod << ", " << stats.longestMs << " ms\n";
  out << "longest call of each method (ms):\n";
  for (const auto& [method, ms] : stats.longestByMethod) Row(out, method.c_str(), ms);
  List(out, "discrepancies", discrepancies);
  List(out, "receipts the driver and the register disagree on", mismatchedReceipts);
  List(out, "duplicates", journal.DuplicateLines());
  for (const auto& [code, count] : journal.DuplicatesByCommand()) {
    char line[64];
    std::snprintf(line, sizeof line, "  duplicates of command %02Xh: %d\n", unsigned(code), count);
    out << line;
  }
  List(out, "hangs", stats.hangLines);
  for (const auto& [method, count] : stats.hangsByMethod)
    out << "  hangs in " << method << ": " << count << "\n";

  if (!options.driverLog.empty()) {
    std::ofstream log(options.driverLog, std::ios::binary);
    log << memory.files.Contents(testing::kLogFile);
  }

  result.receipts = options.count;
  result.discrepancies = int(discrepancies.size());
  result.duplicates = journal.Duplicates();
  result.hangs = stats.hangs;
  out << "receipts " << result.receipts << ", discrepancies " << result.discrepancies
      << ", duplicates " << result.duplicates << ", hangs " << result.hangs << "\n";
  return result;
}

}  // namespace orn::soak
