#pragma once
// ornfr's commands for the fiscal memory reports and the register's settings, on the same
// date and number reading and the same table writes as the service object's methods.

#include <string>
#include <vector>

#include "Ornfr.h"
#include "device/FiscalDevice.h"

namespace orn::ornfr {

// report --dates FROM TO | report --shifts FIRST LAST, set-header N TEXT,
// set-trailer N TEXT, vat, set-vat N RATE. Returns the exit status; false when `command`
// is none of them.
bool RunSettingsCommand(const std::string& command, const std::vector<std::string>& args,
                        device::FiscalDevice& device, Environment& env, int& status);

}  // namespace orn::ornfr
