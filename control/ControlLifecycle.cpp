// Open and Close, claiming and releasing, and the one way every method reaches the
// service object.
#include "DeviceRegistry.h"
#include "FiscalPrinterControl.h"
#include "OposConstants.h"

namespace orn::control {
namespace {

void Report(LONG* pRC, long result) {
  if (pRC) *pRC = result;
}

}  // namespace

void FiscalPrinterControl::KeepResult(LONG* pRC, long result) {
  controlResult_ = result;
  Report(pRC, result);
}

HRESULT FiscalPrinterControl::CallService(ServiceMethod method, VARIANTARG* args, UINT count,
                                          LONG* pRC, bool gated) {
  if (!open_) {
    Report(pRC, OPOS_E_CLOSED);
    return S_OK;
  }
  if (gated && !service_.Callable(method)) {
    KeepResult(pRC, OPOS_E_NOSERVICE);
    return S_OK;
  }
  controlResult_.reset();
  VARIANT result;
  const HRESULT hr = service_.Invoke(method, args, count, &result);
  if (FAILED(hr)) {
    KeepResult(pRC, OPOS_E_NOSERVICE);
    return hr;
  }
  Report(pRC, ResultAsLong(result));
  ::VariantClear(&result);
  return S_OK;
}

HRESULT FiscalPrinterControl::Open(BSTR DeviceName, LONG* pRC) {
  if (open_) {
    openResult_ = OPOS_OR_ALREADYOPEN;
    Report(pRC, OPOS_E_ILLEGAL);
    return S_OK;
  }
  ServiceEntry entry;
  openResult_ = FindServiceEntry(DeviceName, &entry);
  if (openResult_ != OPOS_SUCCESS) {
    Report(pRC, openResult_ == OPOS_OR_REGBADNAME ? OPOS_E_NOEXIST : OPOS_E_NOSERVICE);
    return S_OK;
  }

  IUnknown* unknown = nullptr;
  void* dispatch = nullptr;
  if (FAILED(::CoCreateInstance(entry.clsid, nullptr, CLSCTX_ALL, IID_IUnknown,
                                reinterpret_cast<void**>(&unknown)))) {
    openResult_ = OPOS_OR_CREATE;
    Report(pRC, OPOS_E_NOSERVICE);
    return S_OK;
  }
  const HRESULT queried = unknown->QueryInterface(IID_IDispatch, &dispatch);
  unknown->Release();
  if (FAILED(queried)) {
    openResult_ = OPOS_OR_CREATE;
    Report(pRC, OPOS_E_NOSERVICE);
    return S_OK;
  }
  service_.Attach(static_cast<IDispatch*>(dispatch));

  if (service_.LookUpNames() < kBaseMethodCount) {
    service_.Release();
    openResult_ = OPOS_OR_BADIF;
    Report(pRC, OPOS_E_NOSERVICE);
    return S_OK;
  }

  // OpenService gets the control's own dispatch interface for its callbacks.
  BSTR deviceClass = ::SysAllocString(kDeviceClass);
  BSTR physicalName = ::SysAllocString(entry.physicalName.c_str());
  VARIANTARG args[3];
  SetArgs(args, deviceClass, physicalName, static_cast<IDispatch*>(this));
  VARIANT result;
  const HRESULT opened = service_.Invoke(kOpenService, args, 3, &result);
  ::SysFreeString(deviceClass);
  ::SysFreeString(physicalName);
  const long serviceResult = SUCCEEDED(opened) ? ResultAsLong(result) : OPOS_E_NOSERVICE;
  ::VariantClear(&result);
  if (FAILED(opened) || serviceResult != OPOS_SUCCESS) {
    openResult_ = OPOS_OR_FAILEDOPEN;
    VARIANT detail;
    if (SUCCEEDED(opened) && SUCCEEDED(service_.InvokeByName(L"GetOpenResult", &detail))) {
      openResult_ = ResultAsLong(detail);
      ::VariantClear(&detail);
    }
    service_.Release();
    Report(pRC, serviceResult);
    return opened;
  }

  open_ = true;
  eventsEnabled_ = true;
  LONG version = 0;
  VARIANTARG index;
  SetArg(index, static_cast<LONG>(PIDX_ServiceObjectVersion));
  if (SUCCEEDED(service_.Invoke(kGetPropertyNumber, &index, 1, &result))) {
    version = ResultAsLong(result);
    ::VariantClear(&result);
  }
  if (MajorOf(version) != kMajorVersion) {
    openResult_ = OPOS_OR_BADVERSION;
  } else if (service_.FoundCount() < RequiredMethodCount(MinorOf(version))) {
    openResult_ = OPOS_OR_BADIF;
  } else {
    service_.SetRelease(MinorOf(version));
    openResult_ = OPOS_SUCCESS;
    controlResult_.reset();
    Report(pRC, OPOS_SUCCESS);
    return S_OK;
  }
  LONG unused = 0;
  CloseService(&unused);
  Report(pRC, OPOS_E_NOSERVICE);
  return S_OK;
}

HRESULT FiscalPrinterControl::CloseService(LONG* pRC) {
  eventsEnabled_ = false;
  const HRESULT hr = CallService(kCloseService, nullptr, 0, pRC, false);
  service_.Release();
  open_ = false;
  return hr;
}

HRESULT FiscalPrinterControl::Close(LONG* pRC) {
  if (!open_) {
    Report(pRC, OPOS_E_CLOSED);
    return S_OK;
  }
  return CloseService(pRC);
}

HRESULT FiscalPrinterControl::ClaimDevice(LONG Timeout, LONG* pRC) {
  if (open_) eventsEnabled_ = true;
  VARIANTARG args[1];
  SetArgs(args, Timeout);
  return CallService(kClaimDevice, args, 1, pRC, false);
}

HRESULT FiscalPrinterControl::ReleaseDevice(LONG* pRC) {
  eventsEnabled_ = false;
  return CallService(kReleaseDevice, nullptr, 0, pRC, false);
}

}  // namespace orn::control
