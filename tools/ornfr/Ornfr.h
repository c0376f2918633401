#pragma once
// ornfr: a service tool for an engineer at a register, on the driver's own code: status,
// type and the port search, reports, printing, the clock, tables and cash registers.

#include "Environment.h"

namespace orn::ornfr {

// argv[0] is the program name. Returns the exit status.
int Run(int argc, const char* const* argv, Environment& environment);

}  // namespace orn::ornfr
