#pragma once
// The simulated fiscal register as the far end of a serial line: link, commands, line rate
// and faults. Transport-agnostic: bytes come in with a time stamp and go out with a delay,
// so the same object serves the in-process virtual line and ornsim's pseudo-terminal.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/memory/LinePeer.h"
#include "simulator/DeviceModel.h"
#include "simulator/RegisterCommands.h"
#include "simulator/RegisterLink.h"
#include "simulator/RegisterState.h"
#include "simulator/SimulatorFaults.h"

namespace orn::simulator {

struct SimulatorConfig {
  uint32_t baudRate = 4800;  // the register's line rate at start
  RegisterState state;
  DeviceModel model = ModelPreset(0);
  LinkTiming timing;
  SimulatorFaults faults;
};

class RegisterSimulator : public platform::LinePeer, private CommandHandler {
 public:
  explicit RegisterSimulator(const SimulatorConfig& config = {});

  uint32_t BaudRate() const override { return baudRate_; }
  void OnByte(uint8_t byte, uint64_t nowMs, platform::LineReply& reply) override;

  void SetBaudRate(uint32_t rate) { baudRate_ = rate; }
  // A rate agreed with the driver that the line switches to after the next acknowledgement.
  std::optional<uint32_t> PendingBaudRate() const { return commands_.RequestedBaudRate(); }
  // Moves to the agreed rate now: the driver is heard there, so its acknowledgement was lost.
  void AdoptPendingBaudRate();
  // Makes a GetStatus answer (as of `nowMs`) pending, left over from an earlier exchange.
  void OfferStaleAnswer(uint64_t nowMs = 0);
  bool AnswerPending() const { return link_.AnswerPending(); }

  // All of these may be changed between bytes.
  SimulatorFaults& Faults() { return faults_; }
  RegisterState& State() { return commands_.State(); }
  DeviceModel& Model() { return commands_.Model(); }
  LinkTiming& Timing() { return link_.Timing(); }

  const SimulatorCounters& Counters() const { return counters_; }
  // The register's clock at line time `nowMs`.
  platform::LocalTime ClockAt(uint64_t nowMs) const { return commands_.ClockAt(nowMs); }

 private:
  size_t Execute(const uint8_t* request, size_t length, uint64_t nowMs, uint8_t* answer) override;
  void OnAnswerAcknowledged() override;

  uint32_t baudRate_;
  SimulatorFaults faults_;
  SimulatorCounters counters_;
  RegisterCommands commands_;
  RegisterLink link_;
};

}  // namespace orn::simulator
