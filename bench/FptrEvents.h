#pragma once
// The events of the OPOS FiscalPrinter control (its event interface
// {CCB90073-B81E-11D2-AB74-0040054C3719}): the wrapper connects a sink to the control and
// passes each event to the handler set for it. The bench sets none, so every event the
// control raises is ignored.

#include <windows.h>

#include <oaidl.h>
#include <ocidl.h>

#include <cstdint>
#include <functional>
#include <string>

namespace orn::bench {

extern const IID kFptrEventsInterface;

struct FptrEventHandlers {
  std::function<void(int32_t eventNumber, int32_t& data, std::wstring& text)> OnDirectIOEvent;
  std::function<void(int32_t resultCode, int32_t resultCodeExtended, int32_t errorLocus,
                     int32_t& errorResponse)>
      OnErrorEvent;
  std::function<void(int32_t outputId)> OnOutputCompleteEvent;
  std::function<void(int32_t data)> OnStatusUpdateEvent;
};

// The sink: a dispatch interface answering the four events by name and by dispatch id.
class FptrEventSink : public IDispatch {
 public:
  explicit FptrEventSink(FptrEventHandlers& handlers) : handlers_(handlers) {}
  FptrEventSink(const FptrEventSink&) = delete;
  FptrEventSink& operator=(const FptrEventSink&) = delete;
  virtual ~FptrEventSink() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO*, UINT* argumentError) override;

 private:
  LONG references_ = 1;
  FptrEventHandlers& handlers_;
};

// The sink connected to a control for as long as this object lives. A control without the
// event interface is used all the same, without events.
class FptrEventConnection {
 public:
  FptrEventConnection(IUnknown* control, FptrEventHandlers& handlers);
  ~FptrEventConnection();
  FptrEventConnection(const FptrEventConnection&) = delete;
  FptrEventConnection& operator=(const FptrEventConnection&) = delete;

  bool Connected() const { return cookie_ != 0; }

 private:
  FptrEventSink* sink_;
  IConnectionPoint* point_ = nullptr;
  DWORD cookie_ = 0;
};

}  // namespace orn::bench
