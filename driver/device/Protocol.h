#pragma once
// The register's link protocol: control bytes, frame limits and the baud-rate codes.

#include <cstddef>
#include <cstdint>

namespace orn::device {

inline constexpr uint8_t kStx = 0x02;
inline constexpr uint8_t kEnq = 0x05;
inline constexpr uint8_t kAck = 0x06;
inline constexpr uint8_t kNak = 0x15;

// A request is the command code and at most 252 parameter bytes, so a whole frame
// (STX, length, request, check byte) fits in 256 bytes.
inline constexpr size_t kMaxRequest = 253;
inline constexpr size_t kFrameBuffer = 256;

// Index = the register's baud-rate code.
inline constexpr uint32_t kBaudRates[] = {2400, 4800, 9600, 19200, 38400, 57600, 115200};
inline constexpr uint8_t kDefaultBaudRateCode = 1;  // for a rate not in the table

inline constexpr uint8_t BaudRateCode(uint32_t baudRate) {
  for (uint8_t code = 0; code < sizeof kBaudRates / sizeof kBaudRates[0]; ++code)
    if (kBaudRates[code] == baudRate) return code;
  return kDefaultBaudRateCode;
}

// XOR of the length byte and every message byte.
inline uint8_t CheckByte(const uint8_t* message, size_t length) {
  uint8_t check = uint8_t(length);
  for (size_t i = 0; i < length; ++i) check ^= message[i];
  return check;
}

}  // namespace orn::device
