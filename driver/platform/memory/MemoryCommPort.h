#pragma once
// A virtual serial line between the driver and an in-process peer (the register
// simulator), on the virtual clock. Bytes take their wire time at the line rate (ten bits
// a byte) in both directions. A write only queues its bytes, as a real port's transmit
// queue takes them: they leave one after the other while time passes, and a transmit purge
// drops those that have not left yet. A read returns at once with what the peer has
// produced and moves the clock to the moment the bytes would have arrived, or to the
// time-out. So a silent register costs no real time, and every wait can be asserted to
// the millisecond.

#include <cstdint>
#include <deque>
#include <vector>

#include "platform/CommPort.h"
#include "platform/memory/LinePeer.h"
#include "platform/memory/MemoryClock.h"

namespace orn::platform {

// One byte seen on the line, for tests that look at the traffic.
struct LineEvent {
  enum Direction { kToPeer, kFromPeer } direction;
  uint8_t byte;
  uint64_t atUs;  // microseconds since the line was made: when the byte has fully arrived
};

class MemoryCommPort : public CommPort {
 public:
  static constexpr uint32_t kDefaultQueueSize = 4096;

  // `peer` may be null: a port with nothing attached, where every read times out.
  MemoryCommPort(MemoryClock& clock, LinePeer* peer);

  bool SetupQueues(uint32_t inputSize, uint32_t outputSize) override;
  bool GetState(LineSettings& settings) override;
  // Bytes still queued leave at the new rate.
  bool SetState(const LineSettings& settings) override;
  bool SetTimeouts(const CommTimeouts& timeouts) override;
  bool Purge(uint32_t flags) override;
  bool Read(uint8_t* buffer, uint32_t count, uint32_t& transferred) override;
  // Queues the bytes and returns; waits (on the virtual clock) only for room in a full queue.
  bool Write(const uint8_t* buffer, uint32_t count, uint32_t& transferred) override;
  // Moves the clock on until every queued byte has left.
  bool Drain() override;

  // The bytes that have crossed the line, in the order they arrived at either end.
  const std::vector<LineEvent>& Trace() const { return trace_; }
  void ClearTrace() { trace_.clear(); }
  // Bytes written that have not fully left yet.
  size_t Queued() const { return output_.size(); }
  const CommTimeouts& Timeouts() const { return timeouts_; }
  const LineSettings& Settings() const { return settings_; }
  // Makes the next calls of one kind fail, as a broken port would.
  void FailWrites(bool fail) { failWrites_ = fail; }
  void FailSetState(bool fail) { failSetState_ = fail; }

 private:
  class Reply;
  struct Pending {
    uint8_t byte;
    uint64_t arrivalUs;
  };
  struct Outgoing {
    uint8_t byte;
    uint64_t queuedUs;
  };

  static uint64_t ByteTimeUs(uint32_t baudRate);
  // When the first queued byte will have fully left, at the current rate.
  uint64_t NextDepartureUs() const;
  // The first queued byte leaves: the peer hears it (at its own rate only).
  void SendNext();
  void TransmitUntil(uint64_t us);
  void SyncFromClock();
  void SyncToClock();

  MemoryClock& clock_;
  LinePeer* peer_;
  LineSettings settings_;
  CommTimeouts timeouts_;
  uint32_t outputQueueSize_ = kDefaultQueueSize;
  uint64_t nowUs_ = 0;
  uint64_t clockBaseMs_;          // clock's elapsed time when the line was made
  uint64_t peerBusyUntilUs_ = 0;  // when the peer's last queued byte ends
  uint64_t lineFreeUs_ = 0;       // when our last byte sent has fully left
  std::deque<Pending> input_;
  std::deque<Outgoing> output_;
  std::vector<LineEvent> trace_;
  bool failWrites_ = false;
  bool failSetState_ = false;
};

}  // namespace orn::platform
