#include "platform/win32/Win32PortProvider.h"

#include "OrnComm.h"
#include "platform/win32/Win32BoundedOpen.h"
#include "platform/win32/Win32Error.h"
#include "platform/win32/Win32SideBySide.h"

namespace orn::platform {

CommPort* Win32PortProvider::Acquire(int portNumber) {
  OsError& error = ErrorOf(portNumber);
  error.Clear();
  if (!ValidPort(portNumber) || ports_[portNumber]) return nullptr;
  HANDLE handle = INVALID_HANDLE_VALUE;
  DWORD code = 0;
  // OrnComm leaves CreateFile's error; a port it already handed out fails without one.
  if (!AcquireWithin({&OrnCommAcquire, &OrnCommRelease}, portNumber, kPortOpenBoundMs, handle,
                     code)) {
    error = Win32Error(code);
    return nullptr;
  }
  ports_[portNumber] = std::make_unique<Win32CommPort>(handle);
  return ports_[portNumber].get();
}

bool Win32PortProvider::Release(int portNumber) {
  if (!ValidPort(portNumber) || !ports_[portNumber]) return false;
  ports_[portNumber].reset();
  return OrnCommRelease(portNumber) != 0;
}

void Win32PortProvider::RunSideBySide(size_t count, const std::function<void(size_t)>& job) {
  RunOnThreads(count, job);
}

}  // namespace orn::platform
