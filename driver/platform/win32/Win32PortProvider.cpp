#include "OrnComm.h"
#include "platform/win32/Win32CommPort.h"

namespace orn::platform {

CommPort* Win32PortProvider::Acquire(int portNumber) {
  if (portNumber < 1 || portNumber > 32 || ports_[portNumber]) return nullptr;
  HANDLE handle = INVALID_HANDLE_VALUE;
  if (!OrnCommAcquire(portNumber, &handle)) return nullptr;
  ports_[portNumber] = std::make_unique<Win32CommPort>(handle);
  return ports_[portNumber].get();
}

bool Win32PortProvider::Release(int portNumber) {
  if (portNumber < 1 || portNumber > 32 || !ports_[portNumber]) return false;
  ports_[portNumber].reset();
  return OrnCommRelease(portNumber) != 0;
}

}  // namespace orn::platform
