#include "Module.h"

#include "ClassFactory.h"
#include "EventWindow.h"

namespace orn::control {
namespace {

HMODULE g_module = nullptr;
LONG g_locks = 0;

}  // namespace

HMODULE ModuleHandle() {
  return g_module;
}

void LockModule() {
  ::InterlockedIncrement(&g_locks);
}

void UnlockModule() {
  ::InterlockedDecrement(&g_locks);
}

bool ModuleInUse() {
  return g_locks != 0;
}

}  // namespace orn::control

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) {
    orn::control::g_module = instance;
    ::DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
  return orn::control::GetClassObject(clsid, riid, object);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  if (orn::control::ModuleInUse()) return S_FALSE;
  orn::control::UnregisterEventWindowClass();
  return S_OK;
}
