// The mock service object: a plain IDispatch that answers the method names of a service
// object by itself (no type library), records what it is asked, and answers properties
// with values derived from their index, so that a test sees which index a property of the
// control reached.
#include "MockService.h"

#include "ServiceMethodNames.h"

#include <oleauto.h>
#include <olectl.h>

#include <cwchar>
#include <iterator>
#include <new>
#include <string>

namespace {

constexpr DISPID kFirstId = 100;
constexpr DISPID kGetOpenResultId = 300;
constexpr int kClaimDevice = 7, kCloseService = 9, kReleaseDevice = 11;

struct ShortName {
  int index;
  const wchar_t* name;
};
constexpr ShortName kShortNames[] = {
    {kClaimDevice, L"Claim"}, {kCloseService, L"Close"}, {kReleaseDevice, L"Release"}};

constexpr long PIDX_ServiceObjectVersion = 8;

HMODULE g_module = nullptr;
LONG g_objects = 0;
MockConfig g_config;
std::wstring g_missing, g_failing, g_record;
IDispatch* g_caller = nullptr;

void Note(const std::wstring& line) {
  g_record += line;
  g_record += L'\n';
}

std::wstring Describe(const VARIANT& value) {
  const bool byRef = (value.vt & VT_BYREF) != 0;
  std::wstring text = byRef ? L"&" : L"";
  switch (value.vt & ~VT_BYREF) {
    case VT_I4:
      return text + std::to_wstring(byRef ? *value.plVal : value.lVal);
    case VT_BOOL:
      return text + std::to_wstring(value.boolVal);
    case VT_CY:
      return text + L"cy " + std::to_wstring(value.cyVal.int64);
    case VT_BSTR: {
      const BSTR string = byRef ? *value.pbstrVal : value.bstrVal;
      return text + (string ? L"'" + std::wstring(string) + L"'" : L"null");
    }
    case VT_DISPATCH:
      return text + L"dispatch";
    default:
      return text + L"vt " + std::to_wstring(value.vt);
  }
}

// The mock's answer to the name of the method at `index` of the table.
const wchar_t* AnsweredName(int index) {
  if (g_config.shortNames) {
    for (const ShortName& alias : kShortNames) {
      if (alias.index == index) return alias.name;
    }
  }
  return kServiceMethodNames[index];
}

bool Answers(const wchar_t* name) {
  return g_missing != name;
}

HRESULT FindName(const wchar_t* name, DISPID* id) {
  for (int index = 0; index < static_cast<int>(std::size(kServiceMethodNames)); ++index) {
    if (wcscmp(name, AnsweredName(index)) == 0 && Answers(name)) {
      *id = kFirstId + index;
      return S_OK;
    }
  }
  if (wcscmp(name, L"GetOpenResult") == 0 && g_config.hasGetOpenResult) {
    *id = kGetOpenResultId;
    return S_OK;
  }
  *id = DISPID_UNKNOWN;
  return DISP_E_UNKNOWNNAME;
}

// By-reference arguments come back changed, so that a test sees them travel both ways.
void ChangeByRef(VARIANT& value) {
  if (value.vt == (VT_I4 | VT_BYREF)) {
    *value.plVal += 1;
  } else if (value.vt == (VT_BSTR | VT_BYREF)) {
    ::SysFreeString(*value.pbstrVal);
    *value.pbstrVal = ::SysAllocString(L"from service");
  }
}

HRESULT Call(const std::wstring& name, DISPPARAMS* params, VARIANT* result) {
  std::wstring line = L"call " + name + L"(";
  for (UINT at = params->cArgs; at > 0; --at) {
    line += Describe(params->rgvarg[at - 1]);
    if (at > 1) line += L", ";
  }
  Note(line + L")");
  if (name == g_failing) return E_FAIL;
  for (UINT at = 0; at < params->cArgs; ++at) ChangeByRef(params->rgvarg[at]);

  VARIANT answer;
  ::VariantInit(&answer);
  answer.vt = VT_I4;
  answer.lVal = g_config.methodResult;
  const VARIANT* first = params->cArgs ? &params->rgvarg[params->cArgs - 1] : nullptr;
  if (name == L"GetPropertyNumber" && first) {
    answer.lVal = first->lVal == PIDX_ServiceObjectVersion ? g_config.version : first->lVal;
  } else if (name == L"GetPropertyString" && first) {
    answer.vt = VT_BSTR;
    answer.bstrVal = ::SysAllocString((L"S" + std::to_wstring(first->lVal)).c_str());
  } else if (name == L"SetPropertyNumber" || name == L"SetPropertyString") {
    answer.vt = VT_EMPTY;
  } else if (name == L"OpenService") {
    answer.lVal = g_config.openServiceResult;
    if (params->cArgs == 3 && params->rgvarg[0].vt == VT_DISPATCH && params->rgvarg[0].pdispVal) {
      if (g_caller) g_caller->Release();
      g_caller = params->rgvarg[0].pdispVal;
      g_caller->AddRef();
    }
  } else if (name == L"GetOpenResult") {
    answer.lVal = g_config.openResult;
  } else if (name == L"CloseService" || name == L"Close") {
    if (g_caller) g_caller->Release();
    g_caller = nullptr;
  }
  if (result) {
    *result = answer;
  } else {
    ::VariantClear(&answer);
  }
  return S_OK;
}

class MockService final : public IDispatch {
 public:
  MockService() { ::InterlockedIncrement(&g_objects); }
  ~MockService() { ::InterlockedDecrement(&g_objects); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (riid != IID_IUnknown && riid != IID_IDispatch) return E_NOINTERFACE;
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ::InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    HRESULT hr = S_OK;
    for (UINT at = 0; at < count; ++at) {
      const bool found = SUCCEEDED(FindName(names[at], &ids[at]));
      if (!found) hr = DISP_E_UNKNOWNNAME;
      Note(std::wstring(found ? L"name " : L"name? ") + names[at]);
    }
    return hr;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO*, UINT*) override {
    if (flags != DISPATCH_METHOD) return DISP_E_MEMBERNOTFOUND;
    if (id == kGetOpenResultId) return Call(L"GetOpenResult", params, result);
    const DISPID index = id - kFirstId;
    if (index < 0 || index >= static_cast<DISPID>(std::size(kServiceMethodNames))) {
      return DISP_E_MEMBERNOTFOUND;
    }
    return Call(AnsweredName(index), params, result);
  }

