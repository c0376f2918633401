#include "FptrEvents.h"

#include <iterator>

namespace orn::bench {

const IID kFptrEventsInterface = {
    0xCCB90073, 0xB81E, 0x11D2, {0xAB, 0x74, 0x00, 0x40, 0x05, 0x4C, 0x37, 0x19}};

namespace {

enum EventId : DISPID {
  idDirectIOEvent = 2,
  idErrorEvent = 3,
  idOutputCompleteEvent = 4,
  idStatusUpdateEvent = 5,
};

struct EventName {
  const wchar_t* name;
  DISPID id;
  UINT arguments;
};

constexpr EventName kEvents[] = {
    {L"DirectIOEvent", idDirectIOEvent, 3},
    {L"ErrorEvent", idErrorEvent, 4},
    {L"OutputCompleteEvent", idOutputCompleteEvent, 1},
    {L"StatusUpdateEvent", idStatusUpdateEvent, 1},
};

// The arguments arrive last first; an in/out one by reference.
VARIANT& Argument(DISPPARAMS& params, UINT position) {
  return params.rgvarg[params.cArgs - 1 - position];
}

HRESULT IntegerOf(VARIANT& argument, int32_t& value) {
  if (argument.vt == (VT_I4 | VT_BYREF)) {
    value = *argument.plVal;
    return S_OK;
  }
  VARIANT converted;
  ::VariantInit(&converted);
  const HRESULT hr = ::VariantChangeType(&converted, &argument, 0, VT_I4);
  if (SUCCEEDED(hr)) value = converted.lVal;
  return hr;
}

}  // namespace

HRESULT FptrEventSink::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (riid != IID_IUnknown && riid != IID_IDispatch && riid != kFptrEventsInterface) {
    return E_NOINTERFACE;
  }
  *object = static_cast<IDispatch*>(this);
  AddRef();
  return S_OK;
}

ULONG FptrEventSink::AddRef() {
  return static_cast<ULONG>(::InterlockedIncrement(&references_));
}

ULONG FptrEventSink::Release() {
  const LONG left = ::InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT FptrEventSink::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT FptrEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT FptrEventSink::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!names || !ids || count == 0) return E_INVALIDARG;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  for (const EventName& event : kEvents) {
    if (lstrcmpiW(names[0], event.name) == 0) {
      ids[0] = event.id;
      return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
  }
  return DISP_E_UNKNOWNNAME;
}

HRESULT FptrEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                              EXCEPINFO*, UINT* argumentError) {
  if (result) ::VariantInit(result);
  const EventName* event = nullptr;
  for (const EventName& known : kEvents) {
    if (known.id == id) event = &known;
  }
  if (!event) return DISP_E_MEMBERNOTFOUND;
  if (!params || params->cArgs != event->arguments) return DISP_E_BADPARAMCOUNT;
  int32_t numbers[4] = {};
  for (UINT position = 0; position < event->arguments; ++position) {
    VARIANT& argument = Argument(*params, position);
    const bool text = id == idDirectIOEvent && position == 2;
    if (text) {
      if (argument.vt != (VT_BSTR | VT_BYREF)) return DISP_E_TYPEMISMATCH;
      continue;
    }
    if (FAILED(IntegerOf(argument, numbers[position]))) {
      if (argumentError) *argumentError = params->cArgs - 1 - position;
      return DISP_E_TYPEMISMATCH;
    }
  }
  switch (id) {
    case idDirectIOEvent:
      if (handlers_.OnDirectIOEvent) {
        VARIANT& data = Argument(*params, 1);
        BSTR& bstr = *Argument(*params, 2).pbstrVal;
        std::wstring text = bstr ? std::wstring(bstr, ::SysStringLen(bstr)) : L"";
        handlers_.OnDirectIOEvent(numbers[0], numbers[1], text);
        if (data.vt == (VT_I4 | VT_BYREF)) *data.plVal = numbers[1];
        ::SysFreeString(bstr);
        bstr = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
      }
      break;
    case idErrorEvent:
      if (handlers_.OnErrorEvent) {
        handlers_.OnErrorEvent(numbers[0], numbers[1], numbers[2], numbers[3]);
        VARIANT& response = Argument(*params, 3);
        if (response.vt == (VT_I4 | VT_BYREF)) *response.plVal = numbers[3];
      }
      break;
    case idOutputCompleteEvent:
      if (handlers_.OnOutputCompleteEvent) handlers_.OnOutputCompleteEvent(numbers[0]);
      break;
    case idStatusUpdateEvent:
      if (handlers_.OnStatusUpdateEvent) handlers_.OnStatusUpdateEvent(numbers[0]);
      break;
  }
  return S_OK;
}

FptrEventConnection::FptrEventConnection(IUnknown* control, FptrEventHandlers& handlers)
    : sink_(new FptrEventSink(handlers)) {
  IConnectionPointContainer* container = nullptr;
  if (FAILED(control->QueryInterface(IID_IConnectionPointContainer,
                                     reinterpret_cast<void**>(&container)))) {
    return;
  }
  if (SUCCEEDED(container->FindConnectionPoint(kFptrEventsInterface, &point_)) &&
      FAILED(point_->Advise(sink_, &cookie_))) {
    point_->Release();
    point_ = nullptr;
    cookie_ = 0;
  }
  container->Release();
}

FptrEventConnection::~FptrEventConnection() {
  if (point_) {
    point_->Unadvise(cookie_);
    point_->Release();
  }
  sink_->Release();
}

}  // namespace orn::bench
