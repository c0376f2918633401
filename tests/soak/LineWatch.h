#pragma once
// What the line did to the frames of a soak. The watch stands at both ends of the virtual
// line: as the register's line it passes every byte the driver sends on to the simulator,
// and as the driver's ports it sees every byte the driver reads. With the simulator's line
// observer it knows each byte as its sender wrote it and as it arrived, so it can tell when
// an end took a frame that is not one the other end sent. The XOR check byte lets such
// frames pass: two changes whose masks cancel, or a changed length byte whose shorter frame
// happens to check. No driver can see them; the soak counts them apart from its faults.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

#include "platform/memory/LinePeer.h"
#include "simulator/RegisterSimulator.h"
#include "soak/FrameReader.h"

namespace orn::platform {
class PortProvider;
}

namespace orn::soak {

class LineWatch : public platform::LinePeer {
 public:
  // Called with each byte the driver writes, after the watch placed it in its frame and
  // before the line carries it: a test scripts a change of the line with it (the
  // simulator's scripted faults, numbered from Counters().bytesReceived + 1).
  using Script = std::function<void(uint8_t byte, std::optional<size_t> position,
                                    simulator::RegisterSimulator& sim)>;

  // Watches the line between `sim` and the driver's `ports`; each frame taken changed is
  // shown on `trace`, as sent and as it arrived (nothing when null).
  LineWatch(simulator::RegisterSimulator& sim, platform::PortProvider& ports,
            std::ostream* trace = nullptr);
  ~LineWatch() override;

  // The register's end of the line.
  uint32_t BaudRate() const override { return sim_.BaudRate(); }
  void OnByte(uint8_t byte, uint64_t nowMs, platform::LineReply& reply) override;
  // The driver's end: the ports to give the driver.
  platform::PortProvider& DriverPorts();

  void SetScript(Script script) { script_ = std::move(script); }

  // Frames the register executed that are not a frame the driver wrote as it wrote it.
  uint32_t TakenByRegister() const { return takenByRegister_; }
  // Answers the driver acknowledged that the register never sent as they were.
  uint32_t TakenByDriver() const { return takenByDriver_; }
  // Both: the frames the check byte could not refuse.
  uint32_t Unrefused() const { return takenByRegister_ + takenByDriver_; }

 private:
  class WatchedPort;
  class WatchedPorts;

  void OnLineByte(simulator::LineNoise::Direction direction, uint8_t sent,
                  std::optional<uint8_t> arrived);
  // The driver read these bytes; an ACK it writes takes the frame of its last two reads
  // (the length byte, then the message and check byte).
  void OnDriverRead(const uint8_t* bytes, uint32_t count);
  void OnDriverAck();
  void Show(const char* what, const std::vector<uint8_t>& sent,
            const std::vector<uint8_t>& arrived) const;

  simulator::RegisterSimulator& sim_;
  std::unique_ptr<WatchedPorts> driverPorts_;
  std::ostream* trace_;
  Script script_;

  FrameReader driver_;                  // the driver's stream as written
  std::vector<uint8_t> driverFrame_;    // its current frame as written
  std::vector<uint8_t> driverArrived_;  // ... and as it arrived
  bool driverFrameChanged_ = false;
  std::optional<uint8_t> arrived_;            // the driver's byte being carried now
  FrameReader register_;                      // the register's stream as sent
  std::vector<uint8_t> answer_;               // its current frame as sent
  std::deque<std::vector<uint8_t>> answers_;  // its last frames as sent
  std::vector<uint8_t> lastRead_;             // the driver's last two reads
  std::vector<uint8_t> readBefore_;
  uint32_t takenByRegister_ = 0;
  uint32_t takenByDriver_ = 0;
};

}  // namespace orn::soak
