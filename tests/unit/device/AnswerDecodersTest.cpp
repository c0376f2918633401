// The answers' data bytes into the cached fields, byte by byte, against a register that
// answers exactly the bytes a test gives it. Positions and widths are the answer layouts
// of the register's commands.

#include <gtest/gtest.h>

#include "unit/device/LinkFixture.h"
#include "unit/device/RecordingRegister.h"

namespace orn::device {
namespace {

class AnswerDecodersTest : public testing::LinkFixture {
 protected:
  void SetUp() override {
    ports_.Attach(kPort, register_);
    Open();
  }
  testing::RecordingRegister register_;
};

TEST_F(AnswerDecodersTest, ATableStructureIsItsNameRowCountAndFieldCount) {
  std::vector<uint8_t> data(40, 0);
  const std::string name = "Налоговые ставки";
  std::copy(name.begin(), name.end(), data.begin());
  data.insert(data.end(), {0x01, 0x02, 0x07});  // 0201h rows, 7 fields
  register_.answerData[0x2D] = data;
  ASSERT_TRUE(device_.GetTableStructure(6));
  EXPECT_EQ(device_.TableName(), name);
  EXPECT_EQ(device_.TableRowCount(), 0x0201);
  EXPECT_EQ(device_.TableFieldCount(), 7);
}

TEST_F(AnswerDecodersTest, RegistersTakeTheirBytesAfterTheOperatorByte) {
  // Byte 0 is the operator; the cash register is bytes 1..6.
  register_.answerData[0x1A] = {0x1E, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06};
  ASSERT_TRUE(device_.GetCashRegister(241));
  EXPECT_EQ(device_.CashRegisterValue(), 0x060504030201);
  // The operation register is bytes 1..2 and clears the cash register value.
  register_.answerData[0x1B] = {0x1E, 0x34, 0x12};
  ASSERT_TRUE(device_.GetOperationRegister(148));
  EXPECT_EQ(device_.OperationRegisterValue(), 0x1234);
  EXPECT_EQ(device_.CashRegisterValue(), 0);
}

TEST_F(AnswerDecodersTest, TheSubtotalIsFiveBytesIntoAmountOne) {
  register_.answerData[0x89] = {0x1E, 0x01, 0x02, 0x03, 0x04, 0x05, 0xFF};
  const std::optional<int64_t> subtotal = device_.Subtotal();
  ASSERT_TRUE(subtotal);
  EXPECT_EQ(*subtotal, 0x0504030201);
}

TEST_F(AnswerDecodersTest, TheLastFiscalRecordDateIsBytesTwoToFour) {
  register_.answerData[0x63] = {0x1E, 0x00, 31, 12, 25};
  ASSERT_TRUE(device_.GetLastFiscalRecordDate());
  EXPECT_EQ(device_.LastFiscalRecordDate()[0], 31);
  EXPECT_EQ(device_.LastFiscalRecordDate()[1], 12);
  EXPECT_EQ(device_.LastFiscalRecordDate()[2], 25);
}

TEST_F(AnswerDecodersTest, TheStatusFlagsChooseKopecksOrRoubles) {
  register_.flags = 0x0010;  // bit 4: two decimals
  ASSERT_TRUE(device_.GetStatus());
  EXPECT_EQ(device_.CurrencyDivisor(), 100);
  EXPECT_EQ(device_.Flags(), 0x0010);
  register_.flags = 0xFFEF;
  ASSERT_TRUE(device_.GetStatus());
  EXPECT_EQ(device_.CurrencyDivisor(), 10000);
  EXPECT_EQ(device_.Flags(), 0xFFEF);
}

}  // namespace
}  // namespace orn::device
