#pragma once
// The faults of a soak, drawn from the run's seed before each call of the application:
// an answer lost after the register executed the command, the register silent for a while
// or reset, paper out before or while printing, and the point-of-sale process crashing
// between two calls. Bytes dropped or corrupted on the line come from the simulator's own
// seeded noise (RandomByteFaults). The same seed gives the same faults.

#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "simulator/RegisterSimulator.h"

namespace orn::soak {

// Chances in 10,000 per call (a crash: per step of a document).
struct FaultRates {
  uint32_t lostAnswer = 200;
  uint32_t forgottenAnswer = 50;
  uint32_t silentPeriod = 30;
  uint32_t reset = 20;
  uint32_t paperOutBeforePrint = 30;
  uint32_t paperOutWhilePrinting = 30;
  uint32_t crash = 50;
  // On the line, per byte and direction, in a million.
  uint32_t byteDropPerMillion = 5000;
  uint32_t byteCorruptPerMillion = 5000;
};

enum class FaultKind : uint8_t {
  kLostAnswer,
  kForgottenAnswer,
  kSilentPeriod,
  kReset,
  kPaperOutBeforePrint,
  kPaperOutWhilePrinting,
  kCrash,
  kCount
};

class FaultSchedule {
 public:
  // Each fault is named on `trace` as it is injected (none when null).
  FaultSchedule(uint32_t seed, const FaultRates& rates, std::ostream* trace = nullptr)
      : random_(seed), rates_(rates), trace_(trace) {}

  // Draws the faults of the next call and sets them up on the register; `nowMs` is line time.
  void BeforeCall(simulator::RegisterSimulator& sim, uint64_t nowMs);
  // Whether the point of sale crashes before its next step.
  bool CrashNow();
  // After a crash inside a receipt, whether the cashier carries on with it (else cancels it).
  bool CarryOnAfterCrash() { return random_() % 2 == 0; }

  uint32_t Injected(FaultKind kind) const { return injected_[size_t(kind)]; }
  // Of those, the ones whose command, line or moment has come (a fault set for a later
  // command than the run's last is never hit). Brought up to date by BeforeCall and Tally.
  uint32_t Hit(FaultKind kind) const { return hit_[size_t(kind)]; }
  void Tally(simulator::RegisterSimulator& sim) { Forget(sim.Faults(), sim.Counters()); }
  static const char* Name(FaultKind kind);

 private:
  // Drops the faults whose command or line has gone by, so the lists stay short, and counts
  // them as hit.
  void Forget(simulator::SimulatorFaults& faults, const simulator::SimulatorCounters& counters);
  void Inject(FaultKind kind, uint64_t at);
  bool Chance(uint32_t perTenThousand) { return random_() % 10000 < perTenThousand; }
  uint32_t Draw(uint32_t low, uint32_t high) { return low + random_() % (high - low + 1); }

  std::mt19937 random_;
  FaultRates rates_;
  std::ostream* trace_;
  uint32_t injected_[size_t(FaultKind::kCount)] = {};
  uint32_t hit_[size_t(FaultKind::kCount)] = {};
};

}  // namespace orn::soak
