// Self-registration: the registration script (resource REGISTRY 101) run with %MODULE% set
// to this DLL's path, and the type library embedded as TYPELIB 1.

#include <windows.h>

#include <olectl.h>

#include <string>
#include <string_view>

#include "ClassesRootRegistry.h"
#include "ServerModule.h"
#include "RegistryScript.h"

namespace orn::com {

namespace {

constexpr WORD kScriptResource = 101;

// The DLL's full path, however long.
std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = ::GetModuleFileNameW(ModuleHandle(), path.data(), DWORD(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
}

std::string_view ScriptText() {
  HRSRC resource = ::FindResourceW(ModuleHandle(), MAKEINTRESOURCEW(kScriptResource), L"REGISTRY");
  if (!resource) return {};
  HGLOBAL loaded = ::LoadResource(ModuleHandle(), resource);
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  if (!data) return {};
  return std::string_view(static_cast<const char*>(data),
                          ::SizeofResource(ModuleHandle(), resource));
}

bool RunScript(ScriptPass pass, const std::wstring& path) {
  std::string_view script = ScriptText();
  if (script.empty()) return false;
  ClassesRootRegistry registry;
  ScriptVariables variables{{u"MODULE", std::u16string(path.begin(), path.end())}};
  return RunRegistryScript(script, variables, pass, registry).ok;
}

HRESULT RegisterServer() {
  std::wstring path = ModulePath();
  if (path.empty()) return E_UNEXPECTED;
  if (!RunScript(ScriptPass::kRegister, path)) return SELFREG_E_CLASS;
  ITypeLib* library = nullptr;
  HRESULT result = ::LoadTypeLibEx(path.c_str(), REGKIND_REGISTER, &library);
  if (FAILED(result)) return SELFREG_E_TYPELIB;
  library->Release();
  return S_OK;
}

// The library's id, version, locale and platform are read from the embedded library itself.
HRESULT UnregisterTypeLibrary(const std::wstring& path) {
  ITypeLib* library = nullptr;
  HRESULT result = ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library);
  if (FAILED(result)) return result;
  TLIBATTR* attributes = nullptr;
  result = library->GetLibAttr(&attributes);
  if (SUCCEEDED(result)) {
    BSTR registeredPath = nullptr;
    // Not registered (any more): nothing to remove.
    if (SUCCEEDED(::QueryPathOfRegTypeLib(attributes->guid, attributes->wMajorVerNum,
                                          attributes->wMinorVerNum, attributes->lcid,
                                          &registeredPath))) {
      ::SysFreeString(registeredPath);
      result = ::UnRegisterTypeLib(attributes->guid, attributes->wMajorVerNum,
                                   attributes->wMinorVerNum, attributes->lcid, attributes->syskind);
    }
    library->ReleaseTLibAttr(attributes);
  }
  library->Release();
  return result;
}

HRESULT UnregisterServer() {
  std::wstring path = ModulePath();
  if (path.empty()) return E_UNEXPECTED;
  bool scriptDone = RunScript(ScriptPass::kUnregister, path);
  HRESULT library = UnregisterTypeLibrary(path);
  if (!scriptDone) return SELFREG_E_CLASS;
  return FAILED(library) ? SELFREG_E_TYPELIB : S_OK;
}

}  // namespace

}  // namespace orn::com

STDAPI DllRegisterServer() {
  try {
    return orn::com::RegisterServer();
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

STDAPI DllUnregisterServer() {
  try {
    return orn::com::UnregisterServer();
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}
