// The entry points of OposFptrCtl.dll: DllMain, the class objects and DllCanUnloadNow.

#include "ClassFactory.h"
#include "EventWindow.h"
#include "ServerModule.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) {
    orn::com::SetModuleHandle(instance);
    ::DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
  return orn::control::GetClassObject(clsid, riid, object);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  if (orn::com::ModuleLocked()) return S_FALSE;
  orn::control::UnregisterEventWindowClass();
  return S_OK;
}
