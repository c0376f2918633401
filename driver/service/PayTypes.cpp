// Finding the payment type a payment's description names, among the configured ones.

#include "service/FptrService.h"

namespace orn::service {

int FptrService::FindPayType(std::string_view description) const {
  // The first entry whose name is the same text, byte for byte.
  for (const config::PayType& payType : params_.PayTypes())
    if (payType.name == description) return int(payType.code);
  return -1;
}

}  // namespace orn::service
