#pragma once
// What an in-process COM server DLL keeps for the whole module: its instance handle, and the
// lock count that DllCanUnloadNow reports (live objects, LockServer locks and outside
// references to a class factory). Each DLL that links this has its own copy.

#include <windows.h>

namespace orn::com {

// Set by the DLL's DllMain at DLL_PROCESS_ATTACH.
void SetModuleHandle(HMODULE module);
HMODULE ModuleHandle();
void LockModule();
void UnlockModule();
bool ModuleLocked();

}  // namespace orn::com
