#pragma once
// The register's side of the wire format: control bytes of the link, the check byte and the
// answer frame (STX, length, message, check byte).

#include <cstddef>
#include <cstdint>

namespace orn::simulator {

inline constexpr uint8_t kStx = 0x02;
inline constexpr uint8_t kEnq = 0x05;
inline constexpr uint8_t kAck = 0x06;
inline constexpr uint8_t kNak = 0x15;

// The length byte limits a message to 255 bytes; a frame adds STX, length and check byte.
inline constexpr size_t kMaxMessage = 255;
inline constexpr size_t kMaxFrame = kMaxMessage + 3;

// XOR of the length byte and every message byte.
uint8_t FrameCheckByte(const uint8_t* message, size_t length);

// Writes the frame of a message (at most kMaxMessage bytes) and returns its size.
size_t BuildFrame(const uint8_t* message, size_t length, uint8_t* frame);

}  // namespace orn::simulator
