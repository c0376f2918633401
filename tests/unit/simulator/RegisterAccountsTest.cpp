// The register's books: receipts, refunds, stornos, adjustments and cash moving the money
// registers, the Z report writing the fiscal memory, and what the register refuses.

#include <gtest/gtest.h>

#include <algorithm>

#include "unit/simulator/RegisterBench.h"

namespace orn::simulator::testing {
namespace {

bool Contains(const std::vector<std::string>& lines, const std::string& text) {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string& line) { return line.find(text) != std::string::npos; });
}

TEST(RegisterAccountsTest, ADayOfReceiptsAddsUpAndTheZReportKeepsIt) {
  RegisterBench bench;
  ASSERT_EQ(bench.Error(Request(0x50, {Le(10000, 5)})), 0);  // 100.00 in; opens the shift
  EXPECT_EQ(bench.Mode(), 0x02);

  // Sale: 2 x 12.34 in group 1, 1.5 x 10.00 in group 2, storno of one 12.34, a 1.00
  // discount on group 1 and a 0.50 surcharge on group 2.
  ASSERT_EQ(bench.Error(Item(0x80, 2000, 1234, 1, "Хлеб")), 0);
  EXPECT_EQ(bench.Mode(), 0x08);
  ASSERT_EQ(bench.Error(Item(0x80, 1500, 1000, 2, "Молоко")), 0);
  ASSERT_EQ(bench.Error(Item(0x84, 1000, 1234, 1)), 0);
  ASSERT_EQ(bench.Error(Adjust(0x86, 100, 1)), 0);
  ASSERT_EQ(bench.Error(Adjust(0x87, 50, 2)), 0);
  EXPECT_EQ(bench.Money(0), 1234 + 1500);
  EXPECT_EQ(bench.Money(4), 1234);
  EXPECT_EQ(bench.Money(64), 100);
  EXPECT_EQ(bench.Money(68), 50);
  EXPECT_EQ(bench.Money(88), 1234 - 100);  // group 1, sale
  EXPECT_EQ(bench.Money(92), 1500 + 50);   // group 2, sale
  EXPECT_EQ(bench.Subtotal(), 2684);
  // Paid 10.00 by card and 20.00 cash: 3.16 change.
  ASSERT_EQ(bench.Error(Close(2000, 0, 0, 1000)), 0);
  EXPECT_EQ(bench.Mode(), 0x02);
  EXPECT_EQ(bench.Money(0), 0);
  EXPECT_EQ(bench.Money(88), 0);
  EXPECT_EQ(bench.Money(241), 10000 + 1684);
  EXPECT_EQ(bench.Money(245), 2684);
  EXPECT_EQ(bench.Money(121), 2734);
  EXPECT_EQ(bench.Money(125), 1234);
  EXPECT_EQ(bench.Money(185), 100);
  EXPECT_EQ(bench.Money(189), 50);
  EXPECT_EQ(bench.Money(104), 1134);
  EXPECT_EQ(bench.Money(193), 1684);       // cash, net of change
  EXPECT_EQ(bench.Money(193 + 12), 1000);  // payment type 4
  EXPECT_EQ(bench.Operations(144), 1);
  EXPECT_TRUE(Contains(bench.Tape(), "СДАЧА"));
  EXPECT_TRUE(Contains(bench.Tape(), "=3.16"));
  EXPECT_TRUE(Contains(bench.Tape(), "ПЛАТ. КАРТОЙ"));

  // A sale refund of 5.00, paid out in cash; its type shows in the mode.
  ASSERT_EQ(bench.Error(Item(0x82, 1000, 500, 1)), 0);
  EXPECT_EQ(bench.Mode(), 0x28);
  EXPECT_EQ(bench.Money(2), 500);
  EXPECT_EQ(bench.Money(88 + 2), 500);
  ASSERT_EQ(bench.Error(Close(500)), 0);
  EXPECT_EQ(bench.Money(247), 500);
  EXPECT_EQ(bench.Operations(146), 1);
  ASSERT_EQ(bench.Error(Request(0x51, {Le(1000, 5)})), 0);  // 10.00 out
  EXPECT_EQ(bench.Money(241), 10000 + 1684 - 500 - 1000);
  EXPECT_EQ(bench.Money(242), 10000);
  EXPECT_EQ(bench.Money(243), 1000);

  ASSERT_EQ(bench.Error(Simple(0x41)), 0);
  const Bytes status = bench.Status();
  EXPECT_EQ(status[2 + 13], 0x04);
  EXPECT_EQ(status[2 + 34] | status[2 + 35] << 8, 1);     // last closed shift
  EXPECT_EQ(status[2 + 36] | status[2 + 37] << 8, 2099);  // free records
  const FiscalMemory& memory = bench.sim.State().fiscalMemory;
  ASSERT_EQ(memory.shifts.size(), 1u);
  EXPECT_EQ(memory.shifts[0].shift, 1);
  EXPECT_EQ(memory.shifts[0].totals, (std::array<int64_t, 4>{2684, 0, 500, 0}));
  EXPECT_EQ(memory.shifts[0].date.day, 15);
  EXPECT_EQ(bench.Money(245), 0);
  EXPECT_EQ(bench.Money(247), 0);
  EXPECT_EQ(bench.Operations(144), 0);
  EXPECT_EQ(bench.Money(241), 10184);  // cash in hand stays
  // GetLastFiscalRecordDate: operator, record kind, then the date.
  EXPECT_EQ(bench.Send(Simple(0x63)), (Bytes{0x63, 0, 30, 1, 15, 1, 26}));
  EXPECT_TRUE(Contains(bench.Tape(), "СУТОЧНЫЙ ОТЧЕТ С ГАШЕНИЕМ"));

  // The next shift has number 2 and starts from zero.
  ASSERT_EQ(bench.Error(Item(0x80, 1000, 100)), 0);
  ASSERT_EQ(bench.Error(Close(100)), 0);
  ASSERT_EQ(bench.Error(Simple(0x41)), 0);
  EXPECT_EQ(memory.shifts.back().shift, 2);
  EXPECT_EQ(memory.shifts.back().totals[0], 100);
}

