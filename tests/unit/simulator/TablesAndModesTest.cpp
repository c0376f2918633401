// Tables, the clock and the special modes: structures and fields, setting and confirming
// the date, the lock of the tax inspector password, the test run, data output, and the
// model presets.

#include <gtest/gtest.h>

#include "unit/simulator/RegisterBench.h"

namespace orn::simulator::testing {
namespace {

Bytes Coordinates(uint8_t table, uint16_t row, uint8_t field) {
  return {table, uint8_t(row), uint8_t(row >> 8), field};
}

TEST(TablesAndModesTest, TableStructuresFollowTheModel) {
  struct Case {
    uint8_t model;
    uint8_t table;
    const char* name;
    uint16_t rows;
    uint8_t fields;
  };
  const Case cases[] = {
      {0, 1, "Тип и режимы кассы", 1, 20},
      {0, 4, "Текст в чеке", 14, 1},
      {7, 4, "Текст в чеке", 9, 1},
      {0, 5, "Наименования типов оплаты", 4, 1},
      {0, 6, "Налоговые ставки", 4, 2},
      {5, 12, "Подкладной документ", 1, 8},
      {5, 13, "Операция на подкладном документе", 1, 4},
  };
  for (const Case& c : cases) {
    SimulatorConfig config;
    config.model = ModelPreset(c.model);
    RegisterBench bench(config);
    const Bytes answer = bench.Send(Request(0x2D, {{c.table}}));
    ASSERT_EQ(answer.size(), 2u + 43u) << c.name;
    EXPECT_EQ(answer[1], 0);
    EXPECT_EQ(Bytes(answer.begin() + 2, answer.begin() + 42), Field(c.name, 40)) << c.name;
    EXPECT_EQ(answer[42] | answer[43] << 8, c.rows) << c.name;
    EXPECT_EQ(answer[44], c.fields) << c.name;
  }
  RegisterBench bench;
  EXPECT_EQ(bench.Error(Request(0x2D, {{2}})), 0x5D);
}

TEST(TablesAndModesTest, FieldsAreReadAndWrittenInTheirSize) {
  RegisterBench bench;  // model 0: 36 characters, header from row 4
  EXPECT_EQ(bench.Send(Request(0x1F, {Coordinates(4, 4, 1)})),
            (Bytes{0x1F, 0} + Field("ООО \"ОРНИТА\"", 36)));
  ASSERT_EQ(bench.Error(Request(0x1E, {Coordinates(4, 4, 1), Field("МАГАЗИН", 36)})), 0);
  EXPECT_EQ(bench.Send(Request(0x1F, {Coordinates(4, 4, 1)})),
            (Bytes{0x1F, 0} + Field("МАГАЗИН", 36)));
  // The tax rate is a 2-byte number.
  EXPECT_EQ(bench.Send(Request(0x1F, {Coordinates(6, 1, 1)})), (Bytes{0x1F, 0, 0x08, 0x07}));
  ASSERT_EQ(bench.Error(Request(0x1E, {Coordinates(6, 2, 1), Le(1800, 2)})), 0);
  EXPECT_EQ(bench.sim.RegisterTables().Number(6, 2, 1), 1800u);
  EXPECT_EQ(bench.Error(Request(0x1E, {Coordinates(6, 2, 1), Le(10000, 2)})), 0x33);
  EXPECT_EQ(bench.Error(Request(0x1E, {Coordinates(6, 2, 1), Le(1, 1)})), 0x09);
  EXPECT_EQ(bench.Error(Request(0x1E, {Coordinates(4, 4, 1), Field("x", 40)})), 0x09);
  EXPECT_EQ(bench.Error(Request(0x1E, {Coordinates(1, 1, 4), {2}})), 0x33);  // a switch
  EXPECT_EQ(bench.Error(Request(0x1F, {Coordinates(4, 0, 1)})), 0x33);
  EXPECT_EQ(bench.Error(Request(0x1F, {Coordinates(4, 15, 1)})), 0x33);
  EXPECT_EQ(bench.Error(Request(0x1F, {Coordinates(1, 1, 21)})), 0x33);
  EXPECT_EQ(bench.Error(Request(0x1F, {Coordinates(3, 1, 1)})), 0x5D);

  // The header printed at the start of a document comes from the table.
  ASSERT_EQ(bench.Error(Item(0x80, 1000, 100)), 0);
  EXPECT_NE(bench.Tape().at(0).find("МАГАЗИН"), std::string::npos);
}

TEST(TablesAndModesTest, ANewDateIsConfirmedAndNeverBeforeTheLastRecord) {
  SimulatorConfig config;
  config.state.fiscalMemory.shifts = {{7, {2026, 1, 10, 0, 0, 0, 0}, {}}};
  RegisterBench bench(config);
  const Bytes setDate = Request(0x22, {{20, 2, 26}});
  EXPECT_EQ(bench.Error(Request(0x22, {{9, 1, 26}})), 0x13);
  EXPECT_EQ(bench.Mode(), 4);
  EXPECT_EQ(bench.Error(Request(0x22, {{30, 2, 26}})), 0x22);
  ASSERT_EQ(bench.Error(setDate), 0);
  EXPECT_EQ(bench.Mode(), 6);
  EXPECT_EQ(bench.Error(Item(0x80, 1000, 1)), 0x73);
  EXPECT_EQ(bench.Error(Request(0x23, {{21, 2, 26}})), 0x7C);
  ASSERT_EQ(bench.Error(Request(0x23, {{20, 2, 26}})), 0);
  EXPECT_EQ(bench.Mode(), 4);
  ASSERT_EQ(bench.Error(Request(0x21, {{8, 5, 0}})), 0);
  const Bytes status = bench.Status();
  EXPECT_EQ(Bytes(status.begin() + 2 + 23, status.begin() + 2 + 28), (Bytes{20, 2, 26, 8, 5}));
  EXPECT_EQ(bench.Error(Request(0x21, {{24, 0, 0}})), 0x33);

  // With the shift open the date and time stay as they are.
  ASSERT_EQ(bench.Error(Item(0x80, 1000, 1)), 0);
  ASSERT_EQ(bench.Error(Close(1)), 0);
  EXPECT_EQ(bench.Error(setDate), 0x73);
  EXPECT_EQ(bench.Error(Request(0x21, {{8, 0, 0}})), 0x73);
}

TEST(TablesAndModesTest, ARegisterWaitingForItsDateTakesItsOwn) {
  SimulatorConfig config;
  config.state.mode = kModeDateToBeSet;
  RegisterBench bench(config);
  EXPECT_EQ(bench.Error(Request(0x23, {{15, 1, 26}})), 0x73);
  ASSERT_EQ(bench.Error(Request(0x22, {{15, 1, 26}})), 0);
  EXPECT_EQ(bench.Mode(), 6);
  ASSERT_EQ(bench.Error(Request(0x23, {{15, 1, 26}})), 0);
  EXPECT_EQ(bench.Mode(), 4);
}

TEST(TablesAndModesTest, AWrongTaxPasswordLocksTheRegister) {
  SimulatorConfig config;
  config.state.taxPassword = 555;
  RegisterBench bench(config);
  const Bytes report = Request(0x67, {{1}, Le(1, 2), Le(10, 2)}, 555);
  ASSERT_EQ(bench.Error(report), 0);
  EXPECT_EQ(bench.Error(Request(0x67, {{1}, Le(1, 2), Le(10, 2)})), 0x4F);  // operator's
  EXPECT_EQ(bench.Error(Request(0x67, {{1}, Le(10, 2), Le(1, 2)}, 555)), 0x17);
  EXPECT_EQ(bench.Error(Request(0x66, {{0}, {2, 1, 26}, {1, 1, 26}}, 555)), 0x18);
  EXPECT_EQ(bench.Mode(), 4);
  EXPECT_EQ(bench.Error(Request(0x64, {}, 554)), 0x4F);
  EXPECT_EQ(bench.Mode(), 5);
  EXPECT_EQ(bench.Error(Simple(0x40)), 0x73);
  ASSERT_EQ(bench.Error(Request(0x64, {}, 555)), 0);
  EXPECT_EQ(bench.Mode(), 4);
}

TEST(TablesAndModesTest, TestRunAndDataOutputLastUntilInterrupted) {
  SimulatorConfig config;
  config.state.mode = kModeDataOutput;
  RegisterBench bench(config);
  EXPECT_EQ(bench.Error(Simple(0x40)), 0x73);
  ASSERT_EQ(bench.Error(Simple(0x03)), 0);
  EXPECT_EQ(bench.Mode(), 4);
  EXPECT_EQ(bench.Error(Simple(0x03)), 0x73);

  ASSERT_EQ(bench.Error(Request(0x19, {{1}})), 0);
  EXPECT_EQ(bench.Mode(), 10);
  EXPECT_EQ(bench.Error(Item(0x80, 1000, 1)), 0x73);
  ASSERT_EQ(bench.Error(Simple(0x2B)), 0);
  EXPECT_EQ(bench.Mode(), 4);
  EXPECT_EQ(bench.Error(Simple(0x2B)), 0x73);
}

TEST(TablesAndModesTest, ModelPresetsCoverEveryModel) {
  for (uint8_t model = 0; model <= 14; ++model) {
    const DeviceModel preset = ModelPreset(model);
    EXPECT_EQ(preset.model, model);
    EXPECT_FALSE(preset.name.empty());
    const uint8_t width = model == 6 ? 32 : (model == 9 || model == 12) ? 48 : 36;
    EXPECT_EQ(preset.printer.lineWidth, width) << int(model);
    const bool slip = model == 5 || model == 11 || model == 9 || model == 12;
    EXPECT_EQ(preset.printer.hasSlip, slip) << int(model);
    const bool journal =
        model == 0 || model == 1 || model == 4 || model == 8 || model == 5 || model == 11;
    EXPECT_EQ(preset.printer.hasJournal, journal) << int(model);
    // The header fits the text table.
    EXPECT_LE(preset.printer.headerFirstRow + preset.printer.headerLines - 1,
              preset.printer.textRows);
    for (uint8_t other = 0; other < model; ++other) EXPECT_NE(ModelPreset(other).name, preset.name);
  }
  EXPECT_EQ(ModelPreset(0, 4).printer.headerFirstRow, 6);
}

}  // namespace
}  // namespace orn::simulator::testing
