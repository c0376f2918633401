#pragma once
// The far end of a virtual serial line: in tests, the register simulator. The line is
// driven by the driver's calls on the virtual clock; the peer only reacts to what arrives.

#include <cstddef>
#include <cstdint>

namespace orn::platform {

// What the peer sends back. Bytes leave one after the other at the peer's baud rate,
// the first one starting `delayMs` after the moment the received byte arrived; later
// Send calls queue behind earlier ones.
class LineReply {
 public:
  virtual ~LineReply() = default;
  virtual void Send(const uint8_t* data, size_t count, uint32_t delayMs) = 0;
};

class LinePeer {
 public:
  virtual ~LinePeer() = default;
  // The peer's own line rate: bytes sent at another rate are lost in both directions.
  virtual uint32_t BaudRate() const = 0;
  // One byte from the driver has fully arrived at virtual time `nowMs` (the virtual
  // clock's milliseconds since it was made). Called only for bytes sent at the peer's rate.
  virtual void OnByte(uint8_t byte, uint64_t nowMs, LineReply& reply) = 0;
};

}  // namespace orn::platform
