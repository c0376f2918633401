// Printing on line time: the printing submodes and the long-report modes, the busy answer,
// paper taken away before and during printing, ContinuePrint, and a reset.

#include <gtest/gtest.h>

#include "unit/simulator/RegisterBench.h"

namespace orn::simulator::testing {
namespace {

SimulatorConfig Slow(uint32_t lineMs) {
  SimulatorConfig config;
  config.printing.lineMs = lineMs;
  return config;
}

TEST(PrintingTest, AReportTakesLineTimeInItsOwnModeThenTheRegisterIsIdle) {
  RegisterBench bench(Slow(100));
  ASSERT_EQ(bench.Error(Simple(0x40)), 0);
  EXPECT_EQ(bench.Mode(), 11);
  EXPECT_EQ(bench.Submode(), 4);
  EXPECT_EQ(bench.Error(Item(0x80, 1000, 100)), 0x50);  // busy printing
  EXPECT_EQ(bench.Send(kGetDeviceType).at(1), 0);       // the type is answered any time
  const size_t lines = bench.Tape().size();
  EXPECT_GT(lines, 0u);
  bench.Wait(10000);
  EXPECT_EQ(bench.Mode(), 4);
  EXPECT_EQ(bench.Submode(), 0);
  EXPECT_GT(bench.Tape().size(), lines);
  EXPECT_EQ(bench.Tape().back().find("СПАСИБО"), bench.Tape().back().find_first_not_of(' '));
}

TEST(PrintingTest, AnItemPrintsInSubmodeFive) {
  RegisterBench bench(Slow(30));
  ASSERT_EQ(bench.Error(Item(0x80, 1000, 100, 0, "Чай")), 0);
  EXPECT_EQ(bench.Mode(), 0x08);
  EXPECT_EQ(bench.Submode(), 5);
  bench.Wait(1000);
  EXPECT_EQ(bench.Submode(), 0);
  EXPECT_EQ(bench.Error(Close(100)), 0);
}

TEST(PrintingTest, PaperRunningOutStopsTheReportUntilContinuePrint) {
  SimulatorConfig config;
  config.state.mode = 0x02;
  config.faults.paperOutAfterLine = {{3, Station::kReceipt}};
  RegisterBench bench(config);
  ASSERT_EQ(bench.Error(Simple(0x41)), 0);
  EXPECT_EQ(bench.Mode(), 12);
  EXPECT_EQ(bench.Submode(), 2);
  EXPECT_EQ(bench.Tape().size(), 3u);
  EXPECT_EQ(bench.Status()[2 + 11] & flag::kReceiptPaper, 0);
  EXPECT_EQ(bench.Error(Simple(0xB0)), 0x72);
  EXPECT_EQ(bench.Error(Item(0x80, 1000, 1)), 0x6B);

  bench.sim.PutPaper(Station::kReceipt);
  EXPECT_EQ(bench.Submode(), 3);
  EXPECT_EQ(bench.Error(Request(0x1A, {{241}})), 0x58);  // everything waits for B0h
  EXPECT_EQ(bench.Send(kGetDeviceType).at(1), 0);
  ASSERT_EQ(bench.Error(Simple(0xB0)), 0);
  EXPECT_EQ(bench.Mode(), 4);
  EXPECT_EQ(bench.Submode(), 0);
  EXPECT_NE(bench.Tape().back().find("СПАСИБО"), std::string::npos);
  EXPECT_EQ(bench.sim.State().fiscalMemory.shifts.size(), 1u);
}

TEST(PrintingTest, ContinuedPrintingTakesItsTimeAgain) {
  SimulatorConfig config = Slow(100);
  config.faults.paperOutAfterLine = {{2, Station::kJournal}};
  RegisterBench bench(config);
  ASSERT_EQ(bench.Error(Simple(0x40)), 0);
  bench.Wait(1000);
  EXPECT_EQ(bench.Submode(), 2);
  EXPECT_EQ(bench.Error(Simple(0x40)), 0x6C);
  bench.sim.PutPaper(Station::kJournal);
  EXPECT_EQ(bench.Submode(), 3);
  ASSERT_EQ(bench.Error(Simple(0xB0)), 0);
  EXPECT_EQ(bench.Submode(), 5);
  EXPECT_EQ(bench.Error(Simple(0x40)), 0x50);
  bench.Wait(10000);
  EXPECT_EQ(bench.Mode(), 4);
  EXPECT_EQ(bench.Submode(), 0);
  EXPECT_EQ(bench.sim.Printed(Station::kJournal), bench.Tape());
}

TEST(PrintingTest, PaperTakenAwayBeforePrintingRefusesWhatPrints) {
  SimulatorConfig config;
  config.faults.paperOutBeforePrint = {{2, Station::kJournal}};
  RegisterBench bench(config);
  ASSERT_EQ(bench.Error(Item(0x80, 1000, 100)), 0);
  EXPECT_EQ(bench.Error(Item(0x80, 1000, 100)), 0x6C);
  EXPECT_EQ(bench.Submode(), 1);
  EXPECT_EQ(bench.Subtotal(), 100);  // what does not print still runs
  bench.sim.PutPaper(Station::kJournal);
  EXPECT_EQ(bench.Submode(), 0);
  EXPECT_EQ(bench.Error(Item(0x80, 1000, 100)), 0);
  EXPECT_EQ(bench.Subtotal(), 200);

  bench.sim.TakePaper(Station::kReceipt);
  EXPECT_EQ(bench.Submode(), 1);
  EXPECT_EQ(bench.Error(Request(0x17, {{2}, Field("x")})), 0x6B);
  EXPECT_EQ(bench.Error(Request(0x17, {{1}, Field("x")})), 0);  // the journal alone
}

TEST(PrintingTest, AResetAnnulsTheOpenReceipt) {
  SimulatorConfig config;
  config.faults.resetBeforeCommand = {3};
  RegisterBench bench(config);
  ASSERT_EQ(bench.Error(Item(0x80, 1000, 100, 1)), 0);
  EXPECT_EQ(bench.Money(88), 100);
  EXPECT_EQ(bench.Mode(), 0x02);  // the third command meets the register reset
  EXPECT_EQ(bench.Money(0), 0);
  EXPECT_EQ(bench.Money(88), 0);
  EXPECT_EQ(bench.Error(Close(100)), 0x73);
}

TEST(PrintingTest, TextLinesGoToTheirStationsCutToTheLineWidth) {
  SimulatorConfig config;
  config.model = ModelPreset(6);  // 32 characters, no journal
  RegisterBench bench(config);
  ASSERT_EQ(bench.Error(Request(0x2F, {{3}, {1}, Bytes(50, 'A')})), 0);
  ASSERT_EQ(bench.Error(Request(0x17, {{2}, Field("Строка")})), 0);
  EXPECT_EQ(bench.Tape(), (std::vector<std::string>{std::string(32, 'A'), "Строка"}));
  EXPECT_TRUE(bench.sim.Printed(Station::kJournal).empty());
  EXPECT_EQ(bench.Error(Request(0x2F, {{2}, {8}, Field("x")})), 0x33);  // font 8
  EXPECT_EQ(bench.Error(Request(0x17, {{0}, Field("x")})), 0x33);       // no station
}

}  // namespace
}  // namespace orn::simulator::testing
