#pragma once
// A driver and an in-process register simulator on the virtual line, with the log in
// memory: every exchange runs in microseconds and its virtual time is exact.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/DriverLog.h"
#include "device/FiscalDevice.h"
#include "platform/memory/MemoryPlatform.h"
#include "platform/memory/MemoryPortProvider.h"
#include "simulator/RegisterSimulator.h"
#include "support/Frames.h"

namespace orn::testing {

class LinkFixture : public ::testing::Test {
 protected:
  static constexpr int kPort = 1;
  static constexpr uint32_t kBaud = 4800;
  static constexpr uint32_t kPassword = 30;

  LinkFixture()
      : ports_(memory_.clock),
        log_(memory_.files, memory_.clock),
        device_(ports_, memory_.clock, log_) {
    log_.SetEnabled(true);
    device_.SetConnection(kPort, kBaud);
    device_.SetPassword(kPassword);
  }

  // Makes the simulator (with the settings of `config`) and puts it on `port`.
  simulator::RegisterSimulator& Attach(const simulator::SimulatorConfig& config = {},
                                       int port = kPort) {
    simulators_.push_back(std::make_unique<simulator::RegisterSimulator>(config));
    ports_.Attach(port, *simulators_.back());
    return *simulators_.back();
  }
  // Opens the configured port without probing.
  void Open() { ASSERT_TRUE(device_.Port().Open(kPort, kBaud)); }

  // The bytes the driver put on the line since the port was opened.
  Bytes Sent(int port = kPort) {
    Bytes bytes;
    if (platform::MemoryCommPort* line = ports_.Port(port))
      for (const platform::LineEvent& event : line->Trace())
        if (event.direction == platform::LineEvent::kToPeer) bytes.push_back(event.byte);
    return bytes;
  }
  // The request messages the driver framed, in order (code and parameters).
  std::vector<Bytes> SentRequests(int port = kPort) { return MessagesIn(Sent(port)); }
  Bytes SentCodes(int port = kPort) {
    Bytes codes;
    for (const auto& request : SentRequests(port)) codes.push_back(request[0]);
    return codes;
  }
  std::string Log() { return memory_.files.Contents(config::kDefaultLogFileName); }
  uint64_t Elapsed() const { return memory_.clock.Elapsed(); }

  platform::MemoryPlatform memory_;
  platform::MemoryPortProvider ports_;
  config::DriverLog log_;
  device::FiscalDevice device_;
  std::vector<std::unique_ptr<simulator::RegisterSimulator>> simulators_;
};

}  // namespace orn::testing
