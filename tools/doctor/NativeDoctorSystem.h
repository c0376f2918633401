#pragma once
// ornfr doctor on Linux: the registry is a REGEDIT4 file, the COM ports are the device paths
// given on the command line, and OpenService runs the service object's own code in this
// process. There is no COM, so no registration to check.

#include <memory>
#include <string>

#include "Doctor.h"

namespace orn::ornfr {

std::unique_ptr<DoctorSystem> MakeNativeDoctorSystem(const DoctorOptions& options, Environment& env,
                                                     std::string& error);

}  // namespace orn::ornfr
