// The properties an application plans by before its first receipt: what the driver can do
// whatever the register, by their OPOS index. The list is this test's own copy of that
// promise, so that a changed index or value in the driver's table shows here.

#include "service/OposConstants.h"
#include "unit/service/ServiceFixture.h"

namespace orn::testing {
namespace {

struct FixedProperty {
  int32_t index;
  const char* name;
  int32_t value;
};

constexpr FixedProperty kFixedProperties[] = {
    {5, "OutputID", 0},
    {8, "ServiceObjectVersion", 1006000},
    {11, "BinaryConversion", 0},
    {12, "DataCount", 0},
    {14, "PowerState", 2000},
    {501, "CapPowerReporting", 0},
    {16001, "AmountDecimalPlaces", 3},
    {16002, "AsyncMode", 0},
    {16004, "CountryCode", 64},
    {16009, "ErrorLevel", 1},
    {16010, "ErrorOutID", 0},
    {16011, "ErrorState", 1},
    {16012, "ErrorStation", 0},
    {16019, "NumVatRates", 4},
    {16021, "QuantityDecimalPlaces", 3},
    {16022, "QuantityLength", 10},
    {16027, "SlpNearEnd", 0},
    {16029, "TrainingModeActive", 0},
    {16030, "ActualCurrency", 9},
    {16031, "ContractorId", 3},
    {16501, "CapAdditionalLines", 1},
    {16502, "CapAmountAdjustment", 1},
    {16503, "CapAmountNotPaid", 0},
    {16504, "CapCheckTotal", 1},
    {16508, "CapFixedOutput", 0},
    {16509, "CapHasVatTable", 1},
    {16510, "CapIndependentHeader", 0},
    {16511, "CapItemList", 0},
    {16515, "CapNonFiscalMode", 1},
    {16516, "CapOrderAdjustmentFirst", 0},
    {16517, "CapPercentAdjustment", 1},
    {16518, "CapPositiveAdjustment", 1},
    {16519, "CapPowerLossReport", 0},
    {16520, "CapPredefinedPaymentLines", 1},
    {16521, "CapReceiptNotPaid", 0},
    {16525, "CapRemainingFiscalMemory", 1},
    {16526, "CapReservedWord", 0},
    {16527, "CapSetHeader", 1},
    {16528, "CapSetPOSID", 0},
    {16529, "CapSetStoreFiscalID", 0},
    {16530, "CapSetTrailer", 1},
    {16531, "CapSetVatTable", 1},
    {16534, "CapSlpFullSlip", 1},
    {16537, "CapSlpValidation", 0},
    {16538, "CapSubAmountAdjustment", 1},
    {16539, "CapSubPercentAdjustment", 0},
    {16540, "CapSubtotal", 1},
    {16541, "CapTrainingMode", 0},
    {16542, "CapValidateJournal", 0},
    {16543, "CapXReport", 1},
    {16544, "CapAdditionalHeader", 1},
    {16545, "CapAdditionalTrailer", 0},
    {16546, "CapChangeDue", 0},
    {16547, "CapEmptyReceiptIsVoidable", 0},
    {16548, "CapFiscalReceiptStation", 0},
    {16549, "CapFiscalReceiptType", 1},
    {16550, "CapMultiContractor", 0},
    {16551, "CapOnlyVoidLastItem", 1},
    {16552, "CapPackageAdjustment", 1},
    {16553, "CapPostPreLine", 1},
    {16554, "CapSetCurrency", 0},
    {16555, "CapTotalizerType", 1},
};

class FixedPropertiesTest : public ServiceFixture {};

TEST_F(FixedPropertiesTest, AnApplicationReadsTheSameBeforeAndAfterTheClaim) {
  Attach();
  ASSERT_EQ(Open(), 0);
  for (const FixedProperty& property : kFixedProperties)
    EXPECT_EQ(Number(property.index), property.value) << property.name;
  ASSERT_EQ(service_.ClaimDevice(1000), 0);
  for (const FixedProperty& property : kFixedProperties) {
    EXPECT_EQ(Number(property.index), property.value) << property.name;
    EXPECT_EQ(service_.SetPropertyNumber(property.index, property.value + 1),
              device::OPOS_E_ILLEGAL)
        << property.name;
  }
}

TEST_F(FixedPropertiesTest, TheStateAndTheClaimFollowTheLifeOfTheObject) {
  constexpr int32_t kClaimed = 1;
  constexpr int32_t kState = 9;
  Attach();
  EXPECT_EQ(Number(kState), service::OPOS_S_CLOSED);
  ASSERT_EQ(Open(), 0);
  EXPECT_EQ(Number(kState), service::OPOS_S_IDLE);
  EXPECT_EQ(Number(kClaimed), 0);
  ASSERT_EQ(service_.ClaimDevice(1000), 0);
  EXPECT_EQ(Number(kClaimed), 1);
  ASSERT_EQ(service_.ReleaseDevice(), 0);
  EXPECT_EQ(Number(kClaimed), 0);
  ASSERT_EQ(service_.CloseService(), 0);
  EXPECT_EQ(Number(kState), 1);  // OPOS_S_CLOSED, as the control knows it
  EXPECT_EQ(Number(kClaimed), 0);
}

}  // namespace
}  // namespace orn::testing
