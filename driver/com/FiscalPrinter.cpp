#include "FiscalPrinter.h"

#include "FptrTypeInfo.h"
#include "ServerModule.h"
#include "ScriptArguments.h"

namespace orn::com {

FiscalPrinter::FiscalPrinter() : service_(platform_.Bundle(), ports_) {
  LockModule();
}

FiscalPrinter::~FiscalPrinter() {
  UnlockModule();
}

STDMETHODIMP FiscalPrinter::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (riid != IID_IUnknown && riid != IID_IDispatch && riid != IID_IFptr) return E_NOINTERFACE;
  *object = static_cast<IFptr*>(this);
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) FiscalPrinter::AddRef() {
  return ::InterlockedIncrement(&references_);
}

STDMETHODIMP_(ULONG) FiscalPrinter::Release() {
  ULONG count = ::InterlockedDecrement(&references_);
  if (count == 0) {
    references_ = 1;  // a reference taken and dropped while dying must not delete twice
    delete this;
  }
  return count;
}

STDMETHODIMP FiscalPrinter::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

STDMETHODIMP FiscalPrinter::GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  ITypeInfo* loaded = nullptr;
  HRESULT result = FptrTypeInfo(locale, &loaded);
  if (FAILED(result)) return result;
  loaded->AddRef();
  *info = loaded;
  return S_OK;
}

STDMETHODIMP FiscalPrinter::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) {
  if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  if (!names || !ids) return E_POINTER;
  return FptrIDsOfNames(names, count, locale, ids);
}

STDMETHODIMP FiscalPrinter::Invoke(DISPID id, REFIID riid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) {
  if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  ITypeInfo* info = nullptr;
  HRESULT loaded = FptrTypeInfo(locale, &info);
  if (FAILED(loaded)) return loaded;
  ScriptArguments arguments(params);
  return info->Invoke(static_cast<IFptr*>(this), id, flags, arguments.Params(), result, exception,
                      argumentError);
}

}  // namespace orn::com
