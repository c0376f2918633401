#pragma once
// The type information of IFptr, loaded once per process from the registered type library
// and shared by every object, with a cache of the method names for GetIDsOfNames.

#include <windows.h>

#include <oaidl.h>

namespace orn::com {

// The type information (not AddRef'ed: it lives until the module ends), or the failure of
// loading it; a failed load is tried again on the next call.
HRESULT FptrTypeInfo(LCID locale, ITypeInfo** info);
// IDispatch::GetIDsOfNames of IFptr. A single name is looked up in the name cache first
// (exact, case-sensitive), then by the type information (which ignores case). More than
// one name is a method and its argument names: the type information answers those.
HRESULT FptrIDsOfNames(LPOLESTR* names, UINT count, LCID locale, DISPID* ids);
// At module end.
void ReleaseFptrTypeInfo();

}  // namespace orn::com
