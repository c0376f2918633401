// The property indexes: constants, state, the values that ask the register, the guarded
// settings and the capabilities of each model.

#include <climits>

#include "device/ResultCodes.h"
#include "service/OposConstants.h"
#include "unit/service/ServiceFixture.h"

namespace orn::testing {
namespace {

using device::OPOS_E_ILLEGAL;

constexpr int32_t kResultCode = 6;
constexpr int32_t kResultCodeExtended = 7;
constexpr int32_t kErrorString = 1016001;
constexpr int32_t kDateType = 16032;
constexpr int32_t kFiscalReceiptStation = 16033;
constexpr int32_t kFiscalReceiptType = 16034;

class PropertiesTest : public ServiceFixture {};

TEST_F(PropertiesTest, IndexesWithoutAValueLeaveTheCallersNumberAndCannotBeSet) {
  EXPECT_EQ(Number(8), 1006000);
  for (int32_t index : {4, 10, 0, -1, INT_MIN, INT_MAX, 15, 16037, 16556, 1000001}) {
    EXPECT_EQ(Number(index), kUntouched) << index;
    EXPECT_EQ(service_.SetPropertyNumber(index, 1), OPOS_E_ILLEGAL) << index;
    EXPECT_EQ(String(index), u"") << index;
  }
  EXPECT_EQ(Number(kResultCode), OPOS_E_ILLEGAL);
  EXPECT_EQ(Number(kResultCodeExtended), 0);
  for (int32_t index : {-1, INT_MIN, INT_MAX, 1016003, 1000001}) {
    EXPECT_EQ(service_.SetPropertyString(index, u"x"), OPOS_E_ILLEGAL) << index;
  }
}

TEST_F(PropertiesTest, BeforeTheFirstClaimTheModelValuesAreZero) {
  Attach();
  ASSERT_EQ(Open(), 0);
  for (int32_t index : {16505, 16506, 16507, 16512, 16513, 16514, 16522, 16523, 16524, 16532, 16533,
                        16535, 16536, 16017, 16018, 16007, 16016})
    EXPECT_EQ(Number(index), 0) << index;
}

TEST_F(PropertiesTest, StoredFlagsAndValues) {
  for (int32_t index : {2, 3, 13, 16003, 16008, 16013}) {
    EXPECT_EQ(service_.SetPropertyNumber(index, 42), 0) << index;
    EXPECT_EQ(Number(index), 1) << index;
    EXPECT_EQ(service_.SetPropertyNumber(index, 0), 0) << index;
    EXPECT_EQ(Number(index), 0) << index;
  }
  EXPECT_EQ(service_.SetPropertyNumber(16035, -3), 0);
  EXPECT_EQ(Number(16035), -3);
  EXPECT_EQ(service_.SetPropertyNumber(16036, 77), 0);
  EXPECT_EQ(Number(16036), 77);
}

TEST_F(PropertiesTest, DateTypeAndSlipSelectionTakeOnlyTheirValues) {
  EXPECT_EQ(service_.SetPropertyNumber(kDateType, 3), OPOS_E_ILLEGAL);
  EXPECT_EQ(Number(kDateType), 4);
  EXPECT_EQ(service_.SetPropertyNumber(kDateType, 2), 0);
  EXPECT_EQ(Number(kDateType), 2);
  EXPECT_EQ(service_.SetPropertyNumber(16028, 1), 0);
  EXPECT_EQ(service_.SetPropertyNumber(16028, 2), OPOS_E_ILLEGAL);
  EXPECT_EQ(Number(16028), 1);
}

TEST_F(PropertiesTest, TheSlipStationNeedsASlipPrinter) {
  Attach(0);
  OpenAndClaim();
  EXPECT_EQ(service_.SetPropertyNumber(kFiscalReceiptStation, 2), OPOS_E_ILLEGAL);
  EXPECT_EQ(Number(kFiscalReceiptStation), 1);
  EXPECT_EQ(service_.SetPropertyNumber(kFiscalReceiptStation, 1), 0);
}

TEST_F(PropertiesTest, OnTheSlipStationOnlySalesReceipts) {
  Attach(5);
  OpenAndClaim();
  EXPECT_EQ(service_.SetPropertyNumber(kFiscalReceiptType, 1), 0);
  EXPECT_EQ(service_.SetPropertyNumber(kFiscalReceiptType, 4), 0);
  EXPECT_EQ(service_.SetPropertyNumber(kFiscalReceiptStation, 2), 0);
  EXPECT_EQ(service_.SetPropertyNumber(kFiscalReceiptType, 2), OPOS_E_ILLEGAL);
  EXPECT_EQ(service_.SetPropertyNumber(kFiscalReceiptType, 7), OPOS_E_ILLEGAL);
  EXPECT_EQ(Number(kFiscalReceiptType), 4);
  EXPECT_EQ(service_.SetPropertyNumber(kFiscalReceiptStation, 1), 0);
  EXPECT_EQ(service_.SetPropertyNumber(kFiscalReceiptType, 2), 0);
}

TEST_F(PropertiesTest, WithADocumentOpenTheStationAndTypeAreGuarded) {
  Attach(5);
  SetDeviceDword("PrinterState", service::FPTR_PS_FISCAL_RECEIPT, "\\Params");
  ASSERT_EQ(Open(), 0);
  EXPECT_EQ(service_.SetPropertyNumber(kFiscalReceiptStation, 2), device::OPOS_E_EXTENDED);
  EXPECT_EQ(Number(kResultCodeExtended), device::OPOS_EFPTR_WRONG_STATE);
  EXPECT_EQ(Ansi(1016001), "Неверное состояние.");
  EXPECT_EQ(service_.SetPropertyNumber(kFiscalReceiptType, 1), device::OPOS_E_EXTENDED);
  // The current value needs no check.
  EXPECT_EQ(service_.SetPropertyNumber(kFiscalReceiptType, 4), 0);
  EXPECT_EQ(Ansi(1016001), "");
}

struct ModelCapabilities {
  uint8_t model;
  uint8_t protocolSubversion;
  std::vector<int32_t> set;  // the variable capabilities that are 1
  int32_t lineWidth;
};

class CapabilitiesTest : public PropertiesTest,
                         public ::testing::WithParamInterface<ModelCapabilities> {};

TEST_P(CapabilitiesTest, TheModelDecides) {
  simulator::SimulatorConfig config;
  config.model = simulator::ModelPreset(GetParam().model, GetParam().protocolSubversion);
  Attach(config, kPort);
  OpenAndClaim();
  for (int32_t index : {16505, 16506, 16507, 16512, 16513, 16514, 16522, 16523, 16524, 16532, 16533,
                        16535, 16536}) {
    const bool expected = std::count(GetParam().set.begin(), GetParam().set.end(), index) != 0;
    EXPECT_EQ(Number(index), expected ? 1 : 0) << index;
  }
  EXPECT_EQ(Number(16007), GetParam().lineWidth);
  EXPECT_EQ(Number(16016), GetParam().lineWidth);
}

constexpr int32_t kRec[] = {16522, 16524};  // CapRecEmptySensor, CapRecPresent
std::vector<int32_t> With(std::initializer_list<int32_t> more) {
  std::vector<int32_t> set(std::begin(kRec), std::end(kRec));
  set.insert(set.end(), more);
  return set;
}
// Journal: 16512, 16513, 16514; slip: 16532, 16533, 16536; cover 16505; receipt near end
// 16523; double width 16506; duplicate receipt 16507.
INSTANTIATE_TEST_SUITE_P(
    Models, CapabilitiesTest,
    ::testing::Values(
        ModelCapabilities{0, 0, With({16523, 16512, 16513, 16514, 16505}), 36},
        ModelCapabilities{0, 2, With({16523, 16512, 16513, 16514, 16505, 16507}), 36},
        ModelCapabilities{0, 4, With({16523, 16512, 16513, 16514, 16505, 16506, 16507}), 36},
        ModelCapabilities{2, 0, With({}), 36}, ModelCapabilities{3, 0, With({}), 36},
        ModelCapabilities{5, 0, With({16523, 16512, 16513, 16514, 16505, 16532, 16533, 16536}), 36},
        ModelCapabilities{6, 0, With({}), 32}, ModelCapabilities{7, 0, With({16505}), 36},
        ModelCapabilities{9, 0, With({16523, 16505, 16532, 16533, 16536}), 48}),
    [](const auto& info) {
      return "Model" + std::to_string(info.param.model) + "v" +
             std::to_string(info.param.protocolSubversion);
    });

TEST_F(PropertiesTest, TheRegistersNameNumberAndMemory) {
  Attach(0);
  OpenAndClaim();
  EXPECT_EQ(Ansi(1000002), "ОРНИТА-ФР-Ф № 12345678");
  EXPECT_EQ(Ansi(1000003), "ОРНИТА-ФР-Ф");
  EXPECT_EQ(Ansi(1000004).rfind("Fiscal Printer OPOS Service Driver", 0), 0u);
  EXPECT_EQ(Number(16025), 2100);
  EXPECT_EQ(Number(16006), 0);  // shift closed
  EXPECT_EQ(Number(16017), 3);
  EXPECT_EQ(Number(16018), 3);
}

TEST_F(PropertiesTest, PaperStatesOfTheReceiptAskTheRegisterTheOthersUseTheLastStatus) {
  simulator::RegisterSimulator& sim = Attach(5);
  OpenAndClaim();
  sim.TakePaper(simulator::Station::kReceipt);
  sim.TakePaper(simulator::Station::kJournal);
  sim.State().flags &= uint16_t(~simulator::flag::kReceiptNotNearEnd);
  EXPECT_EQ(Number(16014), 0);  // JrnEmpty: the status of the claim
  EXPECT_EQ(Number(16023), 1);  // RecEmpty asks
  EXPECT_EQ(Number(16014), 1);  // ... and the journal follows
  EXPECT_EQ(Number(16024), 1);
  EXPECT_EQ(Number(16026), 1);  // no slip in
  sim.InsertSlip();
  EXPECT_EQ(Number(16026), 0);
}

TEST_F(PropertiesTest, ASilentRegisterLeavesThePaperStateAndTheLastMethodsOutcome) {
  simulator::RegisterSimulator& sim = Attach();
  OpenAndClaim();
  sim.Faults().silent = true;
  EXPECT_EQ(Number(16023), kUntouched);
  // The read failed, but the claim before it did not: its outcome stands.
  EXPECT_EQ(Number(kResultCode), 0);
  EXPECT_EQ(Ansi(kErrorString), "");
}

// A point of sale that asks "is it the paper?" after a failed call must still be able to
// show the cashier that call's error.
TEST_F(PropertiesTest, ReadingThePaperStateKeepsTheErrorOfTheMethodBefore) {
  simulator::RegisterSimulator& sim = Attach(5);
  OpenAndClaim();
  ASSERT_EQ(service_.BeginFiscalReceipt(true), 0);
  ASSERT_EQ(service_.BeginFiscalReceipt(true), device::OPOS_E_EXTENDED);  // wrong state
  const std::string wrongState = Ansi(kErrorString);
  ASSERT_FALSE(wrongState.empty());
  for (int32_t paperIndex : {16023, 16024, 16026}) {  // RecEmpty, RecNearEnd, SlpEmpty
    EXPECT_NE(Number(paperIndex), kUntouched) << paperIndex;
    EXPECT_EQ(Number(kResultCode), device::OPOS_E_EXTENDED) << paperIndex;
    EXPECT_EQ(Number(kResultCodeExtended), device::OPOS_EFPTR_WRONG_STATE) << paperIndex;
    EXPECT_EQ(Ansi(kErrorString), wrongState) << paperIndex;
  }

  // A register error, then a read whose own status request fails: still the register's.
  sim.Faults().deviceErrors.push_back({sim.Counters().framesReceived + 1, 0x4E});
  ASSERT_EQ(service_.PrintRecItem(u"Хлеб", 10000, 1000, 1, 0, u""), device::OPOS_E_EXTENDED);
  const int32_t registerError = Number(kResultCodeExtended);
  const std::string registerText = Ansi(kErrorString);
  ASSERT_GT(registerError, 300);
  sim.Faults().silent = true;
  EXPECT_EQ(Number(16023), kUntouched);
  EXPECT_EQ(Number(kResultCode), device::OPOS_E_EXTENDED);
  EXPECT_EQ(Number(kResultCodeExtended), registerError);
  EXPECT_EQ(Ansi(kErrorString), registerText);
}

TEST_F(PropertiesTest, PredefinedPaymentLinesCountTheConfiguredTypes) {
  EXPECT_EQ(Ansi(1016002), "");
  SetDeviceDword("Кредит", 1, "\\PayTypes");
  SetDeviceDword("Тара", 2, "\\PayTypes");
  SetDeviceDword("Чужой", 7, "\\PayTypes");  // not a payment type of the register
  Attach();
  ASSERT_EQ(Open(), 0);
  EXPECT_EQ(Ansi(1016002), "0,1,2,3");
  ASSERT_EQ(Open(), 0);  // a second open does not list them twice
  EXPECT_EQ(Ansi(1016002), "0,1,2,3");
}

TEST_F(PropertiesTest, SettableStringsAreKeptOthersRefused) {
  for (int32_t index : {1016004, 1016007, kPidxPreLine}) {
    EXPECT_EQ(service_.SetPropertyString(index, u"Строка"), 0);
    EXPECT_EQ(String(index), u"Строка");
  }
  EXPECT_EQ(service_.SetPropertyString(1000001, u"x"), OPOS_E_ILLEGAL);
  EXPECT_EQ(String(1000001), u"");
}

}  // namespace
}  // namespace orn::testing
