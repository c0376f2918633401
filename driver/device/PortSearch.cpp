// The search beyond the configured port at the configured rate: the configured port's other
// rates and ports 1..32, all side by side. Each port is probed on a link of its own, with the
// probes, rates and bounds of Connect; the configured port by the device itself, every other
// port by a device of its own whose log is kept aside. Which port wins is decided by the
// order of the search one port at a time (the configured port, then 1, 2, ... 32), never by
// which answered first: the port and rate found, the port written back, the register moved
// to the configured rate, the log and the error triple are those of Connect on each port in
// turn up to the first that succeeds. Ports after a port known to decide the search stop at
// once, since the search one port at a time would never have reached them.

#include <algorithm>
#include <atomic>
#include <iterator>
#include <memory>
#include <vector>

#include "config/DriverLog.h"
#include "device/FiscalDevice.h"
#include "device/ProbeLog.h"

namespace orn::device {

namespace {

// One port of the search order.
struct SearchStep {
  int portNumber = 0;
  // A link of its own, with its log kept aside; none for the configured port, which the
  // device itself searches.
  std::unique_ptr<ProbeLog> log;
  std::unique_ptr<FiscalDevice> probe;
  std::atomic<bool> stop{false};
  bool opened = false;
  bool found = false;
};

using Steps = std::vector<std::unique_ptr<SearchStep>>;

// The step decides the search (it found the register, or heard it on the configured port):
// the steps after it can no longer matter.
void Decide(Steps& steps, size_t decided) {
  for (size_t later = decided + 1; later < steps.size(); ++later) steps[later]->stop = true;
}

}  // namespace

std::unique_ptr<FiscalDevice> FiscalDevice::MakeProbe(config::DriverLog& log) {
  auto probe = std::make_unique<FiscalDevice>(port_.Provider(), clock_, log);
  probe->baudRate_ = baudRate_;
  probe->password_ = password_;
  probe->exactlyOnce_ = exactlyOnce_;
  // A command left unsettled is settled by whichever probe hears the register hold its
  // answer; the winner's record comes back (TakeLinkOf).
  probe->unsettled_ = unsettled_;
  probe->errors_ = errors_;
  return probe;
}

void FiscalDevice::CarryOutcomeOf(const FiscalDevice& probe, const std::string& errorTextAtStart) {
  // A register that did not answer keeps the text before it; any other outcome sets its own.
  errors_.Set(probe.errors_.ResultCode(), probe.errors_.ResultCodeExtended());
  if (probe.errors_.ErrorString() != errorTextAtStart)
    errors_.SetErrorString(probe.errors_.ErrorString());
  registerHeard_ = probe.registerHeard_;
  lastDeviceError_ = probe.lastDeviceError_;
}

void FiscalDevice::TakeLinkOf(FiscalDevice& probe) {
  port_.TakeFrom(probe.port_);
  errors_ = probe.errors_;
  registerHeard_ = probe.registerHeard_;
  lastDeviceError_ = probe.lastDeviceError_;
  // The status the probe read, as a probe of this device would have left it.
  answerLength_ = probe.answerLength_;
  std::copy(std::begin(probe.answer_), std::end(probe.answer_), answer_);
  answerDataLength_ = probe.answerDataLength_;
  std::copy(std::begin(probe.status_), std::end(probe.status_), status_);
  flags_ = probe.flags_;
  currencyDivisor_ = probe.currencyDivisor_;
  if (EncodeUnsettled(probe.unsettled_) != EncodeUnsettled(unsettled_)) {
    unsettled_ = probe.unsettled_;
    SaveUnsettled();
  }
}

bool FiscalDevice::SearchSideBySide(bool configuredPortOpen) {
  Steps steps;
  if (configuredPortOpen) {
    steps.push_back(std::make_unique<SearchStep>());
    steps.back()->portNumber = comNumber_;
  }
  for (int portNumber = kFirstPort; portNumber <= kLastPort; ++portNumber) {
    if (portNumber == comNumber_) continue;
    auto step = std::make_unique<SearchStep>();
    step->portNumber = portNumber;
    step->log = std::make_unique<ProbeLog>(log_, clock_);
    step->probe = MakeProbe(step->log->Log());
    steps.push_back(std::move(step));
  }
  const std::string errorTextAtStart = errors_.ErrorString();

  port_.Provider().RunSideBySide(steps.size(), [&](size_t index) {
    SearchStep& step = *steps[index];
    if (step.stop) return;
    if (!step.probe) {
      // The configured port, open and silent at the configured rate.
      step.opened = true;
      step.found = SearchOtherRates();
      if (step.found || registerHeard_) Decide(steps, index);
      return;
    }
    FiscalDevice& probe = *step.probe;
    probe.port_.StopWhen(&step.stop);
    step.opened = probe.OpenPort(step.portNumber);
    if (!step.opened) return;
    step.found =
        probe.Probe() || (probe.OtherRatesMayHelp(step.portNumber) && probe.SearchOtherRates());
    if (step.found)
      Decide(steps, index);
    else
      probe.port_.Close();
  });

  // The steps in order, as Connect on each port in turn would have gone.
  for (std::unique_ptr<SearchStep>& entry : steps) {
    SearchStep& step = *entry;
    if (step.probe) {
      step.log->AppendTo(log_);
      if (step.opened) CarryOutcomeOf(*step.probe, errorTextAtStart);
      if (step.found) TakeLinkOf(*step.probe);
    }
    if (step.found) {
      if (port_.CurrentBaud() != baudRate_ && !MoveToConfiguredRate()) break;
      if (step.portNumber != comNumber_) {
        comNumber_ = step.portNumber;
        if (portFound_) portFound_(step.portNumber);
      }
      return true;
    }
    // Heard on the configured port: the register is there, only not well.
    if (!step.probe && registerHeard_) break;
  }
  // Nothing answered: no port is kept from other programs.
  port_.Close();
  return false;
}

}  // namespace orn::device
