#include "FptrTypeInfo.h"

#include <cwchar>
#include <vector>

#include "FptrInterface.h"

namespace orn::com {

namespace {

struct CachedName {
  BSTR name;
  UINT length;
  DISPID id;
};

// The locale FPTRLib.idl gives the library.
constexpr LCID kLibraryLocale = 0x0409;

SRWLOCK lock = SRWLOCK_INIT;
ITypeInfo* typeInfo = nullptr;
std::vector<CachedName>* names = nullptr;

void FreeNames() {
  if (!names) return;
  for (const CachedName& entry : *names) ::SysFreeString(entry.name);
  delete names;
  names = nullptr;
}

// Called under the lock with the type information loaded.
void BuildNameCache() {
  TYPEATTR* attributes = nullptr;
  if (FAILED(typeInfo->GetTypeAttr(&attributes))) return;
  auto* cache = new std::vector<CachedName>();
  cache->reserve(attributes->cFuncs);
  for (UINT i = 0; i < attributes->cFuncs; ++i) {
    FUNCDESC* function = nullptr;
    if (FAILED(typeInfo->GetFuncDesc(i, &function))) continue;
    BSTR name = nullptr;
    if (SUCCEEDED(typeInfo->GetDocumentation(function->memid, &name, nullptr, nullptr, nullptr)) &&
        name) {
      cache->push_back(CachedName{name, ::SysStringLen(name), function->memid});
    }
    typeInfo->ReleaseFuncDesc(function);
  }
  typeInfo->ReleaseTypeAttr(attributes);
  names = cache;
}

HRESULT LoadLocked(LCID locale) {
  if (typeInfo) return S_OK;
  ITypeLib* library = nullptr;
  HRESULT result = ::LoadRegTypeLib(LIBID_FPTRLib, 1, 0, locale, &library);
  // The library is registered for its own locale only; a caller in another locale (the
  // OPOS control asks in the system's, Russian on a point-of-sale PC) gets that one.
  if (result == TYPE_E_LIBNOTREGISTERED && locale != kLibraryLocale) {
    result = ::LoadRegTypeLib(LIBID_FPTRLib, 1, 0, kLibraryLocale, &library);
  }
  if (FAILED(result)) return result;
  ITypeInfo* info = nullptr;
  result = library->GetTypeInfoOfGuid(IID_IFptr, &info);
  library->Release();
  if (FAILED(result)) return result;
  ITypeInfo2* info2 = nullptr;
  if (SUCCEEDED(info->QueryInterface(IID_ITypeInfo2, reinterpret_cast<void**>(&info2)))) {
    info->Release();
    info = info2;
  }
  typeInfo = info;
  try {
    BuildNameCache();
  } catch (...) {
    FreeNames();  // without the cache every name goes to the type information
  }
  return S_OK;
}

}  // namespace

HRESULT FptrTypeInfo(LCID locale, ITypeInfo** info) {
  ::AcquireSRWLockExclusive(&lock);
  HRESULT result = LoadLocked(locale);
  *info = typeInfo;
  ::ReleaseSRWLockExclusive(&lock);
  return result;
}

HRESULT FptrIDsOfNames(LPOLESTR* requested, UINT count, LCID locale, DISPID* ids) {
  ITypeInfo* info = nullptr;
  HRESULT result = FptrTypeInfo(locale, &info);
  if (FAILED(result)) return result;
  if (count != 1) return info->GetIDsOfNames(requested, count, ids);
  if (!requested[0]) return DISP_E_UNKNOWNNAME;
  // The cache is complete once the type information is there and never changes after.
  if (names) {
    size_t length = std::wcslen(requested[0]);
    for (auto entry = names->rbegin(); entry != names->rend(); ++entry) {
      if (entry->length == length && std::wmemcmp(entry->name, requested[0], length) == 0) {
        ids[0] = entry->id;
        return S_OK;
      }
    }
  }
  return info->GetIDsOfNames(requested, 1, ids);
}

void ReleaseFptrTypeInfo() {
  ::AcquireSRWLockExclusive(&lock);
  FreeNames();
  if (typeInfo) typeInfo->Release();
  typeInfo = nullptr;
  ::ReleaseSRWLockExclusive(&lock);
}

}  // namespace orn::com
