// The control's identity as a COM object, and the service object's callbacks raised as
// events to the application's sinks.
#include <ocidl.h>

#include "ControlFixture.h"

namespace orn::control::test {
namespace {

using Lines = std::vector<std::wstring>;

// An application's event sink. How it answers a lookup of an event's name decides which
// DISPID the control uses: its own, the standard one, or none.
class EventSink final : public IDispatch {
 public:
  enum class Lookup { OwnIds, NotImplemented, Fails };
  explicit EventSink(Lookup lookup) : lookup_(lookup) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    *object = nullptr;
    if (riid != IID_IUnknown && riid != IID_IDispatch && riid != DIID__IOPOSFiscalPrinterEvents) {
      return E_NOINTERFACE;
    }
    *object = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID,
                                          DISPID* ids) override {
    if (lookup_ == Lookup::NotImplemented) return E_NOTIMPL;
    if (lookup_ == Lookup::Fails) return DISP_E_UNKNOWNNAME;
    const std::wstring name = names[0];
    *ids = name == L"DirectIOEvent"         ? 1002
           : name == L"ErrorEvent"          ? 1003
           : name == L"OutputCompleteEvent" ? 1004
                                            : 1005;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                   EXCEPINFO*, UINT*) override {
    std::wstring line = std::to_wstring(id) + L"(";
    for (UINT at = params->cArgs; at > 0; --at) {
      VARIANT& arg = params->rgvarg[at - 1];
      if (arg.vt == VT_I4) line += std::to_wstring(arg.lVal);
      if (arg.vt == (VT_I4 | VT_BYREF)) {
        line += L"&" + std::to_wstring(*arg.plVal);
        *arg.plVal = 12;  // the application's answer
      }
      if (arg.vt == (VT_BSTR | VT_BYREF)) line += L"&'" + std::wstring(*arg.pbstrVal) + L"'";
      if (at > 1) line += L", ";
    }
    events.push_back(line + L")");
    thread = ::GetCurrentThreadId();
    return S_OK;
  }

  Lines events;
  DWORD thread = 0;

 private:
  Lookup lookup_;
  ULONG references_ = 1;
};

class ControlEventTest : public ControlTest {
 public:
  EventSink* Connect(EventSink::Lookup lookup) {
    auto* sink = new EventSink(lookup);
    IConnectionPointContainer* container = nullptr;
    IConnectionPoint* point = nullptr;
    DWORD cookie = 0;
    EXPECT_EQ(control_->QueryInterface(IID_IConnectionPointContainer,
                                       reinterpret_cast<void**>(&container)),
              S_OK);
    EXPECT_EQ(container->FindConnectionPoint(DIID__IOPOSFiscalPrinterEvents, &point), S_OK);
    EXPECT_EQ(point->Advise(sink, &cookie), S_OK);
    point->Release();
    container->Release();
    sink->Release();  // the control holds it now
    return sink;
  }

  // Calls a callback on the control as the service object does: by DISPID, on the dispatch
  // interface OpenService was given. `args` are in IDispatch order (last first).
  HRESULT Callback(DISPID id, VARIANTARG* args, UINT count, VARIANT* result = nullptr) {
    DISPPARAMS params = {args, nullptr, count, 0};
    return Caller()->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result,
                            nullptr, nullptr);
  }

  HRESULT StatusUpdate(LONG data) {
    VARIANTARG arg;
    arg.vt = VT_I4;
    arg.lVal = data;
    return Callback(5, &arg, 1);
  }

