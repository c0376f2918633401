// Payments of the fiscal receipt. Members of FptrService that come with a later release; until
// then each runs the method frame and answers OPOS_E_ILLEGAL.

#include "service/FptrService.h"

namespace orn::service {

int32_t FptrService::PrintRecTotal(int64_t total, int64_t payment,
                                   std::u16string_view description) {
  return NotSupported(Method::kPrintRecTotal, {Money("Total", total), Money("Payment", payment),
                                               Text("Description", description)});
}

int32_t FptrService::PrintRecCash(int64_t amount) {
  return NotSupported(Method::kPrintRecCash, {Money("Amount", amount)});
}

}  // namespace orn::service
