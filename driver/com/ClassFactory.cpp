#include "ClassFactory.h"

#include <new>

#include "FiscalPrinter.h"
#include "ServerModule.h"

namespace orn::com {

namespace {

class ClassFactory final : public IClassFactory {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (riid != IID_IUnknown && riid != IID_IClassFactory) return E_NOINTERFACE;
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }

  // The module's own reference is the first: the module is locked only while somebody else
  // holds the factory.
  STDMETHODIMP_(ULONG) AddRef() override {
    ::AcquireSRWLockExclusive(&lock_);
    ULONG count = ++references_;
    if (count == 2) LockModule();
    ::ReleaseSRWLockExclusive(&lock_);
    return count;
  }

  STDMETHODIMP_(ULONG) Release() override {
    ::AcquireSRWLockExclusive(&lock_);
    ULONG count = --references_;
    if (count == 1) UnlockModule();
    ::ReleaseSRWLockExclusive(&lock_);
    if (count == 0) delete this;
    return count;
  }

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    FiscalPrinter* printer = nullptr;
    try {
      printer = new FiscalPrinter();  // locks the module until it is destroyed
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    HRESULT result = printer->QueryInterface(riid, object);
    if (FAILED(result)) delete printer;
    return result;
  }

  STDMETHODIMP LockServer(BOOL lock) override {
    if (lock) {
      LockModule();
    } else {
      UnlockModule();
    }
    return S_OK;
  }

 private:
  SRWLOCK lock_ = SRWLOCK_INIT;
  ULONG references_ = 1;
};

SRWLOCK tableLock = SRWLOCK_INIT;
ClassFactory* factory = nullptr;

}  // namespace

HRESULT GetClassFactory(REFIID riid, void** object) {
  ::AcquireSRWLockExclusive(&tableLock);
  if (!factory) factory = new (std::nothrow) ClassFactory();
  ClassFactory* current = factory;
  ::ReleaseSRWLockExclusive(&tableLock);
  if (!current) return E_OUTOFMEMORY;
  return current->QueryInterface(riid, object);
}

void ReleaseClassFactory() {
  ::AcquireSRWLockExclusive(&tableLock);
  ClassFactory* current = factory;
  factory = nullptr;
  ::ReleaseSRWLockExclusive(&tableLock);
  if (current) current->Release();
}

}  // namespace orn::com
