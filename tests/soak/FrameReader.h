#pragma once
// Reads one direction of the serial line as its sender wrote it: control bytes one at a time
// between frames, and frames of STX, length, message and check byte.

#include <cstddef>
#include <cstdint>
#include <optional>

namespace orn::soak {

class FrameReader {
 public:
  // Takes the next byte and tells where it stands in its frame: 0 the STX, 1 the length,
  // 2 the first message byte, Length() + 2 the check byte; nothing for a control byte.
  std::optional<size_t> Add(uint8_t byte);
  // The length byte of the frame being read, or of the last one.
  uint8_t Length() const { return length_; }
  // Whether the byte last taken ended a frame (its check byte).
  bool FrameEnded() const { return position_ && *position_ == size_t(length_) + 2; }

 private:
  enum class Part : uint8_t { kBetweenFrames, kLength, kRest };
  Part part_ = Part::kBetweenFrames;
  uint8_t length_ = 0;
  std::optional<size_t> position_;
};

}  // namespace orn::soak
