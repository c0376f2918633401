// A slip put in and taken out at scripted line times, as the status answer shows it, and the
// fiscal memory report of a range printed from the shifts it holds.

#include <gtest/gtest.h>

#include <algorithm>

#include "RegisterBench.h"

namespace orn::simulator::testing {
namespace {

constexpr uint16_t kSlipBits = flag::kSlipBottomSensor | flag::kSlipTopSensor;

SimulatorConfig SlipModel() {
  SimulatorConfig config;
  config.model = ModelPreset(5);
  config.faults.slipMoves = {{5000, false}, {1000, true}};  // out of order on purpose
  return config;
}

uint16_t SlipFlags(RegisterBench& bench) {
  const Bytes status = bench.Status();
  return uint16_t((status.at(2 + 11) | status.at(2 + 12) << 8) & kSlipBits);
}

TEST(SlipMovesTest, TheSlipMovesAtItsLineTimes) {
  RegisterBench bench(SlipModel());
  EXPECT_EQ(SlipFlags(bench), 0);
  bench.Wait(1000);
  EXPECT_EQ(SlipFlags(bench), kSlipBits);
  // Printing needs the slip that is there now.
  EXPECT_EQ(bench.Error(Request(0x7A, {{1}, {'A'}})), 0);
  EXPECT_EQ(bench.Error(Request(0x7D, {{0, 2}})), 0);
  bench.Wait(4000);
  EXPECT_EQ(SlipFlags(bench), 0);
  EXPECT_TRUE(bench.sim.Faults().slipMoves.empty());
  EXPECT_EQ(bench.Error(Request(0x7A, {{1}, {'B'}})), 0);
  EXPECT_EQ(bench.Error(Request(0x7D, {{0, 2}})), 0xC6);  // no slip
}

TEST(SlipMovesTest, FiscalMemoryReportsPrintTheShiftsOfTheirRange) {
  SimulatorConfig config;
  for (uint16_t shift = 1; shift <= 3; ++shift) {
    ShiftRecord record;
    record.shift = shift;
    record.date = {2026, 1, uint16_t(10 + shift), 0, 0, 0, 0};
    record.totals[0] = 100 * shift;
    config.state.fiscalMemory.shifts.push_back(record);
  }
  RegisterBench bench(config);
  EXPECT_EQ(bench.Error(Request(0x67, {{1}, Le(2, 2), Le(3, 2)}, 0)), 0);
  bench.Wait(60000);
  auto has = [&](const std::string& text) {
    return std::any_of(bench.Tape().begin(), bench.Tape().end(), [&](const std::string& line) {
      return line.find(text) != std::string::npos;
    });
  };
  EXPECT_TRUE(has("ВСЕГО СМЕН 2"));
  EXPECT_TRUE(has("5.00"));  // shifts 2 and 3: 2.00 + 3.00
  EXPECT_FALSE(has("СМЕНА 0001"));
  // The first shift after the last: the register's own error 17h.
  EXPECT_EQ(bench.Error(Request(0x67, {{1}, Le(3, 2), Le(2, 2)}, 0)), 0x17);
}

}  // namespace
}  // namespace orn::simulator::testing
