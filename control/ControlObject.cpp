// The control as a COM object: its identity (every per-release interface and IDispatch are
// the one vtable), its reference count, and IDispatch through the type library embedded in
// the DLL, as the standard control's framework provides it.
#include <new>

#include "FiscalPrinterControl.h"
#include "ServerModule.h"
#include "ScriptArguments.h"

namespace orn::control {
namespace {

bool IsControlInterface(REFIID riid) {
  return riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IOPOSFiscalPrinter ||
         riid == IID_IOPOSFiscalPrinter_1_12 || riid == IID_IOPOSFiscalPrinter_1_11 ||
         riid == IID_IOPOSFiscalPrinter_1_9 || riid == IID_IOPOSFiscalPrinter_1_8 ||
         riid == IID_IOPOSFiscalPrinter_1_6;
}

// The type library of this DLL (resource TYPELIB 1).
HRESULT LoadOwnTypeLib(ITypeLib** library) {
  wchar_t path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(com::ModuleHandle(), path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return HRESULT_FROM_WIN32(::GetLastError());
  return ::LoadTypeLibEx(path, REGKIND_NONE, library);
}

HRESULT LoadTypeInfoOf(REFGUID guid, ITypeInfo** info) {
  ITypeLib* library = nullptr;
  HRESULT hr = LoadOwnTypeLib(&library);
  if (FAILED(hr)) return hr;
  hr = library->GetTypeInfoOfGuid(guid, info);
  library->Release();
  return hr;
}

}  // namespace

FiscalPrinterControl::FiscalPrinterControl() {
  com::LockModule();
}

FiscalPrinterControl::~FiscalPrinterControl() {
  if (open_) {
    LONG unused = 0;
    CloseService(&unused);
  }
  if (typeInfo_) typeInfo_->Release();
  com::UnlockModule();
}

HRESULT FiscalPrinterControl::Create(REFIID riid, void** object) {
  auto* control = new (std::nothrow) FiscalPrinterControl;
  if (!control) return E_OUTOFMEMORY;
  control->AddRef();
  const HRESULT hr = control->QueryInterface(riid, object);
  control->Release();
  return hr;
}

HRESULT FiscalPrinterControl::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsControlInterface(riid)) {
    *object = static_cast<IOPOSFiscalPrinter*>(this);
  } else if (riid == IID_IProvideClassInfo || riid == IID_IProvideClassInfo2) {
    *object = static_cast<IProvideClassInfo2*>(this);
  } else if (riid == IID_IConnectionPointContainer) {
    *object = static_cast<IConnectionPointContainer*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG FiscalPrinterControl::AddRef() {
  return ::InterlockedIncrement(&references_);
}

ULONG FiscalPrinterControl::Release() {
  const LONG left = ::InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return left;
}

HRESULT FiscalPrinterControl::LoadTypeInfo() {
  if (typeInfo_) return S_OK;
  return LoadTypeInfoOf(IID_IOPOSFiscalPrinter, &typeInfo_);
}

HRESULT FiscalPrinterControl::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT FiscalPrinterControl::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  const HRESULT hr = LoadTypeInfo();
  if (FAILED(hr)) return hr;
  typeInfo_->AddRef();
  *info = typeInfo_;
  return S_OK;
}

HRESULT FiscalPrinterControl::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) {
  if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  const HRESULT hr = LoadTypeInfo();
  if (FAILED(hr)) return hr;
  return typeInfo_->GetIDsOfNames(names, count, ids);
}

HRESULT FiscalPrinterControl::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argError) {
  if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  const HRESULT hr = LoadTypeInfo();
  if (FAILED(hr)) return hr;
  // A script's variables passed by reference reach DirectIO, GetData and the like as they
  // do through Windows' own ITypeInfo::Invoke.
  orn::com::ScriptArguments arguments(params);
  return typeInfo_->Invoke(static_cast<IOPOSFiscalPrinter*>(this), id, flags, arguments.Params(),
                           result, exception, argError);
}

HRESULT FiscalPrinterControl::GetClassInfo(ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  return LoadTypeInfoOf(CLSID_OPOSFiscalPrinter, info);
}

HRESULT FiscalPrinterControl::GetGUID(DWORD kind, GUID* guid) {
  if (!guid) return E_POINTER;
  if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
  *guid = DIID__IOPOSFiscalPrinterEvents;
  return S_OK;
}

HRESULT FiscalPrinterControl::EnumConnectionPoints(IEnumConnectionPoints** out) {
  if (out) *out = nullptr;
  return E_NOTIMPL;
}

HRESULT FiscalPrinterControl::FindConnectionPoint(REFIID riid, IConnectionPoint** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (riid != DIID__IOPOSFiscalPrinterEvents) return CONNECT_E_NOCONNECTION;
  *out = &events_;
  events_.AddRef();
  return S_OK;
}

}  // namespace orn::control
