#include "platform/memory/MemoryCommPort.h"

#include <algorithm>

#include "platform/CommDeadlines.h"

namespace orn::platform {

// Queues the peer's answer bytes behind each other, from the moment the byte that caused
// them arrived plus the peer's delay.
class MemoryCommPort::Reply : public LineReply {
 public:
  Reply(MemoryCommPort& port, uint64_t triggerUs) : port_(port), triggerUs_(triggerUs) {}
  void Send(const uint8_t* data, size_t count, uint32_t delayMs) override {
    const uint32_t peerRate = port_.peer_->BaudRate();
    const uint64_t byteUs = ByteTimeUs(peerRate);
    uint64_t startUs = std::max(triggerUs_ + uint64_t(delayMs) * 1000, port_.peerBusyUntilUs_);
    for (size_t i = 0; i < count; ++i) {
      const uint64_t arrivalUs = startUs + byteUs;
      port_.trace_.push_back({LineEvent::kFromPeer, data[i], arrivalUs});
      // Sent at another rate than the port listens at, the byte is noise and lost.
      if (peerRate == port_.settings_.baudRate) port_.input_.push_back({data[i], arrivalUs});
      startUs = arrivalUs;
    }
    port_.peerBusyUntilUs_ = startUs;
  }

 private:
  MemoryCommPort& port_;
  uint64_t triggerUs_;
};

MemoryCommPort::MemoryCommPort(MemoryClock& clock, LinePeer* peer)
    : clock_(clock), peer_(peer), clockBaseMs_(clock.Elapsed()) {}

uint64_t MemoryCommPort::ByteTimeUs(uint32_t baudRate) {
  return baudRate ? (10ull * 1000 * 1000 + baudRate - 1) / baudRate : 1000;
}

uint64_t MemoryCommPort::NextDepartureUs() const {
  return std::max(lineFreeUs_, output_.front().queuedUs) + ByteTimeUs(settings_.baudRate);
}

void MemoryCommPort::SendNext() {
  const uint64_t leftUs = NextDepartureUs();
  const uint8_t byte = output_.front().byte;
  output_.pop_front();
  lineFreeUs_ = leftUs;
  trace_.push_back({LineEvent::kToPeer, byte, leftUs});
  if (peer_ && peer_->BaudRate() == settings_.baudRate) {
    Reply reply(*this, leftUs);
    peer_->OnByte(byte, clockBaseMs_ + leftUs / 1000, reply);
  }
}

void MemoryCommPort::TransmitUntil(uint64_t us) {
  while (!output_.empty() && NextDepartureUs() <= us) SendNext();
}

void MemoryCommPort::SyncFromClock() {
  // The clock may stand before the line was made: jobs side by side rewind it.
  if (clock_.Elapsed() > clockBaseMs_)
    nowUs_ = std::max(nowUs_, (clock_.Elapsed() - clockBaseMs_) * 1000);
  TransmitUntil(nowUs_);
}

void MemoryCommPort::SyncToClock() {
  const uint64_t lineMs = clockBaseMs_ + nowUs_ / 1000;
  if (lineMs > clock_.Elapsed()) clock_.Advance(lineMs - clock_.Elapsed());
}

bool MemoryCommPort::SetupQueues(uint32_t, uint32_t outputSize) {
  if (outputSize != 0) outputQueueSize_ = outputSize;
  return true;
}

bool MemoryCommPort::GetState(LineSettings& settings) {
  settings = settings_;
  return true;
}

bool MemoryCommPort::SetState(const LineSettings& settings) {
  if (failSetState_) return false;
  // What has left went at the old rate; the rest goes at the new one.
  SyncFromClock();
  settings_ = settings;
  return true;
}

bool MemoryCommPort::SetTimeouts(const CommTimeouts& timeouts) {
  timeouts_ = timeouts;
  return true;
}

bool MemoryCommPort::Purge(uint32_t flags) {
  SyncFromClock();
  if (flags & (kPurgeRxClear | kPurgeRxAbort)) {
    // What has arrived is thrown away; bytes still on the wire arrive later.
    while (!input_.empty() && input_.front().arrivalUs <= nowUs_) input_.pop_front();
  }
  // Whatever has not fully left is lost, the byte half out of the shift register too.
  if (flags & (kPurgeTxClear | kPurgeTxAbort)) output_.clear();
  return true;
}

bool MemoryCommPort::Read(uint8_t* buffer, uint32_t count, uint32_t& transferred) {
  SyncFromClock();
  transferred = 0;
  const ReadDeadline deadline = ReadDeadlineOf(timeouts_, count);
  const uint64_t startUs = nowUs_;
  uint64_t lastByteUs = startUs;
  while (transferred < count) {
    const uint64_t limitUs =
        startUs + deadline.NextByteLimit(transferred, lastByteUs - startUs, 1000);
    // Our own bytes leave while the read waits, and the peer may answer them in time.
    if (!output_.empty() && NextDepartureUs() <= limitUs &&
        (input_.empty() || NextDepartureUs() <= input_.front().arrivalUs)) {
      SendNext();
      continue;
    }
    if (input_.empty() || input_.front().arrivalUs > limitUs) {
      nowUs_ = std::max(nowUs_, limitUs);
      break;
    }
    const Pending next = input_.front();
    input_.pop_front();
    buffer[transferred++] = next.byte;
    nowUs_ = std::max(nowUs_, next.arrivalUs);
    lastByteUs = nowUs_;
  }
  TransmitUntil(nowUs_);
  SyncToClock();
  return true;
}

bool MemoryCommPort::Write(const uint8_t* buffer, uint32_t count, uint32_t& transferred) {
  SyncFromClock();
  transferred = 0;
  if (failWrites_) return false;
  for (uint32_t i = 0; i < count; ++i) {
    // A full queue takes a new byte once its first one has left.
    if (output_.size() >= outputQueueSize_) {
      nowUs_ = std::max(nowUs_, NextDepartureUs());
      SendNext();
    }
    output_.push_back({buffer[i], nowUs_});
    ++transferred;
  }
  SyncToClock();
  return true;
}

bool MemoryCommPort::Drain() {
  SyncFromClock();
  while (!output_.empty()) {
    nowUs_ = std::max(nowUs_, NextDepartureUs());
    SendNext();
  }
  SyncToClock();
  return true;
}

}  // namespace orn::platform
