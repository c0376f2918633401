#include "platform/win32/Win32BoundedOpen.h"

#include <new>

namespace orn::platform {

namespace {

constexpr SIZE_T kOpenStack = 64 * 1024;
// After the bound, the OS is asked to cancel the open (some drivers allow it) and given
// this long to do so.
constexpr DWORD kCancelGraceMs = 50;

enum : LONG { kRunning, kReturned, kLeftBehind };

// Shared by the caller and the thread until one of them knows the other is done with it:
// the caller when the acquire returned in time, the thread when it was left behind.
struct PendingOpen {
  PortHandleCalls calls;
  int portNumber;
  HMODULE module;  // this module, loaded until the thread ends
  volatile LONG state;
  BOOL acquired;
  HANDLE handle;
  DWORD error;
};

DWORD WINAPI OpenOnThread(void* parameter) {
  auto* open = static_cast<PendingOpen*>(parameter);
  const HMODULE module = open->module;
  ::SetLastError(0);
  open->acquired = open->calls.acquire(open->portNumber, &open->handle);
  open->error = ::GetLastError();
  if (::InterlockedCompareExchange(&open->state, kReturned, kRunning) == kLeftBehind) {
    // Nobody waits for this port any more: it goes straight back.
    if (open->acquired) open->calls.release(open->portNumber);
    delete open;
  }
  ::FreeLibraryAndExitThread(module, 0);
  return 0;
}

// The acquire on the caller's thread, with no bound: only when no thread can be had.
bool AcquireHere(const PortHandleCalls& calls, int portNumber, HANDLE& handle, DWORD& error) {
  ::SetLastError(0);
  const bool acquired = calls.acquire(portNumber, &handle);
  error = ::GetLastError();
  return acquired;
}

}  // namespace

bool AcquireWithin(const PortHandleCalls& calls, int portNumber, DWORD boundMs, HANDLE& handle,
                   DWORD& error) {
  auto* open = new (std::nothrow)
      PendingOpen{calls, portNumber, nullptr, kRunning, FALSE, INVALID_HANDLE_VALUE, 0};
  if (!open) return AcquireHere(calls, portNumber, handle, error);
  // The thread's own reference to this module: an open left behind must find its code
  // still there when it returns, whatever the caller has unloaded by then.
  if (!::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCWSTR>(&OpenOnThread), &open->module)) {
    delete open;
    return AcquireHere(calls, portNumber, handle, error);
  }
  const HANDLE thread = ::CreateThread(nullptr, kOpenStack, &OpenOnThread, open,
                                       STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
  if (!thread) {
    ::FreeLibrary(open->module);
    delete open;
    return AcquireHere(calls, portNumber, handle, error);
  }
  if (::WaitForSingleObject(thread, boundMs) != WAIT_OBJECT_0) {
    ::CancelSynchronousIo(thread);
    ::WaitForSingleObject(thread, kCancelGraceMs);
  }
  ::CloseHandle(thread);
  if (::InterlockedCompareExchange(&open->state, kLeftBehind, kRunning) == kRunning) {
    error = ERROR_TIMEOUT;  // the thread gives the port back and frees `open`
    return false;
  }
  // It returned: its results are written, and it no longer touches `open`.
  const bool acquired = open->acquired != FALSE;
  handle = open->handle;
  error = open->error;
  delete open;
  return acquired;
}

}  // namespace orn::platform
