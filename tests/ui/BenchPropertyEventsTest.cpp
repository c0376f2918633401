// What the "Свойства" page writes while a person types, and the control's events reaching
// the wrapper's handlers.

#include <gtest/gtest.h>
#include <windows.h>

#include <olectl.h>

#include <vector>

#include "FptrEvents.h"
#include "WritableProperties.h"

namespace orn::bench {
namespace {

TEST(TypingAPropertyValue, ABooleanIsWrittenOnlyOnceItReadsTrueOrFalse) {
  for (const wchar_t* partial : {L"t", L"tr", L"tru", L"f", L"fals", L""}) {
    EXPECT_FALSE(IsValueOfProperty(L"CheckTotal", partial)) << partial;
  }
  EXPECT_TRUE(IsValueOfProperty(L"CheckTotal", L"true"));
  EXPECT_TRUE(IsValueOfProperty(L"DeviceEnabled", L"False"));
  EXPECT_TRUE(IsValueOfProperty(L"AsyncMode", L"0"));
}

TEST(TypingAPropertyValue, AnIntegerIsWrittenOnceItIsANumber) {
  EXPECT_TRUE(IsValueOfProperty(L"MessageType", L"8"));
  EXPECT_TRUE(IsValueOfProperty(L"DateType", L"-1"));
  EXPECT_FALSE(IsValueOfProperty(L"FiscalReceiptType", L"4a"));
  EXPECT_FALSE(IsValueOfProperty(L"SlipSelection", L"-"));
  // Shown as "true" and "false", but the control holds it as 0 or 1.
  EXPECT_TRUE(IsValueOfProperty(L"PowerNotify", L"1"));
  EXPECT_FALSE(IsValueOfProperty(L"PowerNotify", L"tr"));
}

TEST(TypingAPropertyValue, EveryTextIsAValueOfATextProperty) {
  EXPECT_TRUE(IsValueOfProperty(L"PreLine", L"С"));
  EXPECT_TRUE(IsValueOfProperty(L"AdditionalHeader", L""));
  EXPECT_TRUE(IsValueOfProperty(L"ChangeDue", L"tr"));
}

TEST(TypingAPropertyValue, ReadOnlyPropertiesTakeNothing) {
  EXPECT_FALSE(IsWritableProperty(L"ResultCode"));
  EXPECT_FALSE(IsValueOfProperty(L"ResultCode", L"0"));
  EXPECT_TRUE(IsWritableProperty(L"TotalizerType"));
}

// A control raising its events as the standard control does: asking the sink for the
// event's name, then invoking it with the arguments last first.
class ControlEvents {
 public:
  explicit ControlEvents(IDispatch& sink) : sink_(sink) {}

  HRESULT Raise(const wchar_t* name, std::vector<VARIANT> lastFirst) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    const HRESULT found = sink_.GetIDsOfNames(IID_NULL, names, 1, 0, &id);
    if (FAILED(found)) return found;
    DISPPARAMS params = {lastFirst.data(), nullptr, static_cast<UINT>(lastFirst.size()), 0};
    return sink_.Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
  }

