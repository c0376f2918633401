// The IFptr adapter: values through the virtual table and through IDispatch::Invoke as an
// automation client passes them, and bad input at the boundary. No register is attached:
// these methods answer without one.

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "ComTestSupport.h"
#include "FptrInterface.h"

namespace orn::comtest {
namespace {

constexpr LONG kResultCode = 6;
constexpr LONG kServiceObjectVersion = 8;
constexpr LONG kState = 9;
constexpr LONG kServiceObjectDescription = 1000004;
constexpr LONG kPreLine = 1016008;

class Adapter : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::CoCreateInstance(CLSID_FiscPrinter, nullptr, CLSCTX_INPROC_SERVER, IID_IFptr,
                                 fptr_.OutVoid()),
              S_OK);
  }

  LONG Number(LONG index) {
    LONG value = -12345;
    EXPECT_EQ(fptr_->GetPropertyNumber(index, &value), S_OK);
    return value;
  }
  std::wstring String(LONG index) {
    Bstr value;
    EXPECT_EQ(fptr_->GetPropertyString(index, value.Out()), S_OK);
    return value.Text();
  }

  // IDispatch::Invoke of a method with its arguments in call order (Invoke takes them last
  // first); returns the HRESULT and puts the result in `result`.
  HRESULT Call(DISPID id, std::vector<VARIANT> arguments, VARIANT& result,
               WORD flags = DISPATCH_METHOD) {
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPPARAMS params{reversed.data(), nullptr, UINT(reversed.size()), 0};
    ::VariantInit(&result);
    return fptr_->Invoke(id, IID_NULL, LOCALE_SYSTEM_DEFAULT, flags, &params, &result, nullptr,
                         nullptr);
  }

  ComPtr<IFptr> fptr_;
};

VARIANT Long(LONG value) {
  VARIANT v;
  ::VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}

// A by-reference argument of Invoke: `type` is the type of what `target` points to.
template <VARTYPE type, typename T>
VARIANT Ref(T* target) {
  VARIANT v;
  v.vt = type | VT_BYREF;
  v.byref = target;
  return v;
}

TEST_F(Adapter, OpenResultAndGetOpenResultGiveTheResultOfTheLastOpen) {
  LONG rc = -1;
  Bstr deviceClass(L"FiscalPrinter");
  Bstr deviceName(L"Ornita-No-Such-Device");
  EXPECT_EQ(fptr_->OpenService(deviceClass.Get(), deviceName.Get(), nullptr, &rc), S_OK);
  EXPECT_EQ(rc, 403);
  EXPECT_EQ(Number(kState), 1);

  VARIANT property;
  VARIANT method;
  ASSERT_EQ(Call(1, {}, property, DISPATCH_PROPERTYGET), S_OK);
  ASSERT_EQ(Call(80, {}, method), S_OK);
  EXPECT_EQ(property.vt, VT_I4);
  EXPECT_EQ(property.lVal, 403);
  EXPECT_EQ(method.vt, VT_I4);
  EXPECT_EQ(method.lVal, 403);

  // Null texts are empty texts: an open with them is a configuration failure, not a crash.
  EXPECT_EQ(fptr_->OpenService(nullptr, nullptr, nullptr, &rc), S_OK);
  EXPECT_EQ(rc, 403);
}

TEST_F(Adapter, PropertiesThroughInvokeAsTheControlReadsThem) {
  VARIANT result;
  ASSERT_EQ(Call(3, {Long(kServiceObjectVersion)}, result), S_OK);
  EXPECT_EQ(result.vt, VT_I4);
  EXPECT_EQ(result.lVal, 1006000);

  ASSERT_EQ(Call(5, {Long(kServiceObjectDescription)}, result), S_OK);
  ASSERT_EQ(result.vt, VT_BSTR);
  EXPECT_EQ(std::wstring(result.bstrVal).rfind(L"Fiscal Printer OPOS Service Driver", 0), 0u);
  ::VariantClear(&result);

  EXPECT_EQ(Call(3, {}, result), DISP_E_BADPARAMCOUNT);
}

TEST_F(Adapter, DirectIOWritesBackByReferenceAndLeavesTheStringAlone) {
  LONG data = 5;
  BSTR text = ::SysAllocString(L"не трогать");
  const BSTR original = text;
  VARIANT result;
  ASSERT_EQ(Call(12, {Long(1), Ref<VT_I4>(&data), Ref<VT_BSTR>(&text)}, result), S_OK);
  EXPECT_EQ(result.lVal, 0);

  data = 0;
  ASSERT_EQ(Call(12, {Long(2), Ref<VT_I4>(&data), Ref<VT_BSTR>(&text)}, result), S_OK);
  EXPECT_EQ(result.lVal, 0);
  EXPECT_EQ(data, 5);
  EXPECT_EQ(text, original);
  EXPECT_EQ(std::wstring(text), L"не трогать");

  LONG rc = 0;
  EXPECT_EQ(fptr_->DirectIO(3, &data, &text, &rc), S_OK);
  EXPECT_EQ(rc, 106);
  EXPECT_EQ(text, original);
  ::SysFreeString(text);
}

