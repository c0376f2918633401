#include "ControlFixture.h"

#include <sstream>

namespace orn::control::test {
namespace {

constexpr wchar_t kClassKey[] = L"SOFTWARE\\OLEforRetail\\ServiceOPOS\\FiscalPrinter";

HMODULE g_control = nullptr;
HMODULE g_mock = nullptr;
MockConfigureFn g_configure = nullptr;
MockRecordFn g_record = nullptr;
MockCallerFn g_caller = nullptr;

HMODULE LoadAndRegister(const wchar_t* file) {
  const std::wstring path = BinaryDirectory() + file;
  HMODULE module = ::LoadLibraryW(path.c_str());
  if (!module) return nullptr;
  using RegisterFn = HRESULT(STDAPICALLTYPE*)();
  auto registerServer = reinterpret_cast<RegisterFn>(
      reinterpret_cast<void*>(::GetProcAddress(module, "DllRegisterServer")));
  if (!registerServer || FAILED(registerServer())) return nullptr;
  return module;
}

template <typename Fn>
Fn Export(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

std::vector<std::wstring> SplitLines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  std::wistringstream stream(text);
  for (std::wstring line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

}  // namespace

std::wstring BinaryDirectory() {
  wchar_t path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring directory(path, length);
  return directory.substr(0, directory.find_last_of(L'\\') + 1);
}

void WriteString(HKEY root, const std::wstring& key, const wchar_t* name,
                 const std::wstring& value) {
  HKEY handle = nullptr;
  ASSERT_EQ(
      ::RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr),
      ERROR_SUCCESS);
  ::RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(handle);
}

void ControlTest::SetUpTestSuite() {
  ::CoInitialize(nullptr);
  g_control = LoadAndRegister(L"OposFptrCtl.dll");
  g_mock = LoadAndRegister(L"MockService.dll");
  ASSERT_TRUE(g_control && g_mock) << "registering the control and the mock failed";
  g_configure = Export<MockConfigureFn>(g_mock, "MockConfigure");
  g_record = Export<MockRecordFn>(g_mock, "MockRecord");
  g_caller = Export<MockCallerFn>(g_mock, "MockCaller");
  ASSERT_TRUE(g_configure && g_record && g_caller);

  const std::wstring classKey = kClassKey;
  WriteString(HKEY_LOCAL_MACHINE, classKey + L"\\" + kMockDevice, nullptr, L"OrnTest.MockService");
  WriteString(HKEY_LOCAL_MACHINE, classKey, kLogicalName, kMockDevice);
  WriteString(HKEY_LOCAL_MACHINE, classKey + L"\\" + kBadProgIdDevice, nullptr,
              L"OrnTest.NoSuchService");
  WriteString(HKEY_LOCAL_MACHINE, classKey + L"\\" + kNoProgIdDevice, L"Port", L"COM1");
}

void ControlTest::TearDownTestSuite() {
  const std::wstring classKey = kClassKey;
  for (const wchar_t* device : {kMockDevice, kBadProgIdDevice, kNoProgIdDevice, kOtherArchDevice}) {
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, (classKey + L"\\" + device).c_str());
  }
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kClassKey, 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
    ::RegDeleteValueW(key, kLogicalName);
    ::RegCloseKey(key);
  }
  ::CoUninitialize();
}

void ControlTest::SetUp() {
  Configure(MockConfig{});
  ASSERT_EQ(::CoCreateInstance(CLSID_OPOSFiscalPrinter, nullptr, CLSCTX_INPROC_SERVER,
                               IID_IOPOSFiscalPrinter, reinterpret_cast<void**>(&control_)),
            S_OK);
}

void ControlTest::TearDown() {
  if (control_) control_->Release();
  control_ = nullptr;
}

void ControlTest::Configure(const MockConfig& config) {
  g_configure(&config);
  mark_ = 0;
}

IDispatch* ControlTest::Caller() const {
  return g_caller();
}

void ControlTest::Mark() {
  mark_ = SplitLines(g_record()).size();
}

std::vector<std::wstring> ControlTest::Record() const {
  std::vector<std::wstring> lines = SplitLines(g_record());
  lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(mark_));
  return lines;
}

std::vector<std::wstring> ControlTest::Calls() const {
  std::vector<std::wstring> calls;
  for (const std::wstring& line : Record()) {
    if (line.rfind(L"call ", 0) == 0) calls.push_back(line.substr(5));
  }
  return calls;
}

LONG ControlTest::Open(const wchar_t* device) {
  Bstr name(device);
  LONG rc = -1;
  control_->Open(name, &rc);
  return rc;
}

LONG ControlTest::OpenResult() {
  LONG result = -1;
  control_->get_OpenResult(&result);
  return result;
}

LONG ControlTest::ResultCode() {
  LONG result = -1;
  control_->get_ResultCode(&result);
  return result;
}

DISPID ControlTest::IdOf(const wchar_t* name) {
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  control_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  return id;
}

HRESULT ControlTest::GetByName(const wchar_t* name, VARIANT* value) {
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  ::VariantInit(value);
  return control_->Invoke(IdOf(name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                          value, nullptr, nullptr);
}

HRESULT ControlTest::PutByName(const wchar_t* name, VARIANT value) {
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS params = {&value, &putId, 1, 1};
  return control_->Invoke(IdOf(name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params,
                          nullptr, nullptr, nullptr);
}

}  // namespace orn::control::test
