// The small common methods: the open result, frozen events, ClearOutput, DirectIO,
// ClearError and SetCurrency.

#include "device/ResultCodes.h"
#include "service/FptrService.h"
#include "service/OposConstants.h"

namespace orn::service {

int32_t FptrService::OpenResult() {
  return openResult_;
}

int32_t FptrService::GetOpenResult() {
  return openResult_;
}

int32_t FptrService::COFreezeEvents(bool freeze) {
  freezeEvents_ = freeze;
  return device::OPOS_SUCCESS;
}

int32_t FptrService::ClearOutput() {
  // No output is buffered.
  return Call(Method::kClearOutput, {}, [] {});
}

int32_t FptrService::DirectIO(int32_t command, int32_t& data, std::u16string& string) {
  // Both in/out arguments are logged as they came; `string` is neither read nor changed.
  LogCall(Method::kDirectIO,
          {Number("Command", command), Number("pData", data), Text("pString", string)});
  switch (command) {
    case kDirectIOSetDepartment:
      device_.ResetError();
      device_.SetDepartment(uint8_t(data));
      break;
    case kDirectIOGetDepartment:
      device_.ResetError();
      data = device_.Department();
      break;
    default:
      device_.SetIllegal();
      break;
  }
  RecordMethod(Method::kDirectIO);
  return Finish();
}

int32_t FptrService::ClearError() {
  return Call(Method::kClearError, {}, [] {});
}

int32_t FptrService::SetCurrency(int32_t newCurrency) {
  // CapSetCurrency is 0.
  return Call(Method::kSetCurrency, {Number("NewCurrency", newCurrency)},
              [&] { device_.SetIllegal(); });
}

}  // namespace orn::service
