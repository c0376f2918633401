#include "ScriptArguments.h"

namespace orn::com {

namespace {

// A value that a typed pointer can refer to in place.
bool IsPlainValue(VARTYPE type) {
  switch (type) {
    case VT_I1:
    case VT_I2:
    case VT_I4:
    case VT_I8:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_UI8:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_BSTR:
    case VT_BOOL:
    case VT_ERROR:
    case VT_DISPATCH:
    case VT_UNKNOWN:
      return true;
    default:
      return false;
  }
}

}  // namespace

ScriptArguments::ScriptArguments(DISPPARAMS* params) : params_(params) {
  if (!params || !params->rgvarg || params->cArgs > kMaxArguments) return;
  bool changed = false;
  for (UINT i = 0; i < params->cArgs; ++i) {
    VARIANTARG& argument = arguments_[i];
    argument = params->rgvarg[i];
    if (argument.vt != (VT_BYREF | VT_VARIANT) || !argument.pvarVal) continue;
    VARIANT* inner = argument.pvarVal;
    if (!IsPlainValue(inner->vt)) continue;
    argument.vt = VT_BYREF | inner->vt;
    argument.byref = &inner->lVal;  // every plain value starts where lVal does
    changed = true;
  }
  if (!changed) return;
  copy_ = *params;
  copy_.rgvarg = arguments_.data();
  params_ = &copy_;
}

}  // namespace orn::com
