#pragma once
// The simulated fiscal register as the far end of a serial line: link, commands, line rate
// and faults. Transport-agnostic: bytes come in with a time stamp and go out with a delay,
// so the same object serves the in-process virtual line and ornsim's pseudo-terminal.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/memory/LinePeer.h"
#include "simulator/DeviceModel.h"
#include "simulator/LineNoise.h"
#include "simulator/RegisterCommands.h"
#include "simulator/RegisterLink.h"
#include "simulator/RegisterState.h"
#include "simulator/SimulatorFaults.h"

namespace orn::simulator {

struct SimulatorConfig {
  uint32_t baudRate = 4800;  // the register's line rate at start
  RegisterState state;
  // Read at construction: the tables and the printer are made for this model.
  DeviceModel model = ModelPreset(0);
  LinkTiming timing;
  PrintTiming printing;
  SimulatorFaults faults;
};

// One byte on the line and what its faults (scripted or noise) made of it: as its sender
// put it on the line, and as it arrived (nothing when it was lost).
using LineObserver =
    std::function<void(LineNoise::Direction, uint8_t sent, std::optional<uint8_t> arrived)>;

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
  // Called with every byte that crosses the line in either direction, so that what one end
  // took can be told from what the other sent (a change the check byte cannot see).
  void SetLineObserver(LineObserver observer) { lineObserver_ = std::move(observer); }

  // What was printed on a station, one string (Windows-1251) per line, oldest first.
  const std::vector<std::string>& Printed(Station station) const;
  void ClearPrinted();
  // Called with each line as it is printed (ornsim shows the tape with it).
  void SetPrintObserver(Printer::LineObserver observer);
  // Called with every fiscal operation the register executes, and with each reset.
  void SetOperationObserver(FiscalOperationObserver observer) {
    commands_.SetOperationObserver(std::move(observer));
  }
  // Line time per printed line; while lines are due the register reports submode 5 (4 for
  // a long report) and answers other commands with 50h.
  PrintTiming& Printing();
  uint32_t Cuts() const;

  // Paper and slip sensors (flag bits of State()); the register notices at the next byte:
  // paper taken while printing stops it (submode 2), put back it waits for ContinuePrint
  // (submode 3); taken while idle is submode 1.
  void TakePaper(Station station);
  void PutPaper(Station station);
  void InsertSlip();
  void RemoveSlip();

  // RAM cleared now (at the time of the last byte): see RegisterCommands::Reset.
  void Reset();

  // The settings tables, to read or to fill for a test.
  Tables& RegisterTables() { return commands_.GetTables(); }
  // The money and operation registers as GetCashRegister and GetOperationRegister answer.
  int64_t MoneyRegister(uint8_t number) { return State().money[number]; }
  uint16_t OperationRegister(uint8_t number) { return State().operations[number]; }
  // The register's clock at line time `nowMs`.
  platform::LocalTime ClockAt(uint64_t nowMs) const { return commands_.ClockAt(nowMs); }

 private:
  size_t Execute(const uint8_t* request, size_t length, uint64_t nowMs, uint8_t* answer) override;
  void OnAnswerAcknowledged() override;
  // The scripted slip moves due by `nowMs`, earliest first.
  void MoveSlips(uint64_t nowMs);

  uint32_t baudRate_;
  SimulatorFaults faults_;
  SimulatorCounters counters_;
  RegisterCommands commands_;
  RegisterLink link_;
  LineNoise noise_;
  LineObserver lineObserver_;
};

}  // namespace orn::simulator