TEST(RegisterAccountsTest, AZeroSumReceiptOpensTheShift) {
  RegisterBench bench;
  EXPECT_EQ(bench.Error(Simple(0x41)), 0x16);  // shift not open
  ASSERT_EQ(bench.Error(Item(0x80, 0, 0)), 0);
  ASSERT_EQ(bench.Error(Close(0)), 0);
  EXPECT_EQ(bench.Mode(), 0x02);
  EXPECT_EQ(bench.Error(Simple(0x41)), 0);
}

TEST(RegisterAccountsTest, OperationsTheRegisterRefuses) {
  struct Case {
    const char* what;
    std::vector<Bytes> before;  // all succeed
    Bytes request;
    uint8_t error;
  };
  const Bytes sale = Item(0x80, 1000, 1000, 1);
  const Bytes shortSale(sale.begin(), sale.begin() + 20);
  const Case cases[] = {
      {"payments below the total", {sale}, Close(999), 0x45},
      {"card above the total", {sale}, Close(0, 1001), 0x4D},
      {"refund without cash", {Item(0x82, 1000, 1000)}, Close(1000), 0x46},
      {"cash out above cash in hand", {}, Request(0x51, {Le(1, 5)}), 0x46},
      {"storno above the receipt", {sale}, Item(0x84, 2000, 1000, 1), 0x5F},
      {"storno of another group", {sale}, Item(0x84, 1000, 1000, 2), 0x68},
      {"discount above the receipt", {sale}, Adjust(0x86, 1001), 0x5A},
      {"storno of a discount not given", {sale}, Adjust(0x8A, 1), 0x8D},
      {"storno of a surcharge not given", {sale}, Adjust(0x8B, 1), 0x8C},
      {"refund in a sale receipt", {sale}, Item(0x82, 1000, 1000), 0x49},
      {"X report in an open receipt", {sale}, Simple(0x40), 0x4A},
      {"cash in in an open receipt", {sale}, Request(0x50, {Le(1, 5)}), 0x4A},
      {"close without a receipt", {}, Close(0), 0x73},
      {"discount without a receipt", {}, Adjust(0x86, 1), 0x73},
      {"annul without a receipt", {}, Simple(0x88), 0x73},
      {"storno without a receipt", {}, Item(0x84, 1000, 1), 0x73},
      {"department 0",
       {},
       Request(0x80, {Le(1000, 5), Le(1, 5), {0}, {0, 0, 0, 0}, Field("")}),
       0x63},
      {"tax group 5", {}, Item(0x80, 1000, 1, 5), 0x33},
      {"Sale one byte short", {}, shortSale, 0x09},
      {"GetCashRegister too long", {}, Request(0x1A, {{1, 2}}), 0x09},
      {"nothing to repeat", {}, Simple(0x8C), 0x56},
      {"ContinuePrint when not waiting", {}, Simple(0xB0), 0x72},
      {"slip command on a model without slip", {}, Request(0x71, {Bytes(8, 0)}), 0x37},
      {"wrong password", {}, Request(0x40, {}, 31), 0x4F},
  };
  for (const Case& c : cases) {
    RegisterBench bench;
    for (const Bytes& request : c.before) ASSERT_EQ(bench.Error(request), 0) << c.what;
    EXPECT_EQ(bench.Error(c.request), c.error) << c.what;
  }
}

