#pragma once
// `ornfr log FILE`: the driver's log read back with every frame explained: the command's
// name and fields, the answer's error code with the register's text and its data, and for
// each call the time to the next one. The log stamps only the calls, so a call's time is
// what its exchanges took together (with one exchange, the time to its answer).

#include <istream>

#include "Ornfr.h"

namespace orn::ornfr {

// Writes the explained log to env.out; the log's text is in the ANSI code page.
void ExplainLog(std::istream& log, Environment& env);

}  // namespace orn::ornfr
