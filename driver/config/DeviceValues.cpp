#include "config/DeviceValues.h"

namespace orn::config {

long ReadDeviceValue(platform::Registry& registry, platform::RegKey key, const DeviceValue& value,
                     uint32_t& number, std::string& text) {
  if (value.type == ValueType::kDword) return registry.QueryDword(key, value.name, number);
  return registry.QueryString(key, value.name, text, kStringValueCapacity);
}

ValueProblem ProblemOf(const DeviceValue& value, long readCode) {
  switch (readCode) {
    case platform::kErrorSuccess:
      return ValueProblem::kNone;
    case platform::kErrorFileNotFound:
      return ValueProblem::kMissing;
    case platform::kErrorInvalidData:
      return ValueProblem::kWrongType;
    case platform::kErrorMoreData:
      return value.type == ValueType::kDword ? ValueProblem::kWrongType : ValueProblem::kTooLong;
    default:
      return ValueProblem::kUnreadable;
  }
}

}  // namespace orn::config
