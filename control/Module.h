#pragma once
// The DLL's module: its handle, and the count of live objects and server locks that
// DllCanUnloadNow reports.

#include <windows.h>

namespace orn::control {

HMODULE ModuleHandle();
void LockModule();
void UnlockModule();
bool ModuleInUse();

}  // namespace orn::control
