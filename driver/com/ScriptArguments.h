#pragma once
// Script engines (VBScript, JScript) pass a variable by reference as a reference to their
// own VARIANT (VT_BYREF | VT_VARIANT). Windows' ITypeInfo::Invoke hands the value inside on
// to a typed by-reference parameter such as DirectIO's long* pData; wine's refuses it with
// DISP_E_TYPEMISMATCH. This copy of the arguments refers to the values inside instead, which
// both accept; a value of another type than the parameter's still gives a type mismatch.
// (IFptr has no VARIANT parameters, so no argument needs the VARIANT itself.)

#include <windows.h>

#include <oaidl.h>

#include <array>

namespace orn::com {

class ScriptArguments {
 public:
  // `params` stays the caller's; the copy lives as long as this object.
  explicit ScriptArguments(DISPPARAMS* params);
  DISPPARAMS* Params() { return params_; }

 private:
  // More than any IFptr method takes; longer argument lists are passed on untouched.
  static constexpr UINT kMaxArguments = 16;
  std::array<VARIANTARG, kMaxArguments> arguments_{};
  DISPPARAMS copy_{};
  DISPPARAMS* params_;
};

}  // namespace orn::com
