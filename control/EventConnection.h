#pragma once
// The connection point of the control's event interface (_IOPOSFiscalPrinterEvents): the
// application's sinks, and the raising of an event on each of them. It lives inside the
// control and shares its reference count.

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

namespace orn::control {

class EventConnection : public IConnectionPoint {
 public:
  explicit EventConnection(IConnectionPointContainer* container) : container_(container) {}
  EventConnection(const EventConnection&) = delete;
  EventConnection& operator=(const EventConnection&) = delete;
  ~EventConnection();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return container_->AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return container_->Release(); }

  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override;

  // Calls the event on every sink. Each sink is asked for the event's name first: a sink
  // that does not implement the lookup gets the standard DISPID, one that fails it is
  // skipped. `args` are in IDispatch order (last argument first).
  void Raise(DISPID id, const wchar_t* name, VARIANTARG* args, UINT count);

 private:
  static constexpr DWORD kMaxSinks = 8;
  IConnectionPointContainer* container_;
  IDispatch* sinks_[kMaxSinks] = {};
};

}  // namespace orn::control
