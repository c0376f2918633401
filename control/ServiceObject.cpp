#include "ServiceObject.h"

#include <algorithm>
#include <iterator>

namespace orn::control {
namespace {

struct MethodName {
  const wchar_t* name;
  const wchar_t* fallback;
};

constexpr MethodName kMethodNames[] = {
#define ORN_SERVICE_METHOD(name, fallback) {L## #name, fallback},
#include "ServiceMethods.def"
#undef ORN_SERVICE_METHOD
};
static_assert(std::size(kMethodNames) == kServiceMethodCount);

// Names required per minor release, from 1.3 (the first entry) to 1.12 and later.
constexpr int kRequiredPerRelease[] = {61, 61, 61, 70, 70, 73, 75, 75, 77, 79};
constexpr long kFirstMinor = 3;

}  // namespace

int RequiredMethodCount(long minor) {
  const long last = static_cast<long>(std::size(kRequiredPerRelease)) - 1;
  return kRequiredPerRelease[std::clamp(minor - kFirstMinor, 0L, last)];
}

void ServiceObject::Attach(IDispatch* dispatch) {
  Release();
  dispatch_ = dispatch;
}

void ServiceObject::Release() {
  if (dispatch_) dispatch_->Release();
  dispatch_ = nullptr;
  found_ = 0;
  callable_ = 0;
  minor_ = 0;
}

bool ServiceObject::FindName(const wchar_t* name, DISPID* id) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  return SUCCEEDED(dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_SYSTEM_DEFAULT, id));
}

int ServiceObject::LookUpNames() {
  found_ = 0;
  for (const MethodName& method : kMethodNames) {
    DISPID& id = dispids_[found_];
    if (!FindName(method.name, &id) && !(method.fallback && FindName(method.fallback, &id))) {
      break;
    }
    ++found_;
  }
  callable_ = found_;
  return found_;
}

void ServiceObject::SetRelease(long minor) {
  minor_ = minor;
  callable_ = RequiredMethodCount(minor);
}

HRESULT ServiceObject::InvokeId(DISPID id, VARIANTARG* args, UINT count, VARIANT* result) {
  DISPPARAMS params = {args, nullptr, count, 0};
  ::VariantInit(result);
  return dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result,
                           nullptr, nullptr);
}

HRESULT ServiceObject::Invoke(ServiceMethod method, VARIANTARG* args, UINT count, VARIANT* result) {
  if (!dispatch_ || method >= found_) return E_UNEXPECTED;
  return InvokeId(dispids_[method], args, count, result);
}

HRESULT ServiceObject::InvokeByName(const wchar_t* name, VARIANT* result) {
  DISPID id;
  if (!dispatch_ || !FindName(name, &id)) return DISP_E_UNKNOWNNAME;
  return InvokeId(id, nullptr, 0, result);
}

}  // namespace orn::control
