#pragma once
// The service object as the control sees it: its dispatch interface, the DISPIDs of its
// methods found by name at Open, and how many of them its release lets the control call.

#include <windows.h>

#include <oaidl.h>

namespace orn::control {

enum ServiceMethod : int {
#define ORN_SERVICE_METHOD(name, fallback) k##name,
#include "ServiceMethods.def"
#undef ORN_SERVICE_METHOD
  kServiceMethodCount
};

// Names a service object of any release must answer.
constexpr int kBaseMethodCount = 61;

// How many names of the table a service object of this minor release must answer.
int RequiredMethodCount(long minor);

class ServiceObject {
 public:
  ServiceObject() = default;
  ServiceObject(const ServiceObject&) = delete;
  ServiceObject& operator=(const ServiceObject&) = delete;
  ~ServiceObject() { Release(); }

  // Takes over one reference to `dispatch`.
  void Attach(IDispatch* dispatch);
  void Release();
  IDispatch* Dispatch() const { return dispatch_; }

  // Asks for the table's names in order, stopping at the first one the service object
  // lacks (after its fallback name, where it has one). Returns how many were found.
  int LookUpNames();
  int FoundCount() const { return found_; }

  // From the service object's minor release on, the methods below its required count may
  // be called; until then, all the names found.
  void SetRelease(long minor);
  long Minor() const { return minor_; }
  bool Callable(ServiceMethod method) const { return method < callable_; }

  // Calls a method found by name; `args` are in IDispatch order (last argument first).
  HRESULT Invoke(ServiceMethod method, VARIANTARG* args, UINT count, VARIANT* result);
  // Calls a method without arguments that is not in the table, by name.
  HRESULT InvokeByName(const wchar_t* name, VARIANT* result);

 private:
  HRESULT InvokeId(DISPID id, VARIANTARG* args, UINT count, VARIANT* result);
  bool FindName(const wchar_t* name, DISPID* id);

  IDispatch* dispatch_ = nullptr;
  DISPID dispids_[kServiceMethodCount] = {};
  int found_ = 0;
  int callable_ = 0;
  long minor_ = 0;
};

}  // namespace orn::control