 private:
  IDispatch& sink_;
};

VARIANT Long(LONG value) {
  VARIANT variant;
  variant.vt = VT_I4;
  variant.lVal = value;
  return variant;
}

VARIANT LongRef(LONG& value) {
  VARIANT variant;
  variant.vt = VT_I4 | VT_BYREF;
  variant.plVal = &value;
  return variant;
}

TEST(ControlEvents, EachEventReachesItsHandlerWithItsArguments) {
  FptrEventHandlers handlers;
  int32_t status = 0;
  int32_t output = 0;
  std::vector<int32_t> error;
  handlers.OnStatusUpdateEvent = [&](int32_t data) { status = data; };
  handlers.OnOutputCompleteEvent = [&](int32_t id) { output = id; };
  handlers.OnErrorEvent = [&](int32_t code, int32_t extended, int32_t locus, int32_t& response) {
    error = {code, extended, locus, response};
    response = 12;  // OPOS_ER_CLEAR
  };
  auto* sink = new FptrEventSink(handlers);
  ControlEvents control(*sink);

  EXPECT_EQ(control.Raise(L"StatusUpdateEvent", {Long(23)}), S_OK);
  EXPECT_EQ(status, 23);
  EXPECT_EQ(control.Raise(L"OutputCompleteEvent", {Long(7)}), S_OK);
  EXPECT_EQ(output, 7);
  LONG response = 11;  // OPOS_ER_RETRY
  EXPECT_EQ(control.Raise(L"ErrorEvent", {LongRef(response), Long(2), Long(203), Long(114)}), S_OK);
  EXPECT_EQ(error, (std::vector<int32_t>{114, 203, 2, 11}));
  EXPECT_EQ(response, 12);
  sink->Release();
}

TEST(ControlEvents, DirectIOHandsDataAndTextBothWays) {
  FptrEventHandlers handlers;
  handlers.OnDirectIOEvent = [](int32_t number, int32_t& data, std::wstring& text) {
    data += number;
    text += L" ответ";
  };
  auto* sink = new FptrEventSink(handlers);
  LONG data = 5;
  BSTR text = ::SysAllocString(L"запрос");
  VARIANT textRef;
  textRef.vt = VT_BSTR | VT_BYREF;
  textRef.pbstrVal = &text;
  EXPECT_EQ(ControlEvents(*sink).Raise(L"DirectIOEvent", {textRef, LongRef(data), Long(100)}),
            S_OK);
  EXPECT_EQ(data, 105);
  EXPECT_STREQ(text, L"запрос ответ");
  ::SysFreeString(text);
  sink->Release();
}

TEST(ControlEvents, WithoutHandlersEveryEventIsIgnored) {
  FptrEventHandlers none;
  auto* sink = new FptrEventSink(none);
  LONG response = 11;
  ControlEvents control(*sink);
  EXPECT_EQ(control.Raise(L"StatusUpdateEvent", {Long(1)}), S_OK);
  EXPECT_EQ(control.Raise(L"ErrorEvent", {LongRef(response), Long(0), Long(0), Long(111)}), S_OK);
  EXPECT_EQ(response, 11);
  EXPECT_EQ(control.Raise(L"PowerEvent", {Long(1)}), DISP_E_UNKNOWNNAME);
  void* events = nullptr;
  EXPECT_EQ(sink->QueryInterface(kFptrEventsInterface, &events), S_OK);
  static_cast<IUnknown*>(events)->Release();
  sink->Release();
}

// A control with the event interface's connection point, counting its sinks.
class ConnectableControl : public IConnectionPointContainer, public IConnectionPoint {
 public:
  IDispatch* sink = nullptr;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (riid == IID_IConnectionPointContainer || riid == IID_IUnknown) {
      *object = static_cast<IConnectionPointContainer*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** point) override {
    if (riid != kFptrEventsInterface) return CONNECT_E_NOCONNECTION;
    *point = this;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* unknown, DWORD* cookie) override {
    unknown->QueryInterface(kFptrEventsInterface, reinterpret_cast<void**>(&sink));
    *cookie = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
    if (cookie != 1 || !sink) return CONNECT_E_NOCONNECTION;
    sink->Release();
    sink = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }
};

TEST(ControlEvents, TheWrapperConnectsItsSinkForItsLifetime) {
  ConnectableControl control;
  FptrEventHandlers handlers;
  int32_t status = 0;
  handlers.OnStatusUpdateEvent = [&](int32_t data) { status = data; };
  {
    FptrEventConnection connection(static_cast<IConnectionPointContainer*>(&control), handlers);
    EXPECT_TRUE(connection.Connected());
    ASSERT_NE(control.sink, nullptr);
    EXPECT_EQ(ControlEvents(*control.sink).Raise(L"StatusUpdateEvent", {Long(1001)}), S_OK);
    EXPECT_EQ(status, 1001);
  }
  EXPECT_EQ(control.sink, nullptr);
}

}  // namespace
}  // namespace orn::bench
