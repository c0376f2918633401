#include "EventConnection.h"

#include "OposFiscalPrinter.h"

namespace orn::control {

EventConnection::~EventConnection() {
  for (IDispatch*& sink : sinks_) {
    if (sink) sink->Release();
    sink = nullptr;
  }
}

HRESULT EventConnection::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (riid != IID_IUnknown && riid != IID_IConnectionPoint) return E_NOINTERFACE;
  *object = static_cast<IConnectionPoint*>(this);
  AddRef();
  return S_OK;
}

HRESULT EventConnection::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = DIID__IOPOSFiscalPrinterEvents;
  return S_OK;
}

HRESULT EventConnection::GetConnectionPointContainer(IConnectionPointContainer** out) {
  if (!out) return E_POINTER;
  *out = container_;
  container_->AddRef();
  return S_OK;
}

HRESULT EventConnection::Advise(IUnknown* sink, DWORD* cookie) {
  if (!sink || !cookie) return E_POINTER;
  *cookie = 0;
  for (DWORD slot = 0; slot < kMaxSinks; ++slot) {
    if (sinks_[slot]) continue;
    void* events = nullptr;
    if (FAILED(sink->QueryInterface(DIID__IOPOSFiscalPrinterEvents, &events))) {
      return CONNECT_E_CANNOTCONNECT;
    }
    sinks_[slot] = static_cast<IDispatch*>(events);
    *cookie = slot + 1;
    return S_OK;
  }
  return CONNECT_E_ADVISELIMIT;
}

HRESULT EventConnection::Unadvise(DWORD cookie) {
  if (cookie == 0 || cookie > kMaxSinks || !sinks_[cookie - 1]) return CONNECT_E_NOCONNECTION;
  IDispatch* sink = sinks_[cookie - 1];
  sinks_[cookie - 1] = nullptr;
  sink->Release();
  return S_OK;
}

HRESULT EventConnection::EnumConnections(IEnumConnections** out) {
  if (out) *out = nullptr;
  return E_NOTIMPL;
}

void EventConnection::Raise(DISPID id, const wchar_t* name, VARIANTARG* args, UINT count) {
  for (IDispatch* sink : sinks_) {
    if (!sink) continue;
    // A sink may be unadvised by its own handler: keep it alive for the call.
    sink->AddRef();
    DISPID sinkId = id;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    const HRESULT found = sink->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &sinkId);
    if (found == E_NOTIMPL) sinkId = id;
    if (SUCCEEDED(found) || found == E_NOTIMPL) {
      DISPPARAMS params = {args, nullptr, count, 0};
      sink->Invoke(sinkId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                   nullptr, nullptr);
    }
    sink->Release();
  }
}

}  // namespace orn::control
