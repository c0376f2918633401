#pragma once
// What ornfr prints of the register's answers, one "name: value" line each.

#include "Ornfr.h"
#include "device/FiscalDevice.h"

namespace orn::ornfr {

void PrintStatus(const device::FiscalDevice& device, Environment& env);
void PrintType(const device::FiscalDevice& device, Environment& env);

}  // namespace orn::ornfr