// A script engine passes its variables as references to VARIANTs.
TEST_F(Adapter, DirectIOTakesAScriptsVariablesByReference) {
  VARIANT data;
  data.vt = VT_I4;
  data.lVal = 7;
  VARIANT text;
  text.vt = VT_BSTR;
  text.bstrVal = ::SysAllocString(L"");
  const VARIANT dataRef = Ref<VT_VARIANT>(&data);
  const VARIANT textRef = Ref<VT_VARIANT>(&text);
  VARIANT result;
  ASSERT_EQ(Call(12, {Long(1), dataRef, textRef}, result), S_OK);
  EXPECT_EQ(result.lVal, 0);
  data.lVal = 0;
  ASSERT_EQ(Call(12, {Long(2), dataRef, textRef}, result), S_OK);
  EXPECT_EQ(data.vt, VT_I4);
  EXPECT_EQ(data.lVal, 7);

  // A variable of another type is a type mismatch, as on Windows; nothing runs.
  data.vt = VT_BSTR;
  data.bstrVal = text.bstrVal;
  EXPECT_EQ(Call(12, {Long(1), dataRef, textRef}, result), DISP_E_TYPEMISMATCH);
  ::VariantClear(&text);
}

TEST_F(Adapter, NullOutPointersAreRefusedBeforeAnythingRuns) {
  LONG value = 0;
  BSTR text = nullptr;
  EXPECT_EQ(fptr_->get_OpenResult(nullptr), E_POINTER);
  EXPECT_EQ(fptr_->GetOpenResult(nullptr), E_POINTER);
  EXPECT_EQ(fptr_->COFreezeEvents(VARIANT_TRUE, nullptr), E_POINTER);
  EXPECT_EQ(fptr_->GetPropertyNumber(kServiceObjectVersion, nullptr), E_POINTER);
  EXPECT_EQ(fptr_->GetPropertyString(kServiceObjectDescription, nullptr), E_POINTER);
  EXPECT_EQ(fptr_->CloseService(nullptr), E_POINTER);
  EXPECT_EQ(fptr_->DirectIO(1, nullptr, &text, &value), E_POINTER);
  EXPECT_EQ(fptr_->DirectIO(1, &value, nullptr, &value), E_POINTER);
  EXPECT_EQ(fptr_->GetData(1, nullptr, &text, &value), E_POINTER);
  EXPECT_EQ(fptr_->GetDate(nullptr, &value), E_POINTER);
  EXPECT_EQ(fptr_->GetVatEntry(1, 0, nullptr, &value), E_POINTER);
  EXPECT_EQ(fptr_->PrintRecItem(nullptr, CY{}, 1000, 1, CY{}, nullptr, nullptr), E_POINTER);
  // Nothing ran: the refused DirectIO did not set the department.
  LONG department = 0;
  EXPECT_EQ(fptr_->DirectIO(2, &department, &text, &value), S_OK);
  EXPECT_EQ(department, 1);
}

TEST_F(Adapter, BadTextsAndIndexesGiveDefinedResults) {
  // A null BSTR is the empty string.
  EXPECT_EQ(fptr_->SetPropertyString(kPreLine, nullptr), S_OK);
  EXPECT_EQ(Number(kResultCode), 0);
  EXPECT_EQ(String(kPreLine), L"");

  // Far longer than the 1000 bytes the service keeps: cut, not overrun.
  Bstr longText(std::wstring(100000, L'Ж').c_str());
  EXPECT_EQ(fptr_->SetPropertyString(kPreLine, longText.Get()), S_OK);
  EXPECT_EQ(String(kPreLine), std::wstring(1000, L'Ж'));

  // Lone surrogates have no ANSI form.
  Bstr surrogates(
      L"\xD800"
      L"a\xDC00"
      L"b");
  EXPECT_EQ(fptr_->SetPropertyString(kPreLine, surrogates.Get()), S_OK);
  std::wstring stored = String(kPreLine);
  EXPECT_EQ(stored.size(), 4u);
  EXPECT_EQ(stored.substr(1, 1) + stored.substr(3, 1), L"ab");

  // Indexes nobody defines, at both ends of the range.
  for (LONG index : {LONG(-1), LONG(0), LONG(INT_MIN), LONG(INT_MAX), LONG(16556)}) {
    LONG value = 77;
    EXPECT_EQ(fptr_->GetPropertyNumber(index, &value), S_OK);
    EXPECT_EQ(value, 77) << index;
    EXPECT_EQ(fptr_->SetPropertyNumber(index, 1), S_OK);
    EXPECT_EQ(Number(kResultCode), 106) << index;
    EXPECT_EQ(String(index), L"") << index;
    EXPECT_EQ(fptr_->SetPropertyString(index, nullptr), S_OK);
    EXPECT_EQ(Number(kResultCode), 106) << index;
  }
}

}  // namespace
}  // namespace orn::comtest
