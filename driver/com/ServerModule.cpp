#include "ServerModule.h"

namespace orn::com {

namespace {

HMODULE module = nullptr;
LONG lockCount = 0;

}  // namespace

void SetModuleHandle(HMODULE handle) {
  module = handle;
}

HMODULE ModuleHandle() {
  return module;
}

void LockModule() {
  ::InterlockedIncrement(&lockCount);
}

void UnlockModule() {
  ::InterlockedDecrement(&lockCount);
}

bool ModuleLocked() {
  return ::InterlockedCompareExchange(&lockCount, 0, 0) != 0;
}

}  // namespace orn::com
