// Self-registration, as the standard control's registration script does it: the ProgIDs,
// the class with its control keys, the type library and its interfaces. Developers and the
// test prefixes register it; it is never installed on a point-of-sale machine.
#include <windows.h>

#include <oleauto.h>
#include <olectl.h>

#include <iterator>
#include <string>

#include "ServerModule.h"
#include "OposConstants.h"
#include "OposFiscalPrinter.h"

namespace orn::control {
namespace {

#define ORN_CONTROL_CLSID L"{CCB90072-B81E-11D2-AB74-0040054C3719}"
#define ORN_CONTROL_LIBID L"{CCB90070-B81E-11D2-AB74-0040054C3719}"
constexpr wchar_t kClassKey[] = L"CLSID\\" ORN_CONTROL_CLSID;
constexpr wchar_t kProgId[] = L"OPOS.FiscalPrinter";
constexpr wchar_t kVersionedProgId[] = L"OPOS.FiscalPrinter.1.16";
constexpr wchar_t kModule[] = L"%MODULE%";

// A key under HKEY_CLASSES_ROOT and one value of it (nullptr: the default value);
// "%MODULE%" in a value stands for the DLL's path.
struct Entry {
  const wchar_t* key;
  const wchar_t* name;
  const wchar_t* value;
};

constexpr Entry kEntries[] = {
    {L"OPOS.FiscalPrinter.1.16", nullptr, kControlObjectDescription},
    {L"OPOS.FiscalPrinter.1.16\\CLSID", nullptr, ORN_CONTROL_CLSID},
    {L"OPOS.FiscalPrinter", nullptr, kControlObjectDescription},
    {L"OPOS.FiscalPrinter\\CLSID", nullptr, ORN_CONTROL_CLSID},
    {L"OPOS.FiscalPrinter\\CurVer", nullptr, L"OPOS.FiscalPrinter.1.16"},
    {kClassKey, nullptr, kControlObjectDescription},
    {L"CLSID\\" ORN_CONTROL_CLSID L"\\ProgID", nullptr, L"OPOS.FiscalPrinter.1.16"},
    {L"CLSID\\" ORN_CONTROL_CLSID L"\\VersionIndependentProgID", nullptr, L"OPOS.FiscalPrinter"},
    {L"CLSID\\" ORN_CONTROL_CLSID L"\\Programmable", nullptr, nullptr},
    {L"CLSID\\" ORN_CONTROL_CLSID L"\\Control", nullptr, nullptr},
    {L"CLSID\\" ORN_CONTROL_CLSID L"\\Insertable", nullptr, nullptr},
    {L"CLSID\\" ORN_CONTROL_CLSID L"\\InprocServer32", nullptr, kModule},
    {L"CLSID\\" ORN_CONTROL_CLSID L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
    {L"CLSID\\" ORN_CONTROL_CLSID L"\\ToolboxBitmap32", nullptr, L"%MODULE%, 101"},
    {L"CLSID\\" ORN_CONTROL_CLSID L"\\MiscStatus", nullptr, L"0"},
    {L"CLSID\\" ORN_CONTROL_CLSID L"\\MiscStatus\\1", nullptr, L"132497"},
    {L"CLSID\\" ORN_CONTROL_CLSID L"\\TypeLib", nullptr, ORN_CONTROL_LIBID},
    {L"CLSID\\" ORN_CONTROL_CLSID L"\\Version", nullptr, L"1.0"},
    {L"CLSID\\" ORN_CONTROL_CLSID L"\\BuildInformation", nullptr,
     L"OPOS 1.16. Build 000; 2021/12/02."},
};

// Interfaces of releases before 1.6 that the standard control removes at registration.
constexpr const wchar_t* kObsoleteInterfaces[] = {
    L"Interface\\{CCB90071-B81E-11D2-AB74-0040054C3719}",
    L"Interface\\{CCB91071-B81E-11D2-AB74-0040054C3719}",
};

constexpr const wchar_t* kOwnKeys[] = {kClassKey, kVersionedProgId, kProgId};

HRESULT ModulePath(std::wstring* path) {
  wchar_t buffer[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(com::ModuleHandle(), buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return E_FAIL;
  *path = buffer;
  return S_OK;
}

std::wstring Expand(const wchar_t* value, const std::wstring& module) {
  std::wstring text = value;
  const size_t at = text.find(kModule);
  if (at != std::wstring::npos) text.replace(at, std::size(kModule) - 1, module);
  return text;
}

HRESULT Write(const Entry& entry, const std::wstring& module) {
  HKEY key = nullptr;
  LSTATUS status = ::RegCreateKeyExW(HKEY_CLASSES_ROOT, entry.key, 0, nullptr, 0, KEY_WRITE,
                                     nullptr, &key, nullptr);
  if (status == ERROR_SUCCESS && entry.value) {
    const std::wstring value = Expand(entry.value, module);
    status =
        ::RegSetValueExW(key, entry.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  }
  if (key) ::RegCloseKey(key);
  return HRESULT_FROM_WIN32(status);
}

void DeleteTree(const wchar_t* path) {
  ::RegDeleteTreeW(HKEY_CLASSES_ROOT, path);
  ::RegDeleteKeyW(HKEY_CLASSES_ROOT, path);
}

}  // namespace
}  // namespace orn::control

using namespace orn::control;

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
  std::wstring module;
  HRESULT hr = ModulePath(&module);
  if (FAILED(hr)) return hr;
  for (const Entry& entry : kEntries) {
    hr = Write(entry, module);
    if (FAILED(hr)) return SELFREG_E_CLASS;
  }
  for (const wchar_t* key : kObsoleteInterfaces) DeleteTree(key);
  ITypeLib* library = nullptr;
  hr = ::LoadTypeLibEx(module.c_str(), REGKIND_NONE, &library);
  if (FAILED(hr)) return SELFREG_E_TYPELIB;
  hr = ::RegisterTypeLib(library, module.data(), nullptr);
  library->Release();
  return FAILED(hr) ? SELFREG_E_TYPELIB : S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
  for (const wchar_t* key : kOwnKeys) DeleteTree(key);
  ::UnRegisterTypeLib(LIBID_OposFiscalPrinter_CCO, 1, 0, LOCALE_NEUTRAL,
                      sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
  return S_OK;
}
