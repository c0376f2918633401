#pragma once
// A service object on the memory bundle with a register simulator on COM1, for receipts
// from the application's calls down to the register's money registers and printed tape.
// The object can be destroyed and made again on the same registry and register, as after a
// restart of the point-of-sale application.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "device/ResultCodes.h"
#include "service/OposConstants.h"
#include "simulator/Registers.h"
#include "unit/service/ServiceFixture.h"

namespace orn::testing {

// Property indexes the receipts set.
inline constexpr int32_t kPidxCheckTotal = 16003;
inline constexpr int32_t kPidxPrinterState = 16020;
inline constexpr int32_t kPidxFiscalReceiptStation = 16033;
inline constexpr int32_t kPidxFiscalReceiptType = 16034;

// Payment descriptions of the device key: cash is type 0, the card type 3 (the register's
// payment type 4).
inline constexpr char16_t kCash[] = u"Наличные";
inline constexpr char16_t kCard[] = u"Карта";

class ReceiptFixture : public ::testing::Test {
 protected:
  ReceiptFixture() : ports_(memory_.clock) { EXPECT_TRUE(memory_.registry.ImportReg(kDeviceReg)); }

  // Model 0 has a receipt tape and a journal; model 5 a slip station as well.
  simulator::RegisterSimulator& Attach(uint8_t model = 0) {
    simulator::SimulatorConfig config;
    config.model = simulator::ModelPreset(model);
    sim_ = std::make_unique<simulator::RegisterSimulator>(config);
    ports_.Attach(1, *sim_);
    return *sim_;
  }

  // A new service object, opened and claimed.
  void Start() {
    fptr_.reset();
    fptr_.emplace(memory_.Bundle(), ports_);
    ASSERT_EQ(fptr_->OpenService(u"FiscalPrinter", u"Ornita-OPOS-1", nullptr), 0);
    ASSERT_EQ(fptr_->ClaimDevice(1000), 0);
  }
  service::FptrService& Fptr() { return *fptr_; }

  int32_t PrinterState() const { return fptr_->Receipt().PrinterState(); }
  int32_t Extended() const { return fptr_->Device().ResultCodeExtended(); }

  // The register's registers, as its own reports would show them.
  int64_t Money(uint8_t number) { return sim_->MoneyRegister(number); }
  uint16_t Operations(uint8_t number) { return sim_->OperationRegister(number); }
  int Commands() const { return int(sim_->Counters().framesReceived); }
  // The register answers the n-th command from now with `error`.
  void FailCommand(int n, uint8_t error = 0x73) {
    sim_->Faults().deviceErrors.push_back({uint32_t(Commands() + n), error});
  }

  std::string Log() const { return memory_.files.Contents(kLogFile); }
  // A payment sum as the registry keeps it ("" when it is not there).
  std::string DeviceSum(const char* type) {
    platform::RegKey key = platform::kNoKey;
    std::string value;
    if (memory_.registry.OpenKey(std::string(kDeviceKey) + "\\Params\\CheckSumm",
                                 platform::RegAccess::kRead, key) == platform::kErrorSuccess) {
      memory_.registry.QueryString(key, type, value, 1000);
      memory_.registry.CloseKey(key);
    }
    return value;
  }

  const std::vector<std::string>& Tape() const {
    return sim_->Printed(simulator::Station::kReceipt);
  }
  int TapeCount(const std::string& line) const {
    return int(std::count(Tape().begin(), Tape().end(), line));
  }
  bool TapeHas(const std::string& line) const { return TapeCount(line) > 0; }

  // The cash-and-card receipt: bread 2 x 1.00 in tax group 1, milk 4.00 in group 2, the
  // subtotal line, 3.00 cash and 3.00 by card.
  void SellBreadAndMilk() {
    ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
    ASSERT_EQ(Fptr().PrintRecItem(u"Хлеб", 20000, 2000, 1, 10000, u""), 0);
    ASSERT_EQ(Fptr().PrintRecItem(u"Молоко", 40000, 1000, 2, 0, u""), 0);
  }
  void PayBreadAndMilk() {
    ASSERT_EQ(Fptr().PrintRecSubtotal(0), 0);
    ASSERT_EQ(Fptr().PrintRecTotal(60000, 30000, kCash), 0);
    ASSERT_EQ(PrinterState(), service::FPTR_PS_FISCAL_RECEIPT_TOTAL);
    ASSERT_EQ(Fptr().PrintRecTotal(60000, 30000, kCard), 0);
    ASSERT_EQ(PrinterState(), service::FPTR_PS_FISCAL_RECEIPT_ENDING);
  }
  // The shift after that receipt, closed once.
  void ExpectBreadAndMilkClosedOnce() {
    namespace money = simulator::money;
    EXPECT_EQ(PrinterState(), service::FPTR_PS_MONITOR);
    EXPECT_EQ(Money(money::ShiftItems(0)), 600);
    EXPECT_EQ(Money(money::ShiftTaxTurnover(1, 0)), 200);
    EXPECT_EQ(Money(money::ShiftTaxTurnover(2, 0)), 400);
    EXPECT_EQ(Money(money::ShiftPayments(1, 0)), 300);
    EXPECT_EQ(Money(money::ShiftPayments(4, 0)), 300);
    EXPECT_EQ(Money(money::ShiftTotals(0)), 600);
    EXPECT_EQ(Operations(simulator::operations::ClosedReceipts(0)), 1);
    EXPECT_EQ(TapeCount("Хлеб"), 1);
    EXPECT_EQ(TapeCount("Молоко"), 1);
    EXPECT_EQ(TapeCount("СПАСИБО"), 1);
  }

  platform::MemoryPlatform memory_;
  platform::MemoryPortProvider ports_;
  std::unique_ptr<simulator::RegisterSimulator> sim_;
  std::optional<service::FptrService> fptr_;
};

}  // namespace orn::testing
