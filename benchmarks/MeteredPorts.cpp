#include "MeteredPorts.h"

#include "OsCall.h"

namespace orn::benchmarks {

namespace {
constexpr uint8_t kStx = 0x02;
// ENQ, NAK, the ACK to the frame and the ACK to the answer.
constexpr uint64_t kControlBytes = 4;
constexpr uint64_t kFrameOverhead = 3;  // STX, length, check byte
}  // namespace

bool MeteredPort::SetupQueues(uint32_t inputSize, uint32_t outputSize) {
  OsCall os;
  return port_.SetupQueues(inputSize, outputSize);
}

bool MeteredPort::GetState(platform::LineSettings& settings) {
  OsCall os;
  return port_.GetState(settings);
}

bool MeteredPort::SetState(const platform::LineSettings& settings) {
  OsCall os;
  if (!port_.SetState(settings)) return false;
  rate_ = settings.baudRate;
  return true;
}

bool MeteredPort::SetTimeouts(const platform::CommTimeouts& timeouts) {
  OsCall os;
  return port_.SetTimeouts(timeouts);
}

bool MeteredPort::Purge(uint32_t flags) {
  OsCall os;
  ++meter_.exchanges;
  meter_.exchangeRates.push_back(rate_);
  return port_.Purge(flags);
}

bool MeteredPort::Read(uint8_t* buffer, uint32_t count, uint32_t& transferred) {
  OsCall os;
  const bool read = port_.Read(buffer, count, transferred);
  if (!read || transferred == 0 || requestFrame_ == 0) return read;
  // The head of the answer to the frame last written (STX and the length byte, read
  // together or one by one): the exchange is complete on the wire.
  size_t at = 0;
  if (!answerStarted_) {
    if (buffer[0] != kStx) return read;
    answerStarted_ = true;
    at = 1;
  }
  if (at < transferred) {
    meter_.requiredBytes += kControlBytes + requestFrame_ + buffer[at] + kFrameOverhead;
    requestFrame_ = 0;
    answerStarted_ = false;
  }
  return read;
}

bool MeteredPort::Write(const uint8_t* buffer, uint32_t count, uint32_t& transferred) {
  OsCall os;
  if (count > kFrameOverhead && buffer[0] == kStx) {
    requestFrame_ = count;
    answerStarted_ = false;
  }
  return port_.Write(buffer, count, transferred);
}

bool MeteredPort::Drain() {
  OsCall os;
  return port_.Drain();
}

platform::CommPort* MeteredPorts::Acquire(int portNumber) {
  OsCall os;
  platform::CommPort* port = ports_.Acquire(portNumber);
  ErrorOf(portNumber) = ports_.LastError(portNumber);
  if (!port) return nullptr;
  open_[portNumber] = std::make_unique<MeteredPort>(*port, meter_);
  return open_[portNumber].get();
}

bool MeteredPorts::Release(int portNumber) {
  OsCall os;
  open_[portNumber].reset();
  return ports_.Release(portNumber);
}

void MeteredPorts::RunSideBySide(size_t count, const std::function<void(size_t)>& job) {
  ports_.RunSideBySide(count, job);
}

}  // namespace orn::benchmarks
