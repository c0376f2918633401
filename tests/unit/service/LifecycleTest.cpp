// Opening, claiming, releasing and closing the service object against the simulated
// register: the search for the register, the start-up of the first claim (special modes,
// open documents, start-up settings by model) and the flags each call leaves.

#include <regex>

#include "device/ResultCodes.h"
#include "service/OposConstants.h"
#include "unit/service/ServiceFixture.h"

namespace orn::testing {
namespace {

using device::OPOS_E_CLOSED;
using device::OPOS_E_NOTCLAIMED;
using device::OPOS_E_TIMEOUT;
using service::OPOS_S_CLOSED;
using service::OPOS_S_IDLE;

class LifecycleTest : public ServiceFixture {
 protected:
  // The fields of table 1 written by the claim, in order.
  std::vector<int> SettingsFieldsWritten() {
    std::vector<int> fields;
    const std::regex write("\t-> 1E 1E 00 00 00 01 01 00 ([0-9A-F]{2}) ");
    const std::string log = Log();
    for (std::sregex_iterator it(log.begin(), log.end(), write), end; it != end; ++it)
      fields.push_back(std::stoi((*it)[1], nullptr, 16));
    return fields;
  }
};

TEST_F(LifecycleTest, OpenOnADeviceWithoutAKeyIsAConfigurationErrorAndTouchesNoPort) {
  Attach();
  EXPECT_EQ(Open(u"Ornita-OPOS-9"), device::OPOS_ORS_CONFIG);
  EXPECT_EQ(service_.OpenResult(), device::OPOS_ORS_CONFIG);
  EXPECT_EQ(service_.GetOpenResult(), device::OPOS_ORS_CONFIG);
  EXPECT_EQ(Number(9), OPOS_S_CLOSED);
  EXPECT_EQ(ports_.AcquireCount(), 0);
}

TEST_F(LifecycleTest, WithoutARegisterTheConfiguredPortComesFirstThenAllOthersAndItTimesOut) {
  SetDeviceDword("ComNumber", 5);
  EXPECT_EQ(Open(), OPOS_E_TIMEOUT);
  std::vector<int> expected = {5, 1, 2, 3, 4};
  for (int port = 6; port <= 32; ++port) expected.push_back(port);
  EXPECT_EQ(ports_.AcquiredPorts(), expected);
  EXPECT_EQ(ports_.ReleaseCount(), ports_.AcquireCount());  // no port kept
  EXPECT_EQ(service_.OpenResult(), OPOS_E_TIMEOUT);
  EXPECT_EQ(Number(9), OPOS_S_CLOSED);
  EXPECT_NE(Log().find("\tОшибка открытия устройства\r\n"), std::string::npos);
}

TEST_F(LifecycleTest, WhenNoPortCanBeOpenedAtAllOpenDoesNotReportSuccess) {
  for (int port = 1; port <= 32; ++port) ports_.SetMissing(port, true);
  EXPECT_EQ(Open(), device::OPOS_ORS_NOPORT);
  EXPECT_EQ(service_.OpenResult(), device::OPOS_ORS_NOPORT);
  EXPECT_EQ(Number(9), OPOS_S_CLOSED);
  EXPECT_EQ(service_.ClaimDevice(0), OPOS_E_CLOSED);
}

TEST_F(LifecycleTest, ARegisterFoundOnAnotherPortIsRememberedInTheDeviceKey) {
  Attach(0, 7);
  EXPECT_EQ(Open(), 0);
  EXPECT_EQ(Number(9), OPOS_S_IDLE);
  EXPECT_EQ(DeviceDword("ComNumber"), 7u);
}

TEST_F(LifecycleTest, CallsBeforeOpenReportClosed) {
  Attach();
  EXPECT_EQ(service_.ClaimDevice(0), OPOS_E_CLOSED);
  EXPECT_EQ(service_.ReleaseDevice(), OPOS_E_CLOSED);
  EXPECT_EQ(service_.CloseService(), OPOS_E_CLOSED);
  EXPECT_EQ(Number(1), 0);
}

TEST_F(LifecycleTest, ASecondClaimOnlyWaitsForTheRegister) {
  Attach();
  OpenAndClaim();
  EXPECT_EQ(RequestsLogged("FC"), 1);
  const int statusRequests = RequestsLogged("11");
  EXPECT_EQ(service_.ClaimDevice(0), 0);
  EXPECT_EQ(RequestsLogged("FC"), 1);
  EXPECT_EQ(RequestsLogged("11"), statusRequests + 1);
  EXPECT_EQ(RequestsLogged("1E"), 7);  // the start-up settings once
  EXPECT_EQ(Number(1), 1);
}

TEST_F(LifecycleTest, ReleaseNeedsAClaimAndLeavesTheDeviceUnclaimedAndDisabled) {
  Attach();
  ASSERT_EQ(Open(), 0);
  EXPECT_EQ(service_.ReleaseDevice(), OPOS_E_NOTCLAIMED);
  ASSERT_EQ(service_.ClaimDevice(0), 0);
  ASSERT_EQ(service_.SetPropertyNumber(3, 1), 0);
  EXPECT_EQ(service_.ReleaseDevice(), 0);
  EXPECT_EQ(Number(1), 0);  // Claimed
  EXPECT_EQ(Number(3), 0);  // DeviceEnabled
  EXPECT_EQ(Number(9), OPOS_S_IDLE);
  EXPECT_EQ(service_.ReleaseDevice(), OPOS_E_NOTCLAIMED);
  // The port stayed open: claiming again only waits.
  EXPECT_EQ(service_.ClaimDevice(0), 0);
  EXPECT_EQ(RequestsLogged("FC"), 1);
}

TEST_F(LifecycleTest, CloseHandsThePortBackAndLeavesTheObjectClosed) {
  Attach();
  OpenAndClaim();
  EXPECT_EQ(service_.CloseService(), 0);
  EXPECT_EQ(ports_.ReleaseCount(), ports_.AcquireCount());
  EXPECT_EQ(Number(9), OPOS_S_CLOSED);
  EXPECT_EQ(Number(1), 0);
  EXPECT_EQ(service_.CloseService(), OPOS_E_CLOSED);
  EXPECT_EQ(service_.ClaimDevice(0), OPOS_E_CLOSED);
  EXPECT_EQ(service_.ReleaseDevice(), OPOS_E_CLOSED);
  // A new open and claim start the register again.
  OpenAndClaim();
  EXPECT_EQ(RequestsLogged("FC"), 2);
}

TEST_F(LifecycleTest, AFailedReopenLeavesNoHalfOpenObject) {
  simulator::RegisterSimulator& sim = Attach();
  OpenAndClaim();
  sim.Faults().silent = true;
  EXPECT_EQ(Open(), OPOS_E_TIMEOUT);
  EXPECT_EQ(Number(9), OPOS_S_CLOSED);
  EXPECT_EQ(Number(1), 0);
  EXPECT_EQ(ports_.ReleaseCount(), ports_.AcquireCount());
}

TEST_F(LifecycleTest, AFailedReopenOfAnotherDeviceClosesTheObject) {
  Attach();
  OpenAndClaim();
  EXPECT_EQ(Open(u"Ornita-OPOS-9"), device::OPOS_ORS_CONFIG);
  EXPECT_EQ(Number(9), OPOS_S_CLOSED);
  EXPECT_EQ(Number(1), 0);
  EXPECT_EQ(ports_.ReleaseCount(), ports_.AcquireCount());
  EXPECT_EQ(service_.ClaimDevice(0), OPOS_E_CLOSED);
}

// Another device opened while the first is claimed is a register of its own: the next claim
// starts it (its type, capabilities and tables), and nothing of the first is carried over.
TEST_F(LifecycleTest, AReopenOfAnotherDeviceStartsFromACleanObject) {
  std::string secondDevice = kDeviceReg;
  for (size_t at = secondDevice.find("Ornita-OPOS-1"); at != std::string::npos;
       at = secondDevice.find("Ornita-OPOS-1", at))
    secondDevice.replace(at, 13, "Ornita-OPOS-2");
  secondDevice.replace(secondDevice.find("dword:00000001"), 14, "dword:00000002");  // ComNumber
  ASSERT_TRUE(memory_.registry.ImportReg(secondDevice.c_str()));
  Attach(0, 1);  // 36 characters a line, a journal, no slip
  Attach(9, 2);  // 48 characters a line, a slip
  OpenAndClaim();
  ASSERT_EQ(service_.BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Number(16020), service::FPTR_PS_FISCAL_RECEIPT);

  ASSERT_EQ(Open(u"Ornita-OPOS-2"), 0);
  EXPECT_EQ(Number(16020), service::FPTR_PS_MONITOR);  // the receipt was the first device's
  EXPECT_EQ(Number(1), 0);                             // not claimed
  for (int32_t modelValue : {16007, 16514, 16536}) EXPECT_EQ(Number(modelValue), 0) << modelValue;
  ASSERT_EQ(service_.ClaimDevice(1000), 0);
  EXPECT_EQ(RequestsLogged("FC"), 2);
  EXPECT_EQ(Number(16007), 48);  // DescriptionLength
  EXPECT_EQ(Number(16514), 0);   // CapJrnPresent
  EXPECT_EQ(Number(16536), 1);   // CapSlpPresent
  EXPECT_EQ(Ansi(1000003), "ОРНИТА-ФР-Ш");
  EXPECT_EQ(ports_.AcquireCount() - ports_.ReleaseCount(), 1);
}

// The special modes the claim brings the register out of, and the command it sends.
struct SpecialMode {
  uint8_t mode;
  std::vector<const char*> commands;  // request codes, in order
};

class StartupModeTest : public LifecycleTest, public ::testing::WithParamInterface<SpecialMode> {};

TEST_P(StartupModeTest, TheClaimLeavesTheSpecialModeAndGoesOn) {
  simulator::RegisterSimulator& sim = Attach();
  SetDeviceDword("PasswordNI", 0);  // the simulated register's tax inspector password
  sim.State().mode = GetParam().mode;
  OpenAndClaim();
  for (const char* code : GetParam().commands) EXPECT_EQ(RequestsLogged(code), 1) << code;
  EXPECT_EQ(RequestsLogged("1E"), 7);
  EXPECT_EQ(sim.State().mode & 0x0F, simulator::kModeShiftClosed);
}

INSTANTIATE_TEST_SUITE_P(Modes, StartupModeTest,
                         ::testing::Values(SpecialMode{simulator::kModeDataOutput, {"03"}},
                                           SpecialMode{simulator::kModeLockedTaxPassword, {"64"}},
                                           SpecialMode{simulator::kModeDateConfirmation, {"23"}},
                                           SpecialMode{simulator::kModeDateToBeSet, {"22", "23"}},
                                           SpecialMode{simulator::kModeTestRun, {"2B"}}),
                         [](const auto& info) { return "Mode" + std::to_string(info.param.mode); });

TEST_F(LifecycleTest, WithoutTheTaxPasswordALockedRegisterFailsTheClaimWithTheRegistersError) {
  simulator::RegisterSimulator& sim = Attach();
  sim.State().mode = simulator::kModeLockedTaxPassword;
  ASSERT_EQ(Open(), 0);
  EXPECT_EQ(service_.ClaimDevice(0), device::OPOS_E_EXTENDED);
  EXPECT_EQ(RequestsLogged("64"), 0);
  EXPECT_EQ(Number(1), 0);
}

TEST_F(LifecycleTest, AnOpenReceiptKeepsItsPrinterStateAndGetsNoStartupSettings) {
  simulator::RegisterSimulator& sim = Attach();
  sim.State().mode = simulator::kModeReceiptOpen;
  SetDeviceDword("PrinterState", service::FPTR_PS_FISCAL_RECEIPT_TOTAL, "\\Params");
  OpenAndClaim();
  EXPECT_EQ(Number(16020), service::FPTR_PS_FISCAL_RECEIPT_TOTAL);
  EXPECT_EQ(Number(16033), service::FPTR_RS_RECEIPT);
  EXPECT_EQ(RequestsLogged("1E"), 0);
}

TEST_F(LifecycleTest, AnOpenReceiptUnknownToTheDriverBecomesAFiscalReceipt) {
  simulator::RegisterSimulator& sim = Attach();
  sim.State().mode = simulator::kModeReceiptOpen;
  OpenAndClaim();
  EXPECT_EQ(Number(16020), service::FPTR_PS_FISCAL_RECEIPT);
  EXPECT_EQ(DeviceDword("PrinterState", "\\Params"), uint32_t(service::FPTR_PS_FISCAL_RECEIPT));
}

TEST_F(LifecycleTest, AnOpenSlipDocumentSelectsTheSlipStation) {
  simulator::RegisterSimulator& sim = Attach(5);
  sim.State().mode = simulator::kModeSlipDocument;
  OpenAndClaim();
  EXPECT_EQ(Number(16033), service::FPTR_RS_SLIP);
  EXPECT_EQ(Number(16020), service::FPTR_PS_FISCAL_RECEIPT);
}

TEST_F(LifecycleTest, WithNoDocumentOpenAStateLeftByAnEarlierProcessIsReset) {
  Attach();
  SetDeviceDword("PrinterState", service::FPTR_PS_FISCAL_RECEIPT_ENDING, "\\Params");
  OpenAndClaim();
  EXPECT_EQ(Number(16020), service::FPTR_PS_MONITOR);
  EXPECT_EQ(DeviceDword("PrinterState", "\\Params"), uint32_t(service::FPTR_PS_MONITOR));
}

TEST_F(LifecycleTest, WithNoDocumentOpenANonFiscalStateStays) {
  Attach();
  SetDeviceDword("PrinterState", service::FPTR_PS_NONFISCAL, "\\Params");
  OpenAndClaim();
  EXPECT_EQ(Number(16020), service::FPTR_PS_NONFISCAL);
}

// The start-up switches of table 1 by model category, and the names of payment types 2..4.
struct ModelSettings {
  uint8_t model;
  int category;
  std::vector<int> fields;
};

class StartupTablesTest : public LifecycleTest,
                          public ::testing::WithParamInterface<ModelSettings> {};

TEST_P(StartupTablesTest, TheSwitchesOfTheModelCategoryAndThePaymentNamesAreWritten) {
  simulator::RegisterSimulator& sim = Attach(GetParam().model);
  OpenAndClaim();
  EXPECT_EQ(service_.Device().ModelCategory(), GetParam().category);
  EXPECT_EQ(SettingsFieldsWritten(), GetParam().fields);
  simulator::Tables& tables = sim.RegisterTables();
  for (int field : GetParam().fields)
    EXPECT_EQ(tables.Number(1, 1, uint8_t(field)), field == 15 ? 0u : 1u);
  EXPECT_EQ(tables.Text(5, 2, 1), "КРЕДИТ");
  EXPECT_EQ(tables.Text(5, 3, 1), "ТАРА");
  EXPECT_EQ(tables.Text(5, 4, 1), " ");
}

INSTANTIATE_TEST_SUITE_P(
    Categories, StartupTablesTest,
    ::testing::Values(ModelSettings{0, 1, {4, 8, 15, 20}}, ModelSettings{2, 2, {4, 8, 15, 20}},
                      ModelSettings{3, 3, {15}}, ModelSettings{5, 4, {4, 8, 15, 19}},
                      ModelSettings{6, 5, {3, 15, 17}}, ModelSettings{7, 6, {3, 7, 15, 18}},
                      ModelSettings{9, 7, {3, 7, 15, 18}}, ModelSettings{10, 8, {15}}),
    [](const auto& info) { return "Category" + std::to_string(info.param.category); });

TEST_F(LifecycleTest, TheSlipModelGetsItsSlipSettingAndReportsItsSlipLines) {
  simulator::RegisterSimulator& sim = Attach(5);
  sim.RegisterTables().SetNumber(13, 1, 2, 3);
  OpenAndClaim();
  EXPECT_EQ(sim.RegisterTables().Number(12, 1, 6), 10u);
  EXPECT_EQ(RequestsLogged("1F"), 11 + 3 + 1);  // header, trailer, slip lines
}

TEST_F(LifecycleTest, AFailedStartupSettingFailsTheClaim) {
  simulator::RegisterSimulator& sim = Attach();
  ASSERT_EQ(Open(), 0);
  // Commands of the claim: type, 6 reads, status, then the first setting.
  sim.Faults().deviceErrors.push_back({sim.Counters().framesReceived + 9, 0x33});
  EXPECT_EQ(service_.ClaimDevice(0), device::OPOS_E_EXTENDED);
  EXPECT_EQ(Number(7), 300 + 0x33);
  EXPECT_EQ(Number(1), 0);
}

TEST_F(LifecycleTest, AFamilyWithAShortTextTableReadsItsHeaderFromRow6) {
  simulator::SimulatorConfig config;
  config.model = simulator::ModelPreset(7);  // family 10: nine rows, header from row 6
  Attach(config, kPort);
  OpenAndClaim();
  EXPECT_EQ(Number(16017), 4);
  EXPECT_EQ(Number(16018), 3);
  EXPECT_EQ(RequestsLogged("1F 1E 00 00 00 04 06 00 01"), 1);
}

TEST_F(LifecycleTest, AFamilyWithALongTextTableReadsItsHeaderFromRow23) {
  simulator::SimulatorConfig config;
  config.model = simulator::ModelPreset(7);
  config.model.printer.textRows = 30;
  config.model.printer.headerFirstRow = 23;
  Attach(config, kPort);
  OpenAndClaim();
  EXPECT_EQ(RequestsLogged("1F 1E 00 00 00 04 17 00 01"), 1);
  EXPECT_EQ(RequestsLogged("2D"), 1);
}

}  // namespace
}  // namespace orn::testing
