#pragma once
// Arguments the control passes to the service object's Invoke, one overload per type of
// the interface. The VARIANTs borrow their values (strings and pointers stay the caller's),
// so they are never cleared.

#include <windows.h>

#include <oaidl.h>

namespace orn::control {

inline void SetArg(VARIANTARG& arg, LONG value) {
  arg.vt = VT_I4;
  arg.lVal = value;
}

// Booleans reach the service object as VARIANT_TRUE or VARIANT_FALSE whatever the caller
// passed.
inline void SetArg(VARIANTARG& arg, VARIANT_BOOL value) {
  arg.vt = VT_BOOL;
  arg.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

inline void SetArg(VARIANTARG& arg, BSTR value) {
  arg.vt = VT_BSTR;
  arg.bstrVal = value;
}

inline void SetArg(VARIANTARG& arg, CY value) {
  arg.vt = VT_CY;
  arg.cyVal = value;
}

inline void SetArg(VARIANTARG& arg, LONG* value) {
  arg.vt = VT_I4 | VT_BYREF;
  arg.plVal = value;
}

inline void SetArg(VARIANTARG& arg, BSTR* value) {
  arg.vt = VT_BSTR | VT_BYREF;
  arg.pbstrVal = value;
}

inline void SetArg(VARIANTARG& arg, IDispatch* value) {
  arg.vt = VT_DISPATCH;
  arg.pdispVal = value;
}

// An [out] string is handed to the service object empty; whatever the caller's BSTR held
// is not freed (the caller owns it).
inline BSTR* NullOut(BSTR* text) {
  if (text) *text = nullptr;
  return text;
}

// Fills `args` in the reverse order that IDispatch::Invoke expects: the last argument
// first.
template <typename... Args>
void SetArgs(VARIANTARG* args, Args... values) {
  unsigned index = sizeof...(Args);
  (SetArg(args[--index], values), ...);
}

// The result of a call as a long; zero when it does not convert.
inline LONG ResultAsLong(VARIANT& result) {
  if (FAILED(::VariantChangeType(&result, &result, 0, VT_I4))) return 0;
  return result.lVal;
}

}  // namespace orn::control
