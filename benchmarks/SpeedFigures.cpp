// The speed figures of the driver, one measurement per command, each printed as
// "name: value" lines for tools/benchmark to put in its table:
//   receipt BAUD            the sales receipt on the virtual line: driver time / wire bound
//   pty-receipt PATH BAUD   the same receipt in real time against ornsim on a terminal
//   allocations             heap allocations per exchange and per receipt
//   instructions WHAT LOG   runs WHAT (exchanges or receipt) for callgrind to count, with
//                           the log on or off
//   wrong-baud              OpenService against a register at each other rate
//   open                    the search and the claim on the virtual line (OpenFigures.h)
//   pty-open WHICH PATH     one of them on pseudo-terminals against ornsim at PATH

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Figure.h"
#include "MeteredPorts.h"
#include "OpenFigures.h"
#include "OsCall.h"
#include "PtyPlatform.h"
#include "SalesReceipt.h"
#include "VirtualBench.h"
#include "device/Protocol.h"
#include "platform/posix/PosixPortProvider.h"

namespace orn::benchmarks {
namespace {

constexpr uint32_t kConfiguredBaud = 4800;
constexpr int kReceipts = 10;         // virtual receipts averaged, so the clock's ms is fine
constexpr int kExchanges = 1000;      // GetStatus exchanges per count
constexpr int kWarmUpExchanges = 10;  // buffers and the log file settle first

bool Exchanges(device::FiscalDevice& device, int count) {
  for (int i = 0; i < count; ++i)
    if (!device.GetStatus()) return false;
  return true;
}

bool VirtualReceipt(uint32_t baud) {
  VirtualBench bench(baud, baud, false);
  if (!OpenAndClaim(bench.service)) return Fail("OpenService and ClaimDevice");
  bench.ports.Clear();
  const uint64_t startUs = bench.ElapsedUs();
  for (int i = 0; i < kReceipts; ++i)
    if (!SellReceipt(bench.service)) return Fail("the receipt");
  const double tookUs = double(bench.ElapsedUs() - startUs) / kReceipts;
  const LineMeter& meter = bench.ports.Meter();
  const double boundUs = WireTimeUs(meter.requiredBytes, baud) / kReceipts;
  const std::string rate = std::to_string(baud);
  Figure("receipt-exchanges-" + rate, double(meter.exchanges) / kReceipts, 0);
  Figure("receipt-ms-" + rate, tookUs / 1000, 1);
  Figure("receipt-bound-ms-" + rate, boundUs / 1000, 1);
  Figure("receipt-unacknowledged-" + rate, bench.sim.Counters().unacknowledgedAnswers, 0);
  Figure("receipt-ratio-" + rate, tookUs / boundUs);
  return true;
}

bool PtyReceipt(const char* path, uint32_t baud) {
  PtyPlatform system;
  system.registry.ImportReg(DeviceConfiguration(baud, false));
  platform::PosixPortProvider terminals;
  terminals.SetPath(1, path);
  MeteredPorts ports(terminals);
  service::FptrService service(system.Bundle(), ports);
  if (!OpenAndClaim(service)) return Fail("OpenService and ClaimDevice on the terminal");
  ports.Clear();
  const auto start = std::chrono::steady_clock::now();
  if (!SellReceipt(service)) return Fail("the receipt on the terminal");
  const double tookUs = double(std::chrono::duration_cast<std::chrono::microseconds>(
                                   std::chrono::steady_clock::now() - start)
                                   .count());
  const double boundUs = WireTimeUs(ports.Meter().requiredBytes, baud);
  const std::string rate = std::to_string(baud);
  Figure("pty-receipt-exchanges-" + rate, ports.Meter().exchanges, 0);
  Figure("pty-receipt-ms-" + rate, tookUs / 1000, 1);
  Figure("pty-receipt-bound-ms-" + rate, boundUs / 1000, 1);
  Figure("pty-receipt-ratio-" + rate, tookUs / boundUs);
  service.CloseService();
  return true;
}

bool CountAllocations() {
  for (const bool log : {false, true}) {
    VirtualBench bench(kConfiguredBaud, kConfiguredBaud, log);
    if (!bench.OpenLink() || !Exchanges(bench.device, kWarmUpExchanges))
      return Fail("opening the link");
    uint64_t before = Allocations();
    if (!Exchanges(bench.device, kExchanges)) return Fail("the exchanges");
    const std::string suffix = log ? "-log-on" : "";
    Figure("allocs-per-exchange" + suffix, double(Allocations() - before) / kExchanges, 2);
    bench.device.Disconnect();
    if (!OpenAndClaim(bench.service)) return Fail("OpenService and ClaimDevice");
    bench.ports.Clear();
    before = Allocations();
    if (!SellReceipt(bench.service)) return Fail("the receipt");
    Figure("allocs-per-receipt" + suffix, double(Allocations() - before), 0);
    Figure("receipt-exchanges" + suffix, bench.ports.Meter().exchanges, 0);
  }
  return true;
}

// Runs under callgrind; the exchanges or the receipt are all that is collected.
bool CountInstructions(const char* what, bool log) {
  VirtualBench bench(kConfiguredBaud, kConfiguredBaud, log);
  const bool receipt = std::strcmp(what, "receipt") == 0;
  // Warmed up first: the log file open, the receipt state's registry keys made.
  const bool ready = receipt ? OpenAndClaim(bench.service) && SellReceipt(bench.service)
                             : bench.OpenLink() && Exchanges(bench.device, kWarmUpExchanges);
  if (!ready) return Fail("opening the bench");
  bench.ports.Clear();
  StartCollecting();
  const bool done = receipt ? SellReceipt(bench.service) : Exchanges(bench.device, kExchanges);
  StopCollecting();
  if (!done) return Fail(what);
  Figure("measured-exchanges", bench.ports.Meter().exchanges, 0);
  return true;
}

bool WrongBaud() {
  int worstProbes = 0;
  double worstMs = 0;
  for (const uint32_t registerBaud : device::kBaudRates) {
    if (registerBaud == kConfiguredBaud) continue;
    VirtualBench bench(kConfiguredBaud, registerBaud, false);
    if (bench.service.OpenService(u"FiscalPrinter", u"Ornita-OPOS-1", nullptr) != 0)
      return Fail("OpenService at another rate");
    // A probe at the register's rate is the one that finds it.
    const std::vector<uint32_t>& rates = bench.ports.Meter().exchangeRates;
    int probes = 0;
    while (probes < int(rates.size()) && rates[size_t(probes)] != registerBaud) ++probes;
    ++probes;
    const double ms = double(bench.ElapsedUs()) / 1000;
    const std::string rate = std::to_string(registerBaud);
    Figure("wrong-baud-probes-" + rate, probes, 0);
    Figure("wrong-baud-ms-" + rate, ms, 0);
    if (probes > worstProbes) worstProbes = probes;
    if (ms > worstMs) worstMs = ms;
  }
  Figure("wrong-baud-ms", worstMs, 0);
  Figure("probes-wrong-baud", worstProbes, 0);
  return true;
}

int Usage() {
  std::fputs(
      "usage: orn_speed receipt BAUD | pty-receipt PATH BAUD | allocations |\n"
      "                 instructions exchanges|receipt on|off | wrong-baud | open |\n"
      "                 pty-open silent|elsewhere|claim PATH\n",
      stderr);
  return 2;
}

}  // namespace
}  // namespace orn::benchmarks

int main(int argc, char** argv) {
  using namespace orn::benchmarks;
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  bool done = false;
  if (command == "receipt" && argc == 3) {
    done = VirtualReceipt(uint32_t(std::strtoul(argv[2], nullptr, 10)));
  } else if (command == "pty-receipt" && argc == 4) {
    done = PtyReceipt(argv[2], uint32_t(std::strtoul(argv[3], nullptr, 10)));
  } else if (command == "allocations" && argc == 2) {
    done = CountAllocations();
  } else if (command == "instructions" && argc == 4) {
    done = CountInstructions(argv[2], std::strcmp(argv[3], "on") == 0);
  } else if (command == "wrong-baud" && argc == 2) {
    done = WrongBaud();
  } else if (command == "open" && argc == 2) {
    done = VirtualOpenFigures();
  } else if (command == "pty-open" && argc == 4) {
    done = PtyOpenFigure(argv[2], argv[3]);
  } else {
    return Usage();
  }
  return done ? 0 : 1;
}
