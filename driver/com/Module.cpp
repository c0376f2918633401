#include "Module.h"

#include "ClassFactory.h"
#include "FptrTypeInfo.h"

namespace orn::com {

namespace {

HMODULE module = nullptr;
LONG lockCount = 0;

}  // namespace

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

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    orn::com::module = instance;
    ::DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    // Unloaded by FreeLibrary (after DllCanUnloadNow said yes): give back what the module
    // keeps. At process exit (reserved set) COM may already be gone, so nothing is called.
    orn::com::ReleaseClassFactory();
    orn::com::ReleaseFptrTypeInfo();
  }
  return TRUE;
}
