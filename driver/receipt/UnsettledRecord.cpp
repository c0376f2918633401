#include "receipt/UnsettledRecord.h"

namespace orn::receipt {

namespace {
constexpr char kUnsettledValue[] = "UnsettledCommand";
// A frame and an answer of 256 bytes each in hex, and the state.
constexpr uint32_t kUnsettledCapacity = 1100;
}  // namespace

void UnsettledRecord::SaveUnsettled(const std::string& record) {
  store_.WriteString("", kUnsettledValue, record);
}

std::string UnsettledRecord::LoadUnsettled() {
  std::string record;
  store_.Read("", [&](platform::Registry& registry, platform::RegKey key) {
    registry.QueryString(key, kUnsettledValue, record, kUnsettledCapacity);
  });
  return record;
}

}  // namespace orn::receipt