 private:
  LONG references_ = 0;
};

class MockFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (riid != IID_IUnknown && riid != IID_IClassFactory) return E_NOINTERFACE;
    *object = static_cast<IClassFactory*>(this);
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* service = new (std::nothrow) MockService;
    if (!service) return E_OUTOFMEMORY;
    service->AddRef();
    const HRESULT hr = service->QueryInterface(riid, object);
    service->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

MockFactory g_factory;

HRESULT SetKey(const std::wstring& path, const wchar_t* name, const std::wstring& value) {
  HKEY key = nullptr;
  LSTATUS status = ::RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE,
                                     nullptr, &key, nullptr);
  if (status == ERROR_SUCCESS) {
    status = ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
  }
  return HRESULT_FROM_WIN32(status);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
  CLSID own;
  ::CLSIDFromString(ORN_MOCK_CLSID_TEXT, &own);
  if (clsid != own) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(riid, object);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return g_objects == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
  wchar_t path[MAX_PATH];
  if (!::GetModuleFileNameW(g_module, path, MAX_PATH)) return SELFREG_E_CLASS;
  const std::wstring classKey = std::wstring(L"CLSID\\") + ORN_MOCK_CLSID_TEXT;
  HRESULT hr = SetKey(classKey + L"\\InprocServer32", nullptr, path);
  if (SUCCEEDED(hr)) hr = SetKey(classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
  if (SUCCEEDED(hr)) hr = SetKey(L"OrnTest.MockService\\CLSID", nullptr, ORN_MOCK_CLSID_TEXT);
  return FAILED(hr) ? SELFREG_E_CLASS : S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
  ::RegDeleteTreeW(HKEY_CLASSES_ROOT, (std::wstring(L"CLSID\\") + ORN_MOCK_CLSID_TEXT).c_str());
  ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L"OrnTest.MockService");
  return S_OK;
}

extern "C" void __stdcall MockConfigure(const MockConfig* config) {
  g_config = *config;
  g_missing = config->missingName ? config->missingName : L"";
  g_failing = config->failingMethod ? config->failingMethod : L"";
  g_record.clear();
  if (g_caller) g_caller->Release();
  g_caller = nullptr;
}

extern "C" const wchar_t* __stdcall MockRecord() {
  return g_record.c_str();
}

extern "C" IDispatch* __stdcall MockCaller() {
  return g_caller;
}
