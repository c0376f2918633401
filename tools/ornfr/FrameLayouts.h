#pragma once
// The register's commands as a service engineer reads them in a log: the name of each
// command code and the fields of its request (after the password) and of its answer data
// (after the error code), in order.

#include <cstddef>
#include <cstdint>
#include <string>

namespace orn::ornfr {

enum class FieldType : uint8_t {
  kByte,      // a number of one byte
  kWord,      // 16-bit little-endian
  kMoney,     // 5 bytes little-endian, register units
  kQuantity,  // 5 bytes little-endian, thousandths
  kLong,      // 6 bytes little-endian (cash registers)
  kDate,      // day, month, year - 2000
  kTime,      // hour, minute, second
  kTaxes,     // four tax bytes
  kBytes,     // `size` bytes shown in hex
  kText,      // the rest as text, up to its first 00h
  kStatus,    // the 46 bytes of the status answer
};

struct Field {
  const char* name;
  FieldType type;
  uint8_t size = 0;  // kBytes only
};

struct FrameLayout {
  uint8_t code;
  const char* name;
  bool password;  // the request carries a password after the code
  const Field* request;
  size_t requestFields;
  const Field* answer;
  size_t answerFields;
};

// Nothing for a code the driver does not send.
const FrameLayout* FindFrameLayout(uint8_t code);

// The fields of `bytes` as "name value, name value" (texts as the register has them, in
// Windows-1251); bytes beyond the layout follow in hex.
std::string DescribeFields(const Field* fields, size_t count, const uint8_t* bytes, size_t size);

}  // namespace orn::ornfr
