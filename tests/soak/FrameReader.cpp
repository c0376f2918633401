#include "soak/FrameReader.h"

#include "simulator/Frame.h"

namespace orn::soak {

std::optional<size_t> FrameReader::Add(uint8_t byte) {
  switch (part_) {
    case Part::kBetweenFrames:
      if (byte == simulator::kStx) {
        part_ = Part::kLength;
        position_ = 0;
      } else {
        position_.reset();
      }
      break;
    case Part::kLength:
      length_ = byte;
      part_ = Part::kRest;
      position_ = 1;
      break;
    case Part::kRest:
      ++*position_;
      if (*position_ == size_t(length_) + 2) part_ = Part::kBetweenFrames;
      break;
  }
  return position_;
}

}  // namespace orn::soak
