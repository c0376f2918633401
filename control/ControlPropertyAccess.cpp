// Properties: those passed on to the service object by property index, with the closed
// and release answers the standard control gives, and those the control answers itself.
#include "FiscalPrinterControl.h"
#include "OposConstants.h"

namespace orn::control {

bool FiscalPrinterControl::MayAsk(long minor) const {
  return open_ && service_.Minor() >= minor;
}

HRESULT FiscalPrinterControl::GetLong(long pidx, long minor, LONG* value) {
  if (!value) return E_POINTER;
  *value = 0;
  if (!MayAsk(minor)) return S_OK;
  VARIANTARG args[1];
  SetArgs(args, static_cast<LONG>(pidx));
  VARIANT result;
  if (SUCCEEDED(service_.Invoke(kGetPropertyNumber, args, 1, &result))) {
    *value = ResultAsLong(result);
    ::VariantClear(&result);
  }
  return S_OK;
}

// A put while closed is dropped; one beyond the service object's release is dropped too,
// and ResultCode then reads 104.
HRESULT FiscalPrinterControl::PutProperty(ServiceMethod setter, long pidx, long minor,
                                          VARIANTARG value) {
  if (!open_) return S_OK;
  if (!MayAsk(minor)) {
    controlResult_ = OPOS_E_NOSERVICE;
    return S_OK;
  }
  controlResult_.reset();
  VARIANTARG args[2];
  SetArg(args[1], static_cast<LONG>(pidx));
  args[0] = value;
  VARIANT result;
  if (SUCCEEDED(service_.Invoke(setter, args, 2, &result))) ::VariantClear(&result);
  return S_OK;
}

HRESULT FiscalPrinterControl::PutLong(long pidx, long minor, LONG value) {
  VARIANTARG arg;
  SetArg(arg, value);
  return PutProperty(kSetPropertyNumber, pidx, minor, arg);
}

HRESULT FiscalPrinterControl::GetBool(long pidx, long minor, VARIANT_BOOL* value) {
  if (!value) return E_POINTER;
  LONG number = 0;
  GetLong(pidx, minor, &number);
  *value = number ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

// Booleans travel to the service object as 1 and 0.
HRESULT FiscalPrinterControl::PutBool(long pidx, long minor, VARIANT_BOOL value) {
  return PutLong(pidx, minor, value ? 1 : 0);
}

HRESULT FiscalPrinterControl::GetString(long pidx, long minor, BSTR* value) {
  if (!value) return E_POINTER;
  *value = nullptr;
  if (MayAsk(minor)) {
    VARIANTARG args[1];
    SetArgs(args, static_cast<LONG>(pidx));
    VARIANT result;
    if (SUCCEEDED(service_.Invoke(kGetPropertyString, args, 1, &result))) {
      if (SUCCEEDED(::VariantChangeType(&result, &result, 0, VT_BSTR))) {
        *value = result.bstrVal;
        return S_OK;
      }
      ::VariantClear(&result);
    }
  }
  *value = ::SysAllocString(kNoString);
  return *value ? S_OK : E_OUTOFMEMORY;
}

HRESULT FiscalPrinterControl::PutString(long pidx, long minor, BSTR value) {
  VARIANTARG arg;
  SetArg(arg, value);
  return PutProperty(kSetPropertyString, pidx, minor, arg);
}

HRESULT FiscalPrinterControl::get_OpenResult(LONG* pOpenResult) {
  if (!pOpenResult) return E_POINTER;
  *pOpenResult = openResult_;
  return S_OK;
}

HRESULT FiscalPrinterControl::get_ResultCode(LONG* pResultCode) {
  if (!pResultCode) return E_POINTER;
  if (!open_) {
    *pResultCode = OPOS_E_CLOSED;
    return S_OK;
  }
  if (controlResult_) {
    *pResultCode = *controlResult_;
    return S_OK;
  }
  return GetLong(PIDX_ResultCode, 0, pResultCode);
}

HRESULT FiscalPrinterControl::get_State(LONG* pState) {
  if (!pState) return E_POINTER;
  if (!open_) {
    *pState = OPOS_S_CLOSED;
    return S_OK;
  }
  return GetLong(PIDX_State, 0, pState);
}

HRESULT FiscalPrinterControl::get_ControlObjectDescription(BSTR* pDescription) {
  if (!pDescription) return E_POINTER;
  *pDescription = ::SysAllocString(kControlObjectDescription);
  return *pDescription ? S_OK : E_OUTOFMEMORY;
}

HRESULT FiscalPrinterControl::get_ControlObjectVersion(LONG* pVersion) {
  if (!pVersion) return E_POINTER;
  *pVersion = kControlObjectVersion;
  return S_OK;
}

HRESULT FiscalPrinterControl::get_FreezeEvents(VARIANT_BOOL* pFreezeEvents) {
  return GetBool(PIDX_FreezeEvents, 0, pFreezeEvents);
}

// The service object hears of a freeze before the control holds events back, and of a
// thaw after the control lets them through again.
HRESULT FiscalPrinterControl::put_FreezeEvents(VARIANT_BOOL FreezeEvents) {
  if (!open_) return S_OK;
  if (FreezeEvents) {
    PutBool(PIDX_FreezeEvents, 0, VARIANT_TRUE);
    frozen_ = true;
  } else {
    frozen_ = false;
    PutBool(PIDX_FreezeEvents, 0, VARIANT_FALSE);
  }
  return S_OK;
}

}  // namespace orn::control
