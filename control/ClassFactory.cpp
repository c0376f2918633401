#include "ClassFactory.h"

#include <unknwn.h>

#include "FiscalPrinterControl.h"
#include "ServerModule.h"

namespace orn::control {
namespace {

// One static factory: it lives as long as the DLL, and only its server locks count.
class ControlFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (riid != IID_IUnknown && riid != IID_IClassFactory) return E_NOINTERFACE;
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    com::LockModule();
    return 2;
  }
  ULONG STDMETHODCALLTYPE Release() override {
    com::UnlockModule();
    return 1;
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return FiscalPrinterControl::Create(riid, object);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) {
      com::LockModule();
    } else {
      com::UnlockModule();
    }
    return S_OK;
  }
};

ControlFactory g_factory;

}  // namespace

HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (clsid != CLSID_OPOSFiscalPrinter) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(riid, object);
}

}  // namespace orn::control
