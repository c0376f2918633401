#pragma once
// The register's printer: lines wait in a queue and leave one per `lineMs` of line time,
// each to its stations. The submode byte tells the phase: 5 (or 4 for a long report) while
// lines are due, 0 when all are out. Paper comes from the flag bits: when a station's paper
// is missing before a line, the printing stops (submode 2); once the paper is back the
// printer waits for ContinuePrint (submode 3) and then prints the rest. Paper missing
// while idle is submode 1. A slip line needs no paper (the slip is checked by PrintSlip).

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "simulator/SimulatorFaults.h"
#include "simulator/Station.h"

namespace orn::simulator {

struct PrintTiming {
  uint32_t lineMs = 0;  // line time per printed line; 0 prints at once
};

class Printer {
 public:
  // Called for every line as it is printed, with its station (a line for two stations is
  // reported once per station).
  using LineObserver = std::function<void(Station, const std::string&)>;

  // The printer works on the register's flags and submode bytes.
  Printer(uint16_t& flags, uint8_t& submode, bool hasJournal, SimulatorFaults& faults,
          SimulatorCounters& counters);

  // Adds a line for `stations`; printing starts with Start. Lines for stations the printer
  // does not have are dropped.
  void Queue(StationMask stations, const std::string& text);
  // Starts printing what was queued since the last Start, at `nowMs`: submode 4 for a long
  // report, else 5. Printing already going on goes on as it is.
  void Start(uint64_t nowMs, bool longReport);
  // Prints what is due at `nowMs` and follows the paper sensors. True when the last queued
  // line left in this call.
  bool Advance(uint64_t nowMs);
  // ContinuePrint: the printing goes on from the line where it stopped.
  void Continue(uint64_t nowMs);
  // A reset: the queue is lost, the printer is idle.
  void Clear();

  bool HasQueued() const { return !queue_.empty(); }
  // Paper for every station of `stations` the register has.
  bool HasPaper(StationMask stations) const;
  // The error of a command that would print on `stations` without paper; 0 with paper.
  uint8_t PaperError(StationMask stations) const;

  const std::vector<std::string>& Printed(Station station) const;
  void ClearPrinted();
  uint32_t Cuts() const { return cuts_; }
  void Cut() { ++cuts_; }
  void SetObserver(LineObserver observer) { observer_ = std::move(observer); }
  PrintTiming& Timing() { return timing_; }

 private:
  struct Line {
    StationMask stations;
    std::string text;
  };

  void Emit(const Line& line);

  uint16_t& flags_;
  uint8_t& submode_;
  bool hasJournal_;
  SimulatorFaults& faults_;
  SimulatorCounters& counters_;
  PrintTiming timing_;
  std::deque<Line> queue_;
  bool fresh_ = false;  // lines were queued since the last Start
  uint64_t nextLineMs_ = 0;
  std::vector<std::string> printed_[3];  // journal, receipt, slip
  uint32_t cuts_ = 0;
  LineObserver observer_;
};

}  // namespace orn::simulator
