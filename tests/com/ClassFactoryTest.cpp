// Creating the object: by ProgID through COM, and through the DLL's own exports, whose lock
// count decides when the DLL may be unloaded.

#include <gtest/gtest.h>

#include <ocidl.h>

#include "ComTestSupport.h"
#include "FptrInterface.h"

namespace orn::comtest {
namespace {

TEST(ClassFactory, BothProgIdsNameTheClassAndCoCreateInstanceMakesTheObject) {
  for (const wchar_t* progId : {L"Ornita.FiscalPrinter", L"Ornita.FiscalPrinter.1"}) {
    CLSID clsid{};
    ASSERT_EQ(::CLSIDFromProgID(progId, &clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_FiscPrinter);
  }
  ComPtr<IDispatch> object;
  ASSERT_EQ(::CoCreateInstance(CLSID_FiscPrinter, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               object.OutVoid()),
            S_OK);
  EXPECT_NE(object.Get(), nullptr);
}

TEST(ClassFactory, IUnknownIDispatchAndIFptrAreOnePointerAndNothingElseIsAnswered) {
  ComPtr<IUnknown> unknown;
  ASSERT_EQ(::CoCreateInstance(CLSID_FiscPrinter, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               unknown.OutVoid()),
            S_OK);
  ComPtr<IDispatch> dispatch;
  ComPtr<IFptr> fptr;
  ComPtr<IUnknown> again;
  ASSERT_EQ(unknown->QueryInterface(IID_IDispatch, dispatch.OutVoid()), S_OK);
  ASSERT_EQ(unknown->QueryInterface(IID_IFptr, fptr.OutVoid()), S_OK);
  ASSERT_EQ(fptr->QueryInterface(IID_IUnknown, again.OutVoid()), S_OK);
  EXPECT_EQ(static_cast<void*>(dispatch.Get()), static_cast<void*>(fptr.Get()));
  EXPECT_EQ(static_cast<void*>(unknown.Get()), static_cast<void*>(fptr.Get()));
  EXPECT_EQ(again.Get(), unknown.Get());

  for (const IID* other : {&IID_IClassFactory, &IID_IConnectionPointContainer,
                           &IID_ISupportErrorInfo, &IID_IProvideClassInfo}) {
    void* answer = reinterpret_cast<void*>(1);
    EXPECT_EQ(unknown->QueryInterface(*other, &answer), E_NOINTERFACE);
    EXPECT_EQ(answer, nullptr);
  }
  EXPECT_EQ(unknown->QueryInterface(IID_IFptr, nullptr), E_POINTER);
}

// The DLL loaded once more by the test: the same module COM loaded, so its exports see the
// same lock count.
class DllExports : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = ::LoadLibraryW(DriverPath().c_str());
    ASSERT_NE(module_, nullptr);
    getClassObject_ = reinterpret_cast<decltype(getClassObject_)>(
        reinterpret_cast<void*>(::GetProcAddress(module_, "DllGetClassObject")));
    canUnloadNow_ = reinterpret_cast<decltype(canUnloadNow_)>(
        reinterpret_cast<void*>(::GetProcAddress(module_, "DllCanUnloadNow")));
    ASSERT_NE(getClassObject_, nullptr);
    ASSERT_NE(canUnloadNow_, nullptr);
    ::CoFreeUnusedLibraries();
  }
  void TearDown() override { ::FreeLibrary(module_); }

  HRESULT Factory(ComPtr<IClassFactory>& factory) {
    return getClassObject_(CLSID_FiscPrinter, IID_IClassFactory, factory.OutVoid());
  }

  HMODULE module_ = nullptr;
  HRESULT(STDAPICALLTYPE* getClassObject_)(REFCLSID, REFIID, void**) = nullptr;
  HRESULT(STDAPICALLTYPE* canUnloadNow_)() = nullptr;
};

TEST_F(DllExports, TheFactoryServesOnlyItsClassAndIsTheSameEachTime) {
  ComPtr<IClassFactory> first;
  ComPtr<IClassFactory> second;
  ASSERT_EQ(Factory(first), S_OK);
  ASSERT_EQ(Factory(second), S_OK);
  EXPECT_EQ(first.Get(), second.Get());
  ComPtr<IUnknown> unknown;
  EXPECT_EQ(getClassObject_(CLSID_FiscPrinter, IID_IUnknown, unknown.OutVoid()), S_OK);

  void* answer = reinterpret_cast<void*>(1);
  EXPECT_EQ(getClassObject_(IID_IFptr, IID_IClassFactory, &answer), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(answer, nullptr);
  EXPECT_EQ(getClassObject_(CLSID_FiscPrinter, IID_IClassFactory, nullptr), E_POINTER);
  EXPECT_EQ(getClassObject_(CLSID_FiscPrinter, IID_IDispatch, &answer), E_NOINTERFACE);
}

TEST_F(DllExports, AggregationIsRefusedAndCreatesNothing) {
  ComPtr<IClassFactory> factory;
  ASSERT_EQ(Factory(factory), S_OK);
  ComPtr<IUnknown> outer;
  ASSERT_EQ(factory->QueryInterface(IID_IUnknown, outer.OutVoid()), S_OK);  // any IUnknown
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->CreateInstance(outer.Get(), IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IFptr, nullptr), E_POINTER);
  object = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  outer.Reset();
  factory.Reset();
  EXPECT_EQ(canUnloadNow_(), S_OK);  // no object was left behind
}

TEST_F(DllExports, CanUnloadNowOnlyWithoutObjectsFactoryReferencesOrLocks) {
  EXPECT_EQ(canUnloadNow_(), S_OK);

  ComPtr<IClassFactory> factory;
  ASSERT_EQ(Factory(factory), S_OK);
  EXPECT_EQ(canUnloadNow_(), S_FALSE);  // a factory held from outside

  ComPtr<IFptr> first;
  ComPtr<IFptr> second;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IFptr, first.OutVoid()), S_OK);
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IFptr, second.OutVoid()), S_OK);
  EXPECT_NE(first.Get(), second.Get());
  factory.Reset();
  EXPECT_EQ(canUnloadNow_(), S_FALSE);  // two objects alive
  first.Reset();
  EXPECT_EQ(canUnloadNow_(), S_FALSE);  // one object alive
  second.Reset();
  EXPECT_EQ(canUnloadNow_(), S_OK);  // after the last release

  ASSERT_EQ(Factory(factory), S_OK);
  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  factory.Reset();
  EXPECT_EQ(canUnloadNow_(), S_FALSE);  // a server lock
  ASSERT_EQ(Factory(factory), S_OK);
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  factory.Reset();
  EXPECT_EQ(canUnloadNow_(), S_OK);
}

}  // namespace
}  // namespace orn::comtest
