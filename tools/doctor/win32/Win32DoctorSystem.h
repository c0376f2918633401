#pragma once
// ornfr doctor on Windows: both registry views, the COM registration of the service object
// and of the OPOS control in each, and the service object opened in this process.

#include <memory>
#include <string>

#include "Doctor.h"

namespace orn::ornfr {

std::unique_ptr<DoctorSystem> MakeWin32DoctorSystem(const DoctorOptions& options, Environment& env,
                                                    platform::PortProvider& ports,
                                                    std::string& error);

}  // namespace orn::ornfr
