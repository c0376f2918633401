// DllMain of OrnDriver.dll: the module's handle, and what it gives back when unloaded.

#include "ClassFactory.h"
#include "FptrTypeInfo.h"
#include "ServerModule.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    orn::com::SetModuleHandle(instance);
    ::DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    // Unloaded by FreeLibrary (after DllCanUnloadNow said yes): give back what the module
    // keeps. At process exit (reserved set) COM may already be gone, so nothing is called.
    orn::com::ReleaseClassFactory();
    orn::com::ReleaseFptrTypeInfo();
  }
  return TRUE;
}
