#include "soak/SoakRun.h"

#include <cstdio>
#include <fstream>
#include <map>
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

// The duplicates of a run; those in a document whose frames the line changed unseen go
// apart, since the changed frame may have made them.
struct Duplicates {
  std::vector<std::string> driver;
  std::map<uint8_t, int> byCommand;  // of the driver's
  std::vector<std::string> line;
};

Duplicates Split(const std::vector<DuplicateRecord>& records, const std::set<int>& changedUnseen) {
  Duplicates split;
  for (const DuplicateRecord& record : records) {
    if (changedUnseen.count(record.document)) {
      split.line.push_back(record.what);
      continue;
    }
    split.driver.push_back(record.what);
    ++split.byCommand[record.code];
  }
  return split;
}

// The frames the check byte could not refuse and what came of them.
void ReportUnrefused(std::ostream& out, const LineWatch& line, const std::set<int>& documents,
                     const std::vector<std::string>& recordsChanged, int documentsChanged,
                     const std::vector<std::string>& duplicates) {
  out << "frames the check byte could not refuse: " << line.Unrefused() << "\n";
  if (line.Unrefused() == 0) return;
  Row(out, "taken by the register", line.TakenByRegister());
  Row(out, "taken by the driver", line.TakenByDriver());
  Row(out, "documents they came in", documents.size());
  out << "   ";
  size_t listed = 0;
  for (auto number = documents.begin(); number != documents.end() && listed < kListedAtMost;
       ++number, ++listed)
    out << " " << *number;
  out << "\n";
  out << "  those documents are reconciled by what the register recorded; what the line\n"
         "  changed there is counted here, not as discrepancies or duplicates:\n";
  Row(out, "documents whose record they changed", uint64_t(documentsChanged));
  Row(out, "registered twice in those documents", duplicates.size());
  List(out, "records the line changed", recordsChanged);
  List(out, "registered twice after a changed frame", duplicates);
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
  LineWatch line(sim, ports, options.verbose ? &out : nullptr);
  line.SetScript(options.script);
  ports.Attach(1, line);

  Ledger ledger;
  RegisterJournal journal;
  std::vector<std::string> discrepancies;
  const auto compare = [&](const std::string& when) {
    for (const Discrepancy& d : ledger.Compare(sim))
      discrepancies.push_back(when + ": " + d.what + " is " + std::to_string(d.registered) +
                              ", the ledger says " + std::to_string(d.expected));
    ledger.TakeCashInHand(sim);
  };

  FaultSchedule faults(options.seed, options.rates, options.verbose ? &out : nullptr);
  PointOfSale pos(memory, line.DriverPorts(), sim, faults, options.exactlyOnce, options.checkTotal,
                  options.verbose ? &out : nullptr);
  int document = 0;  // the one being run
  int shift = 1;
  sim.SetOperationObserver([&](const simulator::FiscalOperation& operation) {
    journal.OnOperation(operation, {document, pos.Call()});
    if (options.verbose) Trace(out, operation);
    if (operation.kind != simulator::FiscalOperation::Kind::kZReport) return;
    compare("before Z report " + std::to_string(shift++));
    ledger.NewShift();
  });
  result.started = pos.Start();
  if (!result.started) {
    out << "the service object could not be started\n";
    return result;
  }

  // The documents' shapes have a generator of their own: the same seed gives the same
  // documents whatever the faults did.
  DocumentPlanner planner(options.seed ^ 0x5EEDu);
  int closedByDriver = 0;
  std::set<int> reportedClosed;  // receipts with items the driver reported closed
  std::set<int> changedUnseen;   // documents in which an end took a frame the line changed
  std::vector<std::string> mismatchedReceipts;
  std::vector<std::string> recordsChanged;  // what those frames changed at the register
  const auto mismatch = [&](int number, const char* what) {
    mismatchedReceipts.push_back(
        "document " + std::to_string(number) + ": " + what +
        (changedUnseen.count(number) ? " (a frame of it changed on the line unseen)" : ""));
  };
  for (int i = 0; i < options.count; ++i) {
    const DocumentPlan plan = planner.Next(ledger.CashInHand(), ledger.ShiftHasDocuments());
    document = plan.number;
    const uint32_t unrefusedBefore = line.Unrefused();
    const RegisterSums before = RegisterSums::Of(sim);
    const int shiftBefore = shift;
    const bool done = pos.Run(plan);
    if (options.verbose)
      out << "document " << plan.number << ": " << (done ? "done" : "not done") << "\n";
    const bool money = plan.IsReceipt() || plan.kind == DocumentKind::kCashIn ||
                       plan.kind == DocumentKind::kCashOut;
    if (line.Unrefused() != unrefusedBefore) changedUnseen.insert(plan.number);
    if (money && changedUnseen.count(plan.number) && shift == shiftBefore) {
      // The book takes what the register recorded; where that is not what the plan and the
      // driver's report make of it, the line changed it.
      const RegisterSums recorded = RegisterSums::Of(sim).Since(before);
      const std::vector<Discrepancy> changed =
          Differences(recorded, done ? Ledger::Expected(plan) : RegisterSums{});
      for (const Discrepancy& d : changed)
        recordsChanged.push_back("document " + std::to_string(plan.number) + ": " + d.what +
                                 " moved by " + std::to_string(d.registered) + ", the plan says " +
                                 std::to_string(d.expected));
      if (!changed.empty()) ++result.recordsChangedByLine;
      ledger.AddRecorded(recorded, done);
    } else if (money && done) {
      ledger.AddDone(plan);
    }
    if (!done) continue;
    ++closedByDriver;
    if (plan.IsReceipt() && !plan.voided) {
      reportedClosed.insert(plan.number);
      if (!journal.Closed(plan.number))
        mismatch(plan.number, "reported closed, not closed at the register");
    }
  }
  compare("at the end");
  for (int number = 1; number <= options.count; ++number) {
    if (journal.Closed(number) && reportedClosed.count(number) == 0)
      mismatch(number, "closed at the register, not reported closed");
  }
  const Duplicates duplicates = Split(journal.Duplicates(), changedUnseen);

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
  List(out, "duplicates", duplicates.driver);
  for (const auto& [code, count] : duplicates.byCommand) {
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
  result.duplicates = int(duplicates.driver.size());
  result.hangs = stats.hangs;
  result.unrefused = line.Unrefused();
  result.duplicatesByLine = int(duplicates.line.size());
  ReportUnrefused(out, line, changedUnseen, recordsChanged, result.recordsChangedByLine,
                  duplicates.line);
  out << "receipts " << result.receipts << ", discrepancies " << result.discrepancies
      << ", duplicates " << result.duplicates << ", hangs " << result.hangs << "\n";
  return result;
}

}  // namespace orn::soak
