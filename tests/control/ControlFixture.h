#pragma once
// A fixture for the control's tests: OposFptrCtl.dll and the mock service object registered
// from the test program's folder, OPOS device keys that lead to the mock (and to the ways
// an Open can fail), and a fresh control created through COM as an application does.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "OposFiscalPrinter.h"
#include "mock/MockService.h"

namespace orn::control::test {

// Device names under HKLM\SOFTWARE\OLEforRetail\ServiceOPOS\FiscalPrinter.
constexpr wchar_t kMockDevice[] = L"OrnTest-Mock";
constexpr wchar_t kLogicalName[] = L"OrnTest-Logical";  // a value naming kMockDevice
constexpr wchar_t kBadProgIdDevice[] = L"OrnTest-BadProgID";
constexpr wchar_t kNoProgIdDevice[] = L"OrnTest-NoProgID";
constexpr wchar_t kOtherArchDevice[] = L"OrnTest-OtherArch";
constexpr wchar_t kMissingDevice[] = L"OrnTest-Missing";

// A BSTR owned by the test.
class Bstr {
 public:
  explicit Bstr(const wchar_t* text = nullptr) : text_(text ? ::SysAllocString(text) : nullptr) {}
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { ::SysFreeString(text_); }
  operator BSTR() const { return text_; }
  BSTR* operator&() {
    ::SysFreeString(text_);
    text_ = nullptr;
    return &text_;
  }
  std::wstring Text() const { return text_ ? text_ : L"(null)"; }

 private:
  BSTR text_;
};

class ControlTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;
  void TearDown() override;

  // Sets the mock's behaviour and clears its record (before Open).
  void Configure(const MockConfig& config);
  LONG Open(const wchar_t* device = kMockDevice);
  LONG OpenResult();
  LONG ResultCode();
  // What the mock recorded since the last Configure or Mark, one entry per line.
  std::vector<std::wstring> Record() const;
  // Only the calls ("call ..." lines) since the last Configure or Mark.
  std::vector<std::wstring> Calls() const;
  void Mark();
  // The dispatch interface the mock was given by OpenService (not AddRef'd).
  IDispatch* Caller() const;

  // Property access by name through IDispatch, as a script does.
  HRESULT GetByName(const wchar_t* name, VARIANT* value);
  HRESULT PutByName(const wchar_t* name, VARIANT value);
  DISPID IdOf(const wchar_t* name);

  IOPOSFiscalPrinter* control_ = nullptr;

 private:
  size_t mark_ = 0;
};

std::wstring BinaryDirectory();
// Writes a REG_SZ value (nullptr: the default value) under HKEY_LOCAL_MACHINE or
// HKEY_CLASSES_ROOT.
void WriteString(HKEY root, const std::wstring& key, const wchar_t* name,
                 const std::wstring& value);

}  // namespace orn::control::test
