// Real CPU time of the driver and the simulator on the virtual line, where the wire costs
// no real time: one GetStatus exchange, and the whole sales receipt.

#include <benchmark/benchmark.h>

#include "SalesReceipt.h"
#include "VirtualBench.h"

namespace orn::benchmarks {
namespace {

void GetStatusExchange(benchmark::State& state) {
  VirtualBench bench(4800, 4800, state.range(0) != 0);
  if (!bench.OpenLink()) state.SkipWithError("the port did not open");
  for (auto _ : state)
    if (!bench.device.GetStatus()) state.SkipWithError("GetStatus failed");
}
BENCHMARK(GetStatusExchange)->ArgName("log")->Arg(0)->Arg(1);

void SalesReceipt(benchmark::State& state) {
  VirtualBench bench(4800, 4800, false);
  if (!OpenAndClaim(bench.service)) state.SkipWithError("OpenService and ClaimDevice failed");
  for (auto _ : state)
    if (!SellReceipt(bench.service)) state.SkipWithError("the receipt failed");
}
BENCHMARK(SalesReceipt)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orn::benchmarks

BENCHMARK_MAIN();