TEST(RegisterAccountsTest, AnnulledReceiptLeavesNothingInTheShift) {
  RegisterBench bench;
  ASSERT_EQ(bench.Error(Item(0x80, 1000, 1000, 1)), 0);
  ASSERT_EQ(bench.Error(Simple(0x88)), 0);
  EXPECT_EQ(bench.Mode(), 0x02);
  EXPECT_EQ(bench.Money(0), 0);
  EXPECT_EQ(bench.Money(88), 0);
  EXPECT_EQ(bench.Money(245), 0);
  EXPECT_EQ(bench.Operations(148), 1);
  EXPECT_TRUE(Contains(bench.Tape(), "ЧЕК АННУЛИРОВАН"));
}

TEST(RegisterAccountsTest, AShiftOver24HoursTakesNoNewReceipts) {
  SimulatorConfig config;
  config.state.mode = 0x02;
  config.state.shiftOpenedAt = platform::LocalTime{2026, 1, 14, 10, 0, 0, 0};  // 24.5 h ago
  RegisterBench bench(config);
  EXPECT_EQ(bench.Mode(), 0x03);
  EXPECT_NE(bench.Status()[2 + 29] & 0x80, 0);
  EXPECT_EQ(bench.Error(Item(0x80, 1000, 100)), 0x4E);
  EXPECT_EQ(bench.Error(Simple(0x41)), 0);
  EXPECT_EQ(bench.Mode(), 0x04);
  EXPECT_EQ(bench.Status()[2 + 29] & 0x80, 0);
}

TEST(RegisterAccountsTest, WholeRoublesArePrintedWithoutKopecks) {
  SimulatorConfig config;
  config.state.flags &= uint16_t(~flag::kTwoDecimals);
  RegisterBench bench(config);
  ASSERT_EQ(bench.Error(Item(0x80, 1000, 12, 0, "Товар")), 0);
  ASSERT_EQ(bench.Error(Close(12)), 0);
  EXPECT_TRUE(Contains(bench.Tape(), "=12"));
  EXPECT_FALSE(Contains(bench.Tape(), "=12."));
}

TEST(RegisterAccountsTest, ASlipReceiptGoesToTheSlipWhenPrinted) {
  SimulatorConfig config;
  config.model = ModelPreset(5);
  RegisterBench bench(config);
  ASSERT_EQ(bench.Error(Request(0x71, {Bytes(8, 0)})), 0);
  EXPECT_EQ(bench.Mode(), 0x0D);
  ASSERT_EQ(bench.Error(
                Request(0x73, {{13}, Le(2000, 5), Le(150, 5), {1}, {1, 0, 0, 0}, Field("Бланк")})),
            0);
  EXPECT_EQ(bench.Subtotal(), 300);
  EXPECT_EQ(bench.Money(88), 300);
  ASSERT_EQ(bench.Error(Request(
                0x77, {{16}, Le(500, 5), Le(0, 5), Le(0, 5), Le(0, 5), Bytes(6, 0), Field("")})),
            0);
  EXPECT_EQ(bench.Mode(), 0x02);
  EXPECT_EQ(bench.Money(245), 300);
  EXPECT_EQ(bench.Money(241), 300);
  // Nothing is on the slip before PrintSlip, and PrintSlip needs the slip.
  EXPECT_TRUE(bench.sim.Printed(Station::kSlip).empty());
  EXPECT_EQ(bench.Error(Request(0x7D, {{0, 2}})), 0xC6);
  bench.sim.InsertSlip();
  ASSERT_EQ(bench.Error(Request(0x7D, {{0, 2}})), 0);
  const std::vector<std::string>& slip = bench.sim.Printed(Station::kSlip);
  EXPECT_TRUE(Contains(slip, "Бланк"));
  EXPECT_TRUE(Contains(slip, "2.000 X 1.50"));
  EXPECT_TRUE(Contains(slip, "ИТОГ"));
  EXPECT_TRUE(Contains(slip, "СДАЧА"));
  EXPECT_EQ(bench.Error(Request(0x7D, {{0, 2}})), 0xC5);  // the buffer was emptied
}

}  // namespace
}  // namespace orn::simulator::testing
