// One handle per COM port, opened on first request and closed when given back. A port
// that is already handed out (or still opening) is refused: the register's link is not
// shared. Ports are opened outside the lock, so that an open that hangs (some virtual
// ports) holds up no other port.

#define ORNCOMM_BUILD
#include "OrnComm.h"

#include <cstdio>

namespace {

constexpr int kPortCount = 32;
HANDLE g_handles[kPortCount + 1];
bool g_opening[kPortCount + 1];
CRITICAL_SECTION g_lock;

bool ValidPort(int portNumber) {
  return portNumber >= 1 && portNumber <= kPortCount;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    ::InitializeCriticalSection(&g_lock);
    for (HANDLE& handle : g_handles) handle = INVALID_HANDLE_VALUE;
  } else if (reason == DLL_PROCESS_DETACH) {
    for (HANDLE& handle : g_handles)
      if (handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
    ::DeleteCriticalSection(&g_lock);
  }
  return TRUE;
}

BOOL WINAPI OrnCommAcquire(int portNumber, HANDLE* handle) {
  if (!ValidPort(portNumber) || !handle) return FALSE;
  ::EnterCriticalSection(&g_lock);
  const bool handedOut = g_handles[portNumber] != INVALID_HANDLE_VALUE;
  const bool opening = g_opening[portNumber];
  if (!handedOut && !opening) g_opening[portNumber] = true;
  ::LeaveCriticalSection(&g_lock);
  if (handedOut) return FALSE;
  if (opening) {
    ::SetLastError(ERROR_BUSY);
    return FALSE;
  }

  char name[16];
  std::snprintf(name, sizeof name, "\\\\.\\COM%d", portNumber);
  const HANDLE port = ::CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  const DWORD error = ::GetLastError();
  ::EnterCriticalSection(&g_lock);
  g_opening[portNumber] = false;
  if (port != INVALID_HANDLE_VALUE) g_handles[portNumber] = port;
  ::LeaveCriticalSection(&g_lock);
  if (port == INVALID_HANDLE_VALUE) {
    ::SetLastError(error);  // the caller tells a missing port from one in use by it
    return FALSE;
  }
  *handle = port;
  return TRUE;
}

BOOL WINAPI OrnCommRelease(int portNumber) {
  if (!ValidPort(portNumber)) return FALSE;
  ::EnterCriticalSection(&g_lock);
  const HANDLE port = g_handles[portNumber];
  g_handles[portNumber] = INVALID_HANDLE_VALUE;
  ::LeaveCriticalSection(&g_lock);
  return port != INVALID_HANDLE_VALUE && ::CloseHandle(port);
}
