#include "simulator/Frame.h"

#include <cstring>

namespace orn::simulator {

uint8_t FrameCheckByte(const uint8_t* message, size_t length) {
  uint8_t check = uint8_t(length);
  for (size_t i = 0; i < length; ++i) check ^= message[i];
  return check;
}

size_t BuildFrame(const uint8_t* message, size_t length, uint8_t* frame) {
  if (length > kMaxMessage) length = kMaxMessage;
  frame[0] = kStx;
  frame[1] = uint8_t(length);
  std::memcpy(frame + 2, message, length);
  frame[2 + length] = FrameCheckByte(message, length);
  return length + 3;
}

}  // namespace orn::simulator
