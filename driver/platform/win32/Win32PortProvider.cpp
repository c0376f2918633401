#include "platform/win32/Win32PortProvider.h"

#include "OrnComm.h"
#include "platform/win32/Win32Error.h"

namespace orn::platform {

CommPort* Win32PortProvider::Acquire(int portNumber) {
  lastError_.Clear();
  if (portNumber < 1 || portNumber > 32 || ports_[portNumber]) return nullptr;
  HANDLE handle = INVALID_HANDLE_VALUE;
  // OrnComm leaves CreateFile's error; a port it already handed out fails without one.
  ::SetLastError(0);
  if (!OrnCommAcquire(portNumber, &handle)) {
    lastError_ = Win32Error(::GetLastError());
    return nullptr;
  }
  ports_[portNumber] = std::make_unique<Win32CommPort>(handle);
  return ports_[portNumber].get();
}

bool Win32PortProvider::Release(int portNumber) {
  if (portNumber < 1 || portNumber > 32 || !ports_[portNumber]) return false;
  ports_[portNumber].reset();
  return OrnCommRelease(portNumber) != 0;
}

}  // namespace orn::platform
