#pragma once
// One soak: documents drawn from the seed run by the careful point of sale through
// FptrService on the virtual line against the register simulator, under the faults of the
// schedule; the register's record checked against the application's ledger. Frames the
// line changed in a way the check byte could not refuse are counted apart, and the
// documents they came in are reconciled by what the register recorded, so that a
// discrepancy or a duplicate is always the driver's. The report ends with
// "frames the check byte could not refuse: N" and "receipts N, discrepancies D,
// duplicates U, hangs H".

#include <cstdint>
#include <ostream>
#include <string>

#include "soak/FaultSchedule.h"
#include "soak/LineWatch.h"

namespace orn::soak {

struct SoakOptions {
  uint32_t seed = 1;
  int count = 200;
  bool exactlyOnce = true;
  // The point of sale sets CheckTotal: the driver compares every subtotal and total it
  // passes with the register's. Off, as most applications run, the driver's own handling
  // has to catch what went wrong.
  bool checkTotal = false;
  bool verbose = false;   // every failed call and restart as it happens
  std::string driverLog;  // where to write the driver's log of the run; empty: no log
  FaultRates rates;
  // Line changes scripted on top of the rates (tests).
  LineWatch::Script script;
};

struct SoakResult {
  int receipts = 0;
  int discrepancies = 0;
  int duplicates = 0;
  uint64_t hangs = 0;
  // Frames one end took although the line had changed them, and what they did: documents
  // whose record at the register is not the plan's, registrations twice.
  uint32_t unrefused = 0;
  int recordsChangedByLine = 0;
  int duplicatesByLine = 0;
  bool started = false;  // the first service object could be made
};

// Runs the soak, writing its report to `out`.
SoakResult RunSoak(const SoakOptions& options, std::ostream& out);

}  // namespace orn::soak
