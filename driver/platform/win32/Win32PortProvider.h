#pragma once
// COM ports by number from OrnComm.dll, the product's port provider.

#include <memory>

#include "platform/win32/Win32CommPort.h"

namespace orn::platform {

// Ports from OrnComm.dll (ordinals 1 and 2). An open runs on a thread of its own and is
// left behind after kPortOpenBoundMs (Win32BoundedOpen.h); jobs side by side each get a
// thread.
class Win32PortProvider : public PortProvider {
 public:
  CommPort* Acquire(int portNumber) override;
  bool Release(int portNumber) override;
  void RunSideBySide(size_t count, const std::function<void(size_t)>& job) override;

 private:
  std::unique_ptr<Win32CommPort> ports_[kLastPortNumber + 1];
};

}  // namespace orn::platform
