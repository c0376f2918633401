#pragma once
// What ornfr prints of the register's answers, one "name: value" line each.

#include "Ornfr.h"
#include "device/FiscalDevice.h"

namespace orn::ornfr {

// The register's error (or its silence) on standard error; returns the exit status.
int ReportFailure(const device::FiscalDevice& device, Environment& env);
void PrintStatus(const device::FiscalDevice& device, Environment& env);
void PrintType(const device::FiscalDevice& device, Environment& env);

}  // namespace orn::ornfr
