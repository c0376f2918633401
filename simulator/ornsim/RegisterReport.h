#pragma once
// The register's shift registers as a person checking a run would read them: every money
// and operation register that is not zero, by number, with what it holds.

#include "simulator/RegisterSimulator.h"

namespace orn::simulator {

// One "money N (what): value" or "operations N (what): value" line each, on stdout.
void ShowRegisters(RegisterSimulator& simulator);

}  // namespace orn::simulator
