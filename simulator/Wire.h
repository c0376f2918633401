#pragma once
// Numbers and texts as they travel in requests and answers: little-endian numbers of a
// given size, money and quantities in 5 bytes, texts up to their first 00h.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Clock.h"

namespace orn::simulator {

inline constexpr size_t kMoneySize = 5;
inline constexpr size_t kPasswordSize = 4;
inline constexpr size_t kTaxBytes = 4;

inline uint64_t GetLe(const uint8_t* bytes, size_t count) {
  uint64_t value = 0;
  for (size_t i = 0; i < count && i < 8; ++i) value |= uint64_t(bytes[i]) << (8 * i);
  return value;
}

inline void PutLe(uint8_t* bytes, uint64_t value, size_t count) {
  for (size_t i = 0; i < count; ++i) bytes[i] = i < 8 ? uint8_t(value >> (8 * i)) : 0;
}

// The text of a field of `count` bytes: everything before the first 00h.
inline std::string FieldText(const uint8_t* bytes, size_t count) {
  size_t length = 0;
  while (length < count && bytes[length] != 0) ++length;
  return std::string(reinterpret_cast<const char*>(bytes), length);
}

// A date as it travels: day, month, year - 2000.
inline platform::LocalTime DateOf(const uint8_t* bytes) {
  platform::LocalTime date;
  date.day = bytes[0];
  date.month = bytes[1];
  date.year = uint16_t(2000 + bytes[2]);
  return date;
}

}  // namespace orn::simulator
