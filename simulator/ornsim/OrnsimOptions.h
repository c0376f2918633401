#pragma once
// ornsim's command line.

#include <string>

#include "simulator/RegisterSimulator.h"

namespace orn::simulator {

struct OrnsimOptions {
  bool pty = false;
  bool help = false;
  bool verbose = false;
  bool paced = false;          // bytes take their wire time at the line rate
  bool showTape = false;       // each printed line on standard output, in UTF-8
  bool showCounters = false;   // the link's counters on standard output when stopped
  bool showRegisters = false;  // the non-zero registers on standard output when stopped
  SimulatorConfig config;
};

extern const char kOrnsimUsage[];

// Fills `options` from the arguments; on a bad argument returns false with a message.
bool ParseOrnsimOptions(int argc, const char* const* argv, OrnsimOptions& options,
                        std::string& error);

}  // namespace orn::simulator
