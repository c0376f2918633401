#pragma once
// Module-wide state of OrnDriver.dll: its instance handle and the lock count that decides
// DllCanUnloadNow (live objects, LockServer locks and outside references to the class
// factory).

#include <windows.h>

namespace orn::com {

HMODULE ModuleHandle();
void LockModule();
void UnlockModule();
bool ModuleLocked();

}  // namespace orn::com
