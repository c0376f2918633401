// The service object's callbacks on the control (the hidden members of its interface):
// each raises the matching event of _IOPOSFiscalPrinterEvents to the application's sinks.
#include "FiscalPrinterControl.h"

namespace orn::control {
namespace {

enum EventId : DISPID {
  kDirectIOEvent = 2,
  kErrorEvent = 3,
  kOutputCompleteEvent = 4,
  kStatusUpdateEvent = 5,
};

// How often a callback from another thread looks again while events are frozen.
constexpr DWORD kFrozenRetryMs = 100;

struct PendingEvent {
  EventConnection* events;
  DISPID id;
  const wchar_t* name;
  VARIANTARG* args;
  UINT count;
};

void DeliverPending(void* context) {
  auto* event = static_cast<PendingEvent*>(context);
  event->events->Raise(event->id, event->name, event->args, event->count);
}

}  // namespace

// On the creating thread the event is raised at once. From another thread it is handed to
// the creating thread, which must be pumping messages; while the application keeps events
// frozen the hand-over waits, and it is dropped once events are off (ReleaseDevice, Close).
void FiscalPrinterControl::RaiseEvent(DISPID id, const wchar_t* name, VARIANTARG* args,
                                      UINT count) {
  if (window_.OnOwnerThread()) {
    events_.Raise(id, name, args, count);
    return;
  }
  PendingEvent event = {&events_, id, name, args, count};
  while (eventsEnabled_) {
    if (!frozen_) {
      window_.Deliver(DeliverPending, &event);
      return;
    }
    ::Sleep(kFrozenRetryMs);
  }
}

HRESULT FiscalPrinterControl::SODataDummy(LONG) {
  return E_NOTIMPL;
}

HRESULT FiscalPrinterControl::SODirectIO(LONG EventNumber, LONG* pData, BSTR* pString) {
  if (!pData || !pString) return E_POINTER;
  VARIANTARG args[3];
  SetArgs(args, EventNumber, pData, pString);
  RaiseEvent(kDirectIOEvent, L"DirectIOEvent", args, 3);
  return S_OK;
}

HRESULT FiscalPrinterControl::SOError(LONG ResultCode, LONG ResultCodeExtended, LONG ErrorLocus,
                                      LONG* pErrorResponse) {
  if (!pErrorResponse) return E_POINTER;
  VARIANTARG args[4];
  SetArgs(args, ResultCode, ResultCodeExtended, ErrorLocus, pErrorResponse);
  RaiseEvent(kErrorEvent, L"ErrorEvent", args, 4);
  return S_OK;
}

HRESULT FiscalPrinterControl::SOOutputComplete(LONG OutputID) {
  VARIANTARG args[1];
  SetArgs(args, OutputID);
  RaiseEvent(kOutputCompleteEvent, L"OutputCompleteEvent", args, 1);
  return S_OK;
}

HRESULT FiscalPrinterControl::SOStatusUpdate(LONG Data) {
  VARIANTARG args[1];
  SetArgs(args, Data);
  RaiseEvent(kStatusUpdateEvent, L"StatusUpdateEvent", args, 1);
  return S_OK;
}

HRESULT FiscalPrinterControl::SOProcessID(LONG* pProcessID) {
  if (!pProcessID) return E_POINTER;
  *pProcessID = static_cast<LONG>(::GetCurrentProcessId());
  return S_OK;
}

}  // namespace orn::control
