#include "platform/Registry.h"

#include <vector>

namespace orn::platform {

long Registry::QueryDword(RegKey key, const char* name, uint32_t& value) {
  uint32_t type = 0;
  uint8_t data[4] = {};
  uint32_t size = sizeof data;
  long code = QueryValue(key, name, &type, data, &size);
  if (code != kErrorSuccess) return code;
  if (type != kRegDword || size != sizeof data) return kErrorInvalidData;
  value = uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 |
          uint32_t(data[3]) << 24;
  return kErrorSuccess;
}

long Registry::QueryString(RegKey key, const char* name, std::string& value, uint32_t capacity) {
  uint32_t type = 0;
  uint32_t size = 0;
  long code = QueryValue(key, name, &type, nullptr, &size);
  if (code != kErrorSuccess) return code;
  if (type != kRegSz) return kErrorInvalidData;
  if (size > capacity) return kErrorMoreData;
  std::vector<uint8_t> buffer(size ? size : 1);
  code = QueryValue(key, name, &type, buffer.data(), &size);
  if (code != kErrorSuccess) return code;
  // Stored strings usually carry their zero; one without it must still fit with one added.
  uint32_t length = 0;
  while (length < size && buffer[length] != 0) ++length;
  if (length == size && length + 1 > capacity) return kErrorMoreData;
  value.assign(reinterpret_cast<const char*>(buffer.data()), length);
  return kErrorSuccess;
}

long Registry::SetDword(RegKey key, const char* name, uint32_t value) {
  const uint8_t data[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16),
                           uint8_t(value >> 24)};
  return SetValue(key, name, kRegDword, data, sizeof data);
}

long Registry::SetString(RegKey key, const char* name, std::string_view value) {
  std::vector<uint8_t> data(value.begin(), value.end());
  data.push_back(0);
  return SetValue(key, name, kRegSz, data.data(), uint32_t(data.size()));
}

}  // namespace orn::platform
