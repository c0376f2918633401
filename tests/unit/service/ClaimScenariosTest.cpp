// Opening and claiming as it happens in a shop: a register switched on after the first
// attempt, a receipt left open on the register, a test print the register will not start.

#include "device/ResultCodes.h"
#include "service/OposConstants.h"
#include "unit/service/ServiceFixture.h"

namespace orn::testing {
namespace {

using device::OPOS_E_TIMEOUT;

class ClaimScenariosTest : public ServiceFixture {
 protected:
  static constexpr int32_t kStationIndex = 16033;
};

TEST_F(ClaimScenariosTest, ARegisterSwitchedOnAfterAFailedOpenIsOpenedCleanly) {
  EXPECT_EQ(Open(), OPOS_E_TIMEOUT);
  Attach();  // the cashier switches the register on
  EXPECT_EQ(Open(), 0);
  EXPECT_EQ(service_.Device().ResultCode(), 0);
  EXPECT_EQ(service_.OpenResult(), 0);
  EXPECT_EQ(service_.Device().ErrorString(), "");
  EXPECT_EQ(service_.ClaimDevice(1000), 0);
}

TEST_F(ClaimScenariosTest, AReceiptOpenAtTheClaimGoesOnOnTheTapeAfterTheSlipWasChosen) {
  simulator::RegisterSimulator& sim = Attach(5);
  OpenAndClaim();
  ASSERT_EQ(service_.SetPropertyNumber(kStationIndex, service::FPTR_RS_SLIP), 0);
  EXPECT_EQ(Number(kStationIndex), service::FPTR_RS_SLIP);
  ASSERT_EQ(service_.CloseService(), 0);
  // Another program left a receipt open on the register.
  sim.State().mode = simulator::kModeReceiptOpen;
  OpenAndClaim();
  EXPECT_EQ(Number(kStationIndex), service::FPTR_RS_RECEIPT);
  ASSERT_EQ(service_.PrintRecItem(u"Хлеб", 10000, 1000, 1, 0, u""), 0)
      << service_.Device().ErrorString();
  EXPECT_EQ(RequestsLogged("80"), 1);  // a sale on the tape, no slip operation
}

TEST_F(ClaimScenariosTest, ATestPrintTheRegisterRefusesToStartIsNotInterrupted) {
  simulator::RegisterSimulator& sim = Attach();
  OpenAndClaim();
  // The external check's commands: a status, then the start of the test print.
  sim.Faults().deviceErrors.push_back({sim.Counters().framesReceived + 2, 0x4F});
  EXPECT_EQ(service_.CheckHealth(2), device::OPOS_E_EXTENDED);
  EXPECT_EQ(RequestsLogged("19"), 1);
  EXPECT_EQ(RequestsLogged("2B"), 0);
  EXPECT_EQ(Ansi(1000001), "External HCheck: " + service_.Device().ErrorString());
}

}  // namespace
}  // namespace orn::testing
