#pragma once
// COM ports by number from OrnComm.dll, the product's port provider.

#include <memory>

#include "platform/win32/Win32CommPort.h"

namespace orn::platform {

// Ports from OrnComm.dll (ordinals 1 and 2).
class Win32PortProvider : public PortProvider {
 public:
  CommPort* Acquire(int portNumber) override;
  bool Release(int portNumber) override;

 private:
  std::unique_ptr<Win32CommPort> ports_[33];
};

}  // namespace orn::platform
