// The small common methods and the frame they share: the error triple reset at each call,
// DirectIO's department, the methods that are always illegal, and the calls that bypass
// the frame.

#include "device/ResultCodes.h"
#include "unit/service/ServiceFixture.h"

namespace orn::testing {
namespace {

using device::OPOS_E_ILLEGAL;

class CommonMethodsTest : public ServiceFixture {};

TEST_F(CommonMethodsTest, TheDepartmentIsSetAndReadByDirectIO) {
  std::u16string text = u"как было";
  int32_t data = 0x105;
  EXPECT_EQ(service_.DirectIO(1, data, text), 0);
  EXPECT_EQ(service_.Device().Department(), 5);  // its low byte
  data = -1;
  EXPECT_EQ(service_.DirectIO(2, data, text), 0);
  EXPECT_EQ(data, 5);
  EXPECT_EQ(service_.DirectIO(3, data, text), OPOS_E_ILLEGAL);
  EXPECT_EQ(data, 5);
  EXPECT_EQ(text, u"как было");
}

TEST_F(CommonMethodsTest, AMethodAfterAFailedOneStartsClean) {
  EXPECT_EQ(service_.SetCurrency(2), OPOS_E_ILLEGAL);
  int32_t code = 0;
  service_.GetPropertyNumber(6, code);
  EXPECT_EQ(code, OPOS_E_ILLEGAL);  // the properties keep the last outcome
  EXPECT_EQ(service_.ClearOutput(), 0);
  EXPECT_EQ(service_.SetCurrency(2), OPOS_E_ILLEGAL);
  EXPECT_EQ(service_.ClearError(), 0);
  EXPECT_EQ(service_.SetCurrency(2), OPOS_E_ILLEGAL);
  int32_t data = 0;
  std::u16string text;
  EXPECT_EQ(service_.DirectIO(2, data, text), 0);
}

TEST_F(CommonMethodsTest, FrozenEventsAndTheOpenResultBypassTheFrame) {
  Attach();
  ASSERT_EQ(Open(), 0);
  EXPECT_EQ(service_.SetCurrency(1), OPOS_E_ILLEGAL);
  const std::string log = Log();
  EXPECT_EQ(service_.COFreezeEvents(true), 0);
  EXPECT_EQ(service_.OpenResult(), 0);
  EXPECT_EQ(service_.GetOpenResult(), 0);
  EXPECT_EQ(Log(), log);
  int32_t code = 0;
  service_.GetPropertyNumber(6, code);
  EXPECT_EQ(code, OPOS_E_ILLEGAL);
}

TEST_F(CommonMethodsTest, ParametersAreLoggedAsTheirTypesPrintThem) {
  Attach();
  ASSERT_EQ(Open(), 0);
  EXPECT_EQ(service_.BeginFiscalReceipt(true), 0);
  EXPECT_EQ(service_.PrintRecItemFuel(u"Хлеб", 123456, 1000, 2, -5000, u"шт", 0, u""),
            OPOS_E_ILLEGAL);
  const std::string log = Log();
  EXPECT_NE(log.find(" BeginFiscalReceipt\r\n\tPrintHeader = -1\r\n"), std::string::npos);
  EXPECT_NE(log.find(" PrintRecItemFuel\r\n"
                     "\tDescription = Хлеб\r\n"
                     "\tPrice = 12,3456\r\n"
                     "\tQuantity = 1000\r\n"
                     "\tVatInfo = 2\r\n"
                     "\tUnitPrice = -0,5\r\n"
                     "\tUnitName = шт\r\n"
                     "\tSpecialTax = 0\r\n"
                     "\tSpecialTaxName = \r\n"
                     "\r\n"
                     "\t106, OPOS_E_ILLEGAL\r\n"),
            std::string::npos);
}

// The log names the arguments as the type library does, and logs only what goes in.
TEST_F(CommonMethodsTest, DirectIOAndGetDataLogTheirInputsUnderTheTypeLibrarysNames) {
  Attach();
  OpenAndClaim();
  int32_t data = 7;
  std::u16string text = u"Отдел";
  ASSERT_EQ(service_.DirectIO(1, data, text), 0);
  int32_t optArgs = 3;
  std::u16string out;
  ASSERT_EQ(service_.GetData(10, optArgs, out), 0);
  const std::string log = Log();
  EXPECT_NE(log.find(" DirectIO\r\n\tCommand = 1\r\n\tpData = 7\r\n\tpString = Отдел\r\n\r\n"),
            std::string::npos);
  EXPECT_NE(log.find(" GetData\r\n\tDataItem = 10\r\n\r\n"), std::string::npos);
}

}  // namespace
}  // namespace orn::testing