  // Calls StatusUpdate on a thread of its own while this thread pumps messages, as an
  // application's user-interface thread does.
  void StatusUpdateFromAnotherThread(LONG data) {
    pendingData_ = data;
    HANDLE thread = ::CreateThread(nullptr, 0, CallbackThread, this, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    const DWORD deadline = ::GetTickCount() + 10000;
    while (::MsgWaitForMultipleObjects(1, &thread, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0 &&
           ::GetTickCount() < deadline) {
      MSG message;
      while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    }
    ::CloseHandle(thread);
  }

 private:
  static DWORD WINAPI CallbackThread(void* context) {
    auto* test = static_cast<ControlEventTest*>(context);
    return static_cast<DWORD>(test->StatusUpdate(test->pendingData_));
  }

  LONG pendingData_ = 0;
};

TEST_F(ControlEventTest, EveryReleasesInterfaceAndIDispatchAreTheSameObject) {
  const IID* interfaces[] = {&IID_IDispatch,
                             &IID_IOPOSFiscalPrinter,
                             &IID_IOPOSFiscalPrinter_1_12,
                             &IID_IOPOSFiscalPrinter_1_11,
                             &IID_IOPOSFiscalPrinter_1_9,
                             &IID_IOPOSFiscalPrinter_1_8,
                             &IID_IOPOSFiscalPrinter_1_6};
  for (const IID* iid : interfaces) {
    void* object = nullptr;
    ASSERT_EQ(control_->QueryInterface(*iid, &object), S_OK);
    EXPECT_EQ(object, static_cast<void*>(control_));
    control_->Release();
  }
  IProvideClassInfo2* info = nullptr;
  ASSERT_EQ(control_->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&info)),
            S_OK);
  GUID events = {};
  EXPECT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events), S_OK);
  EXPECT_EQ(events, DIID__IOPOSFiscalPrinterEvents);
  info->Release();
  void* none = nullptr;
  EXPECT_EQ(control_->QueryInterface(IID_IClassFactory, &none), E_NOINTERFACE);
}

TEST_F(ControlEventTest, CallbacksRaiseTheirEventsUnderTheIdsTheSinksGive) {
  EventSink* own = Connect(EventSink::Lookup::OwnIds);
  EventSink* standard = Connect(EventSink::Lookup::NotImplemented);
  EventSink* deaf = Connect(EventSink::Lookup::Fails);
  ASSERT_EQ(Open(), 0);

  EXPECT_EQ(StatusUpdate(23), S_OK);
  VARIANTARG error[4];
  LONG response = 0;
  error[3].vt = VT_I4;
  error[3].lVal = 114;
  error[2].vt = VT_I4;
  error[2].lVal = 301;
  error[1].vt = VT_I4;
  error[1].lVal = 2;
  error[0].vt = VT_I4 | VT_BYREF;
  error[0].plVal = &response;
  EXPECT_EQ(Callback(3, error, 4), S_OK);
  EXPECT_EQ(response, 12);  // the sink's answer comes back to the service object

  EXPECT_EQ(own->events, (Lines{L"1005(23)", L"1003(114, 301, 2, &0)"}));
  EXPECT_EQ(standard->events, (Lines{L"5(23)", L"3(114, 301, 2, &12)"}));
  EXPECT_TRUE(deaf->events.empty());
}

TEST_F(ControlEventTest, TheOtherCallbacksAnswerAsTheStandardControlDoes) {
  ASSERT_EQ(Open(), 0);
  VARIANTARG status;
  status.vt = VT_I4;
  status.lVal = 0;
  // SODataDummy: a fiscal printer has no data events.
  EXPECT_EQ(control_->SODataDummy(0), E_NOTIMPL);
  EXPECT_TRUE(FAILED(Callback(1, &status, 1)));
  VARIANT pid;
  ::VariantInit(&pid);
  EXPECT_EQ(Callback(9, nullptr, 0, &pid), S_OK);  // SOProcessID
  EXPECT_EQ(pid.lVal, static_cast<LONG>(::GetCurrentProcessId()));
  // Found by name too.
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"SOOutputComplete")};
  EXPECT_EQ(Caller()->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
  EXPECT_EQ(id, 4);
}

// A callback from another thread reaches the sink on the control's thread, while that
// thread pumps messages; once the device is released, it is dropped.
TEST_F(ControlEventTest, ACallbackFromAnotherThreadIsRaisedOnTheControlsThread) {
  EventSink* sink = Connect(EventSink::Lookup::NotImplemented);
  ASSERT_EQ(Open(), 0);
  StatusUpdateFromAnotherThread(41);
  EXPECT_EQ(sink->events, (Lines{L"5(41)"}));
  EXPECT_EQ(sink->thread, ::GetCurrentThreadId());

  LONG rc = -1;
  control_->ReleaseDevice(&rc);
  StatusUpdateFromAnotherThread(42);
  EXPECT_EQ(sink->events.size(), 1u);
}

}  // namespace
}  // namespace orn::control::test
