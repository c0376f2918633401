#include "service/FptrService.h"

namespace orn::service {

FptrService::FptrService(const platform::Platform& platform, platform::PortProvider& ports)
    : log_(platform.files, platform.clock),
      params_(platform.registry, log_),
      device_(ports, platform.clock, log_),
      stateStore_(platform.registry, params_),
      receipt_(stateStore_),
      unsettledRecord_(stateStore_),
      text_(platform.text),
      clock_(platform.clock) {
  // A port found by the scan is written back, so the next open goes straight to it.
  device_.SetPortFoundHandler([this](int port) { params_.SaveComNumber(port); });
}

}  // namespace orn::service
