#pragma once
// A port provider that hands out the ports of another one behind a meter: it sees every
// call the driver makes to the OS's serial port, so it can tell what the protocol needed
// on the wire, how many exchanges ran and at which rate, and keep the OS's own work (the
// virtual line, the simulator behind it) out of the driver's allocation count.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/CommPort.h"

namespace orn::benchmarks {

// What the meter saw since it was made or last cleared.
struct LineMeter {
  // The bytes one clean exchange of each request needs: ENQ, NAK, the request frame, ACK,
  // the answer frame and the final ACK; a repeated round adds nothing here.
  uint64_t requiredBytes = 0;
  uint32_t exchanges = 0;               // every exchange begins with a purge
  std::vector<uint32_t> exchangeRates;  // the line rate at each exchange's start
};

class MeteredPort : public platform::CommPort {
 public:
  MeteredPort(platform::CommPort& port, LineMeter& meter) : port_(port), meter_(meter) {}

  bool SetupQueues(uint32_t inputSize, uint32_t outputSize) override;
  bool GetState(platform::LineSettings& settings) override;
  bool SetState(const platform::LineSettings& settings) override;
  bool SetTimeouts(const platform::CommTimeouts& timeouts) override;
  bool Purge(uint32_t flags) override;
  bool Read(uint8_t* buffer, uint32_t count, uint32_t& transferred) override;
  bool Write(const uint8_t* buffer, uint32_t count, uint32_t& transferred) override;
  bool Drain() override;

 private:
  platform::CommPort& port_;
  LineMeter& meter_;
  uint32_t rate_ = 0;
  uint32_t requestFrame_ = 0;   // size of the frame written and not yet answered
  bool answerStarted_ = false;  // its answer's STX read, its length byte next
};

class MeteredPorts : public platform::PortProvider {
 public:
  explicit MeteredPorts(platform::PortProvider& ports) : ports_(ports) {}

  platform::CommPort* Acquire(int portNumber) override;
  bool Release(int portNumber) override;
  // The meter is not shared between threads: the jobs run on the ports' own provider, and
  // a measurement that meters goes side by side only on the virtual line.
  void RunSideBySide(size_t count, const std::function<void(size_t)>& job) override;

  LineMeter& Meter() { return meter_; }
  void Clear() { meter_ = {}; }

 private:
  platform::PortProvider& ports_;
  LineMeter meter_;
  std::unique_ptr<MeteredPort> open_[33];
};

}  // namespace orn::benchmarks
