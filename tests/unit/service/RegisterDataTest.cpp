// What the register tells the back office and the technician: firmware versions and builds
// of every size, and the totalizers of the open receipt, which must agree with the shift's
// once the receipt is closed.

#include "DocumentFixture.h"

namespace orn::testing {
namespace {

using namespace service;
namespace money = simulator::money;

class RegisterDataTest : public DocumentFixture {
 protected:
  static constexpr int32_t kTotalizerTypeIndex = 16036;

  void SetUp() override {
    Attach();
    Start();
  }
  std::string Data(int32_t item, int32_t optArgs) {
    std::u16string data;
    EXPECT_EQ(Fptr().GetData(item, optArgs, data), 0);
    return Ansi(data);
  }
  std::string Totalizer(int32_t type, int32_t totalizer) {
    EXPECT_EQ(Fptr().SetPropertyNumber(kTotalizerTypeIndex, type), 0);
    std::u16string data;
    EXPECT_EQ(Fptr().GetTotalizer(0, totalizer, data), 0);
    return Ansi(data);
  }
};

TEST_F(RegisterDataTest, FirmwareBuildsAboveTwoHundredFiftyFiveReadWhole) {
  sim_->State().firmwareBuild = 4660;       // 12 34h
  sim_->State().fiscalMemoryBuild = 22136;  // 56 78h
  sim_->State().firmwareVersion[0] = '2';
  sim_->State().firmwareVersion[1] = '7';
  Data(FPTR_GD_RECEIPT_NUMBER, 0);  // the firmware items read the last status
  EXPECT_EQ(Data(FPTR_GD_FIRMWARE, 0), "2.7");
  EXPECT_EQ(Data(FPTR_GD_FIRMWARE, 1), "4660");
  EXPECT_EQ(Data(FPTR_GD_FIRMWARE, 3), "22136");
}

TEST_F(RegisterDataTest, AReceiptsTotalizersAreWhatTheShiftGetsFromIt) {
  SellBreadAndMilk();
  ASSERT_EQ(Fptr().PrintRecItemAdjustment(FPTR_AT_AMOUNT_SURCHARGE, u"Доставка", 7000, 1), 0);
  ASSERT_EQ(Fptr().PrintRecItemAdjustment(FPTR_AT_AMOUNT_DISCOUNT, u"Скидка", 3000, 2), 0);
  const std::string surcharges = Totalizer(FPTR_TT_RECEIPT, FPTR_GT_SURCHARGE);
  const std::string discounts = Totalizer(FPTR_TT_RECEIPT, FPTR_GT_DISCOUNT);
  const std::string items = Totalizer(FPTR_TT_RECEIPT, FPTR_GT_ITEM);
  EXPECT_NE(surcharges, discounts);
  ASSERT_EQ(Fptr().PrintRecTotal(0, 70000, kCash), 0);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(Money(money::ShiftSurcharges(0)), 70);
  EXPECT_EQ(Totalizer(FPTR_TT_DAY, FPTR_GT_SURCHARGE), surcharges);
  EXPECT_EQ(Totalizer(FPTR_TT_DAY, FPTR_GT_DISCOUNT), discounts);
  EXPECT_EQ(Totalizer(FPTR_TT_DAY, FPTR_GT_ITEM), items);
}

TEST_F(RegisterDataTest, ARefundReceiptsTotalizerIsWhatTheShiftGetsFromIt) {
  sim_->State().money[money::kCashInHand] = 100000;
  ASSERT_EQ(Fptr().BeginFiscalReceipt(true), 0);
  ASSERT_EQ(Fptr().PrintRecRefund(u"Чайник", 150000, 1), 0);
  const std::string refunds = Totalizer(FPTR_TT_RECEIPT, FPTR_GT_REFUND);
  EXPECT_NE(refunds, "0");
  ASSERT_EQ(Fptr().PrintRecTotal(150000, 150000, kCash), 0);
  ASSERT_EQ(Fptr().EndFiscalReceipt(false), 0);
  EXPECT_EQ(Totalizer(FPTR_TT_DAY, FPTR_GT_REFUND), refunds);
}

}  // namespace
}  // namespace orn::testing
