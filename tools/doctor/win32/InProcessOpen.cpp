// Check 4 on Windows: the service object created in this process through COM, as the OPOS
// control creates it, and called by name.

#include <windows.h>

#include <oleauto.h>

#include <cstdio>
#include <string>
#include <vector>

#include "win32/ComChain.h"

namespace orn::ornfr::win32 {

namespace {

// The service object's ErrorString property.
constexpr long kErrorStringIndex = 1016001;

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size() + 1, L'\0');
  const int length = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), int(text.size()), wide.data(),
                                           int(wide.size()));
  wide.resize(length > 0 ? size_t(length) : 0);
  return wide;
}

std::string Ansi(const wchar_t* text) {
  if (!text) return {};
  const int size = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string ansi(size > 0 ? size_t(size) : 1, '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text, -1, ansi.data(), size, nullptr, nullptr);
  ansi.resize(ansi.empty() ? 0 : ansi.size() - 1);
  return ansi;
}

// "80040154 (text the system has for it)".
std::string HresultText(HRESULT result) {
  char code[16];
  std::snprintf(code, sizeof code, "%08lX", static_cast<unsigned long>(result));
  std::string text = code;
  char* message = nullptr;
  if (::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                           FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, DWORD(result), 0, reinterpret_cast<char*>(&message), 0, nullptr) &&
      message) {
    std::string said = message;
    ::LocalFree(message);
    while (!said.empty() &&
           (said.back() == '\n' || said.back() == '\r' || said.back() == ' ' || said.back() == '.'))
      said.pop_back();
    if (!said.empty()) text += " (" + said + ")";
  }
  return text;
}

// One call by name with the arguments in their order; the result in `result`.
HRESULT CallByName(IDispatch* object, const wchar_t* name, std::vector<VARIANT> arguments,
                   VARIANT& result) {
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
  DISPPARAMS parameters = {reversed.data(), nullptr, UINT(reversed.size()), 0};
  ::VariantInit(&result);
  return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, &result,
                        nullptr, nullptr);
}

VARIANT Long(long value) {
  VARIANT v;
  ::VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}

long AsLong(VARIANT& value) {
  VARIANT converted;
  ::VariantInit(&converted);
  long number = 0;
  if (SUCCEEDED(::VariantChangeType(&converted, &value, 0, VT_I4))) number = converted.lVal;
  ::VariantClear(&value);
  return number;
}

OpenOutcome Open(IDispatch* object, const std::string& device) {
  OpenOutcome outcome;
  outcome.ran = true;
  VARIANT deviceClass, deviceName, events, result;
  ::VariantInit(&deviceClass);
  deviceClass.vt = VT_BSTR;
  deviceClass.bstrVal = ::SysAllocString(L"FiscalPrinter");
  ::VariantInit(&deviceName);
  deviceName.vt = VT_BSTR;
  deviceName.bstrVal = ::SysAllocString(Wide(device).c_str());
  ::VariantInit(&events);
  events.vt = VT_DISPATCH;
  events.pdispVal = nullptr;
  HRESULT hr = CallByName(object, L"OpenService", {deviceClass, deviceName, events}, result);
  ::VariantClear(&deviceClass);
  ::VariantClear(&deviceName);
  if (FAILED(hr)) {
    outcome.ran = false;
    outcome.failure = "вызов OpenService не прошёл: " + HresultText(hr);
    outcome.advice =
        "зарегистрируйте OrnDriver.dll заново (библиотека типов) или переустановите драйвер";
    return outcome;
  }
  outcome.resultCode = AsLong(result);
  if (SUCCEEDED(CallByName(object, L"GetOpenResult", {}, result)))
    outcome.openResult = AsLong(result);
  if (SUCCEEDED(CallByName(object, L"GetPropertyString", {Long(kErrorStringIndex)}, result))) {
    if (result.vt == VT_BSTR) outcome.errorText = Ansi(result.bstrVal);
    ::VariantClear(&result);
  }
  if (outcome.resultCode == 0 && SUCCEEDED(CallByName(object, L"CloseService", {}, result)))
    ::VariantClear(&result);
  return outcome;
}

}  // namespace

OpenOutcome OpenInProcess(const View& own, const std::string& progId, const std::string& device) {
  OpenOutcome outcome;
  const HRESULT initialized = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  CLSID clsid = {};
  HRESULT hr = ::CLSIDFromProgID(Wide(progId).c_str(), &clsid);
  IDispatch* object = nullptr;
  if (SUCCEEDED(hr))
    hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                            reinterpret_cast<void**>(&object));
  if (FAILED(hr)) {
    outcome.failure = "служебный объект " + progId + " не создаётся: " + HresultText(hr) +
                      " (приложение получит OpenResult 303 или 304)";
    outcome.advice =
        hr == HRESULT_FROM_WIN32(ERROR_BAD_EXE_FORMAT)
            ? "в реестре записан OrnDriver.dll другой разрядности: " + RegisterAdvice(own)
            : RegisterAdvice(own);
  } else {
    outcome = Open(object, device);
    outcome.where = std::to_string(own.bits) + "-разрядный служебный объект " + progId;
    object->Release();
  }
  if (SUCCEEDED(initialized)) ::CoUninitialize();
  return outcome;
}

}  // namespace orn::ornfr::win32
