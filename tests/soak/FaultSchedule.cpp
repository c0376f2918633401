#include "soak/FaultSchedule.h"

namespace orn::soak {

using simulator::PaperFault;
using simulator::Station;

const char* FaultSchedule::Name(FaultKind kind) {
  static constexpr const char* kNames[] = {
      "answer lost after execution",  "answer lost and not kept",  "register silent for a while",
      "register reset (RAM cleared)", "paper out before printing", "paper out while printing",
      "point of sale crashed",
  };
  return kNames[size_t(kind)];
}

void FaultSchedule::BeforeCall(simulator::RegisterSimulator& sim, uint64_t nowMs) {
  simulator::SimulatorFaults& faults = sim.Faults();
  const simulator::SimulatorCounters& counters = sim.Counters();
  Forget(faults, counters);
  // Counted from the frames and printing commands the register has seen so far, so the
  // fault hits one of the next few commands of this call (or a later one).
  if (Chance(rates_.lostAnswer)) {
    faults.lostAnswers.push_back(counters.framesReceived + Draw(1, 4));
    Inject(FaultKind::kLostAnswer, faults.lostAnswers.back());
  }
  if (Chance(rates_.forgottenAnswer)) {
    faults.forgottenAnswers.push_back(counters.framesReceived + Draw(1, 4));
    Inject(FaultKind::kForgottenAnswer, faults.forgottenAnswers.back());
  }
  if (Chance(rates_.silentPeriod)) {
    faults.silentUntilMs = nowMs + Draw(1000, 60000);
    Inject(FaultKind::kSilentPeriod, faults.silentUntilMs);
    ++hit_[size_t(FaultKind::kSilentPeriod)];
  }
  if (Chance(rates_.reset)) {
    faults.resetBeforeCommand.push_back(counters.framesReceived + Draw(1, 4));
    Inject(FaultKind::kReset, faults.resetBeforeCommand.back());
  }
  const Station station = Chance(5000) ? Station::kReceipt : Station::kJournal;
  if (Chance(rates_.paperOutBeforePrint)) {
    faults.paperOutBeforePrint.push_back(PaperFault{counters.printCommands + Draw(1, 3), station});
    Inject(FaultKind::kPaperOutBeforePrint, faults.paperOutBeforePrint.back().number);
  }
  if (Chance(rates_.paperOutWhilePrinting)) {
    faults.paperOutAfterLine.push_back(PaperFault{counters.linesPrinted + Draw(1, 10), station});
    Inject(FaultKind::kPaperOutWhilePrinting, faults.paperOutAfterLine.back().number);
  }
}

void FaultSchedule::Inject(FaultKind kind, uint64_t at) {
  ++injected_[size_t(kind)];
  // Frames, printing commands and lines are counted from 1 over the run; a silent period
  // ends at a line time.
  if (trace_) *trace_ << "fault: " << Name(kind) << " (" << at << ")\n";
}

void FaultSchedule::Forget(simulator::SimulatorFaults& faults,
                           const simulator::SimulatorCounters& counters) {
  const auto past = [this](FaultKind kind, std::vector<uint32_t>& numbers, uint32_t count) {
    hit_[size_t(kind)] +=
        uint32_t(std::erase_if(numbers, [count](uint32_t number) { return number <= count; }));
  };
  const auto pastPaper = [this](FaultKind kind, std::vector<PaperFault>& faults, uint32_t count) {
    hit_[size_t(kind)] +=
        uint32_t(std::erase_if(faults, [count](const PaperFault& f) { return f.number <= count; }));
  };
  past(FaultKind::kLostAnswer, faults.lostAnswers, counters.framesReceived);
  past(FaultKind::kForgottenAnswer, faults.forgottenAnswers, counters.framesReceived);
  past(FaultKind::kReset, faults.resetBeforeCommand, counters.framesReceived);
  pastPaper(FaultKind::kPaperOutBeforePrint, faults.paperOutBeforePrint, counters.printCommands);
  pastPaper(FaultKind::kPaperOutWhilePrinting, faults.paperOutAfterLine, counters.linesPrinted);
}

bool FaultSchedule::CrashNow() {
  if (!Chance(rates_.crash)) return false;
  Inject(FaultKind::kCrash, 0);
  ++hit_[size_t(FaultKind::kCrash)];
  return true;
}

}  // namespace orn::soak
