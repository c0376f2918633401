#include "OpenFigures.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "Figure.h"
#include "MeteredPorts.h"
#include "PtyPlatform.h"
#include "SalesReceipt.h"
#include "VirtualBench.h"
#include "platform/memory/MemoryPlatform.h"
#include "platform/memory/MemoryPortProvider.h"
#include "platform/posix/PosixPortProvider.h"
#include "service/FptrService.h"
#include "simulator/RegisterSimulator.h"

namespace orn::benchmarks {

namespace {

constexpr int kPorts = 32;
constexpr uint32_t kKeyBaud = 115200;  // the device key: COM1 at 115200
constexpr int kElsewherePort = 17;
constexpr uint32_t kElsewhereBaud = 9600;

constexpr char16_t kDeviceClass[] = u"FiscalPrinter";
constexpr char16_t kDeviceName[] = u"Ornita-OPOS-1";

// A machine whose 32 COM ports are all there, with a register on one of them.
struct VirtualMachine {
  VirtualMachine(const simulator::SimulatorConfig& config, int registerPort)
      : line(memory.clock), sim(config), service(memory.Bundle(), line) {
    memory.registry.ImportReg(DeviceConfiguration(kKeyBaud, false));
    line.Attach(registerPort, sim);
  }
  double ElapsedMs() const { return double(memory.clock.Elapsed()); }

  platform::MemoryPlatform memory;
  platform::MemoryPortProvider line;
  simulator::RegisterSimulator sim;
  service::FptrService service;
};

bool Opened(service::FptrService& service) {
  return service.OpenService(kDeviceClass, kDeviceName, nullptr) == 0;
}

// The register was found where it is and moved to the rate of the key.
bool FoundElsewhere(const service::FptrService& service) {
  const device::FiscalDevice& device = service.Device();
  return device.ComNumber() == kElsewherePort && device.Port().CurrentBaud() == kKeyBaud;
}

void ClaimFigures(const std::string& prefix, double tookUs, uint64_t requiredBytes,
                  uint32_t exchanges) {
  const double boundUs = WireTimeUs(requiredBytes, kKeyBaud);
  Figure(prefix + "open-claim-right-port-exchanges", exchanges, 0);
  Figure(prefix + "open-claim-right-port-ms", tookUs / 1000, 1);
  Figure(prefix + "open-claim-right-port-bound-ms", boundUs / 1000, 1);
  Figure(prefix + "open-claim-right-port-ratio", tookUs / boundUs);
}

// Terminals nobody answers on: the masters are held open and never read.
class SilentTerminals {
 public:
  ~SilentTerminals() {
    for (int master : masters_) close(master);
  }
  bool Open(int count) {
    for (int i = 0; i < count; ++i) {
      const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
      if (master < 0) return false;
      masters_.push_back(master);
      if (grantpt(master) != 0 || unlockpt(master) != 0) return false;
      const char* path = ptsname(master);
      if (!path) return false;
      paths_.emplace_back(path);
    }
    return true;
  }
  const std::string& Path(size_t index) const { return paths_[index]; }

 private:
  std::vector<int> masters_;
  std::vector<std::string> paths_;
};

double MsSince(std::chrono::steady_clock::time_point start) {
  return double(std::chrono::duration_cast<std::chrono::microseconds>(
                    std::chrono::steady_clock::now() - start)
                    .count()) /
         1000;
}

}  // namespace

bool VirtualOpenFigures() {
  simulator::SimulatorConfig silent = PromptRegister(kKeyBaud);
  silent.faults.silent = true;
  VirtualMachine quiet(silent, 1);
  if (Opened(quiet.service)) return Fail("OpenService against a silent register");
  Figure("open-silent-32-ports-ms", quiet.ElapsedMs(), 0);

  VirtualMachine elsewhere(PromptRegister(kElsewhereBaud), kElsewherePort);
  if (!Opened(elsewhere.service) || !FoundElsewhere(elsewhere.service))
    return Fail("OpenService against a register on another port at another rate");
  Figure("open-found-elsewhere-ms", elsewhere.ElapsedMs(), 0);

  VirtualBench bench(kKeyBaud, kKeyBaud, false);
  if (!OpenAndClaim(bench.service)) return Fail("OpenService and ClaimDevice");
  ClaimFigures("", double(bench.ElapsedUs()), bench.ports.Meter().requiredBytes,
               bench.ports.Meter().exchanges);
  return true;
}

bool PtyOpenFigure(const char* which, const char* simulator) {
  const std::string figure = which;
  const int simulatorPort = figure == "elsewhere" ? kElsewherePort : 1;
  SilentTerminals terminals;
  if (!terminals.Open(kPorts)) return Fail("making pseudo-terminals");
  platform::PosixPortProvider terminalPorts;
  for (int port = 1; port <= kPorts; ++port)
    terminalPorts.SetPath(
        port, port == simulatorPort ? std::string(simulator) : terminals.Path(size_t(port - 1)));
  MeteredPorts metered(terminalPorts);
  // The meter counts one port's exchanges: only the claim, which stays on COM1, uses it.
  platform::PortProvider& ports =
      figure == "claim" ? static_cast<platform::PortProvider&>(metered) : terminalPorts;
  PtyPlatform system;
  system.registry.ImportReg(DeviceConfiguration(kKeyBaud, false));
  service::FptrService service(system.Bundle(), ports);

  const auto start = std::chrono::steady_clock::now();
  if (figure == "silent") {
    if (Opened(service)) return Fail("OpenService against a silent register");
    Figure("pty-open-silent-32-ports-ms", MsSince(start), 0);
  } else if (figure == "elsewhere") {
    if (!Opened(service) || !FoundElsewhere(service))
      return Fail("OpenService against a register on another port at another rate");
    Figure("pty-open-found-elsewhere-ms", MsSince(start), 0);
  } else if (figure == "claim") {
    if (!OpenAndClaim(service)) return Fail("OpenService and ClaimDevice");
    ClaimFigures("pty-", MsSince(start) * 1000, metered.Meter().requiredBytes,
                 metered.Meter().exchanges);
  } else {
    return Fail("naming the figure");
  }
  service.CloseService();
  return true;
}

}  // namespace orn::benchmarks
