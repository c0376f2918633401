#pragma once
// Opening a port with a bound. CreateFile on some virtual COM ports (a Bluetooth link to a
// device that is not there) takes many seconds or never returns, and nothing can interrupt
// every such open: it runs on a thread of its own, and one that has not returned in time is
// left behind. That thread keeps this module loaded until the open returns, then gives the
// port straight back and ends; nothing else of the caller's is touched after the bound.

#include <windows.h>

namespace orn::platform {

// The two calls of the port-handle provider: OrnComm.dll's ordinals 1 and 2.
struct PortHandleCalls {
  BOOL(WINAPI* acquire)(int portNumber, HANDLE* handle);
  BOOL(WINAPI* release)(int portNumber);
};

// `calls.acquire` for the port, waited for at most `boundMs` (and a short grace after
// asking the OS to cancel it). True with `handle` set when it gave a port; false with
// `error` set otherwise (the acquire's own last error, or ERROR_TIMEOUT when it was left
// behind).
bool AcquireWithin(const PortHandleCalls& calls, int portNumber, DWORD boundMs, HANDLE& handle,
                   DWORD& error);

}  // namespace orn::platform
