// A point of sale run under a cashier's account, which may not write the device key nor the
// log's folder: every method still does its work, and the driver says once, in its log and
// in its health check, that the receipt state would not survive a crash.

#include "unit/service/ReceiptFixture.h"

namespace orn::testing {
namespace {

using namespace service;
namespace ops = simulator::operations;

constexpr char kNotSaved[] = "состояние чека не сохраняется: HKEY_LOCAL_MACHINE\\";
constexpr char kHoldsUntilExit[] =
    "защита от повторной регистрации команд действует только до завершения программы";
constexpr char kHealthNotSaved[] = "Состояние чека не сохраняется в реестре (HKEY_LOCAL_MACHINE\\";

class CashierAccountTest : public ReceiptFixture {
 protected:
  int Count(const std::string& text, const std::string& what) const {
    int count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
      ++count;
    return count;
  }
  std::string HealthText() {
    EXPECT_EQ(Fptr().CheckHealth(OPOS_CH_INTERNAL), 0);
    std::u16string text;
    Fptr().GetPropertyString(1000001, text);
    return memory_.text.AnsiFromUtf16(text);
  }
};

TEST_F(CashierAccountTest, ADeviceKeyThatMayNotBeWrittenCostsNoMethodAndIsSaidOnce) {
  Attach();
  memory_.registry.SetReadOnly(kDeviceKey, true);  // and there is no Params key yet
  Start();
  SellBreadAndMilk();
  PayBreadAndMilk();
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  ExpectBreadAndMilkClosedOnce();
  EXPECT_FALSE(memory_.registry.KeyExists(std::string(kDeviceKey) + "\\Params"));

  const std::string log = Log();
  EXPECT_EQ(Count(log, kNotSaved), 1);
  EXPECT_NE(log.find(std::string(kNotSaved) + kDeviceKey + "\\Params, ошибка 5\r\n"),
            std::string::npos);
  EXPECT_EQ(Count(log, kHoldsUntilExit), 1);
  const std::string health = HealthText();
  EXPECT_EQ(Count(health, kHealthNotSaved), 1) << health;
  EXPECT_EQ(health.find("OK."), std::string::npos);

  // Written again by the next object, whose state starts from nothing stored.
  memory_.registry.SetReadOnly(kDeviceKey, false);
  Start();
  EXPECT_EQ(HealthText(), "Internal HCheck: OK.");
}

TEST_F(CashierAccountTest, ALogThatCannotBeOpenedIsAFindingOfTheHealthCheck) {
  Attach();
  memory_.files.SetUnopenable(kLogFile, true);
  Start();
  EXPECT_EQ(HealthText(),
            "Internal HCheck: \r\nЖурнал драйвера не открывается: C:\\FiscalPrinter.log.");
  memory_.files.SetUnopenable(kLogFile, false);
  EXPECT_EQ(HealthText(), "Internal HCheck: OK.");
}

}  // namespace
}  // namespace orn::testing
