#pragma once
// A careful point of sale on top of FptrService: it runs the documents of a plan step by
// step, retries a failed method a bounded number of times (after putting paper back when
// the error says it is out, after a pause when the register does not answer), cancels a
// receipt it cannot finish, and after a crash of its own process makes a new service object
// over the same registry and carries on or cancels the open receipt as PrinterState says.
// Every call is timed in virtual time.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/CommPort.h"
#include "platform/memory/MemoryPlatform.h"
#include "service/FptrService.h"
#include "simulator/RegisterSimulator.h"
#include "soak/DocumentPlan.h"
#include "soak/FaultSchedule.h"

namespace orn::soak {

// A call longer than this (virtual time) is a hang.
inline constexpr uint64_t kHangMs = 60 * 1000;
// OpenService may look for a silent register on every port at every rate besides: all ports
// at once, so that search adds one port's seven rates (three enquiries of 201 ms each), under
// eight seconds.
inline constexpr uint64_t kOpenServiceHangMs = kHangMs + 8 * 1000;

struct CallStats {
  uint64_t calls = 0;
  uint64_t failedCalls = 0;  // a call that did not return 0 (retries included)
  uint64_t hangs = 0;
  uint64_t longestMs = 0;
  std::string longestMethod;
  std::vector<std::string> hangLines;  // method, document, time, result of each hang
  std::map<std::string, int> hangsByMethod;
  std::map<std::string, uint64_t> longestByMethod;  // ms
  int restarts = 0;                                 // service objects made again, crashes included
  int abandoned = 0;         // receipts the point of sale gave up and cancelled
  int lostInRestart = 0;     // open receipts the new service object knew nothing of
  int paperNotReported = 0;  // gave up with paper out under another error
};

class PointOfSale {
 public:
  PointOfSale(platform::MemoryPlatform& memory, platform::PortProvider& ports,
              simulator::RegisterSimulator& sim, FaultSchedule& faults, bool exactlyOnce,
              bool checkTotal, std::ostream* verbose);

  // A new service object, opened, claimed and enabled (retried while the register is away).
  bool Start();
  // Runs the document; true when the driver reported it done: EndFiscalReceipt, or the
  // report method, returned 0.
  bool Run(const DocumentPlan& plan);

  const CallStats& Stats() const { return stats_; }
  // The call being made: a step of a document with its retries, or a start of the service
  // object; numbered from 1 over the run.
  uint64_t Call() const { return call_; }

 private:
  using Method = std::function<int32_t(service::FptrService&)>;
  struct Step {
    const char* name;
    Method call;
  };

  std::vector<Step> Steps(const DocumentPlan& plan) const;
  // One call, timed, with the faults of the schedule set up before it.
  int32_t Timed(const char* name, const Method& call);
  // The call and its retries.
  int32_t Attempt(const Step& step);
  // What the cashier does before calling again.
  void Recover(int32_t result);
  // Gives up the open receipt: void and end it, else a new service object and ResetPrinter.
  // True when it turned out sold: the register had closed it, and its end was finished.
  bool CancelReceipt();
  // The process died between two calls: a new service object over the same registry.
  void Crash();
  // After a crash inside a receipt: where to go on (the step index), or nothing when the
  // receipt is given up.
  std::optional<size_t> Resume(const DocumentPlan& plan, size_t next, size_t last);
  int32_t PrinterState();
  void PutPaperBack();

  platform::MemoryPlatform& memory_;
  platform::PortProvider& ports_;
  simulator::RegisterSimulator& sim_;
  FaultSchedule& faults_;
  bool exactlyOnce_;
  bool checkTotal_;
  std::ostream* verbose_;
  std::optional<service::FptrService> fptr_;
  int document_ = 0;  // the number of the document being run, for the hang lines
  uint64_t call_ = 0;
  CallStats stats_;
};

}  // namespace orn::soak
