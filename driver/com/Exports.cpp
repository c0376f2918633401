// The class-object exports of OrnDriver.dll (registration: Registration.cpp).

#include <windows.h>

#include "ClassFactory.h"
#include "FptrInterface.h"
#include "ServerModule.h"

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (rclsid != CLSID_FiscPrinter) return CLASS_E_CLASSNOTAVAILABLE;
  return orn::com::GetClassFactory(riid, ppv);
}

STDAPI DllCanUnloadNow() {
  return orn::com::ModuleLocked() ? S_FALSE : S_OK;
}
