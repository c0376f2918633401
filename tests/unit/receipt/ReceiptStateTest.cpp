// The receipt state written through to the registry and loaded back by a new object.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <string>

#include "receipt/DecimalText.h"
#include "receipt/ReceiptState.h"
#include "unit/config/DeviceRegistryTest.h"

namespace orn::receipt {
namespace {

class ReceiptStateTest : public testing::DeviceRegistryTest {
 protected:
  void SetUp() override {
    WriteDevice(deviceName_);
    params_ = MakeParams();
    ASSERT_TRUE(params_->ReadDeviceParams(deviceName_));
    store_ = std::make_unique<StateStore>(*registry_, *params_);
    state_ = std::make_unique<ReceiptState>(*store_);
    state_->LoadReceiptState();
  }
  // What a new service object opening the same device loads.
  std::unique_ptr<ReceiptState> Reopen() {
    reopenedParams_ = MakeParams();
    EXPECT_TRUE(reopenedParams_->ReadDeviceParams(deviceName_));
    reopenedStore_ = std::make_unique<StateStore>(*registry_, *reopenedParams_);
    auto state = std::make_unique<ReceiptState>(*reopenedStore_);
    state->LoadReceiptState();
    return state;
  }
  std::string ParamsKey() const { return params_->ParamsKeyPath(); }
  std::string SumsKey() const { return ParamsKey() + "\\CheckSumm"; }

  std::unique_ptr<config::DriverParams> params_, reopenedParams_;
  std::unique_ptr<StateStore> store_, reopenedStore_;
  std::unique_ptr<ReceiptState> state_;
};

TEST_P(ReceiptStateTest, AFreshInstallationHasTheDefaultsAndWritesOnlyChanges) {
  EXPECT_EQ(state_->PrinterState(), 1);
  EXPECT_EQ(state_->SlipLine(), 1);
  EXPECT_FALSE(state_->CancelReceipt() || state_->RecPrinted() || state_->SlpPrinted());
  for (int index = 0; index < kPaymentTypeCount; ++index) EXPECT_EQ(state_->PaymentSum(index), 0);

  // Setting what is held touches nothing, so no key appears.
  state_->SetPrinterState(1);
  state_->SetCancelReceipt(false);
  state_->SetSlipLine(1);
  state_->SetRecPrinted(false);
  state_->SetSlpPrinted(false);
  state_->SetPaymentSum(0, 0);
  EXPECT_FALSE(KeyExists(ParamsKey()));

  state_->SetPrinterState(2);
  uint32_t value = 0;
  EXPECT_EQ(Query(ParamsKey(), "PrinterState", value), platform::kErrorSuccess);
  EXPECT_EQ(value, 2u);
  EXPECT_FALSE(KeyExists(SumsKey()));
}

TEST_P(ReceiptStateTest, ANewObjectCarriesOnWhereTheLastOneStopped) {
  state_->SetPrinterState(4);
  state_->SetCancelReceipt(true);
  state_->SetSlipLine(9);
  state_->SetRecPrinted(true);
  state_->SetSlpPrinted(true);
  state_->SetPaymentSum(1, 3000000000);
  state_->SetPaymentSum(3, -125);
  auto state = Reopen();
  EXPECT_EQ(state->PrinterState(), 4);
  EXPECT_TRUE(state->CancelReceipt());
  EXPECT_EQ(state->SlipLine(), 9);
  EXPECT_TRUE(state->RecPrinted() && state->SlpPrinted());
  EXPECT_EQ(state->PaymentSum(0), 0);
  EXPECT_EQ(state->PaymentSum(1), 3000000000);
  EXPECT_EQ(state->PaymentSum(3), -125);
  std::string text;
  uint32_t unused = 0;
  EXPECT_EQ(Query(SumsKey(), "1", unused, &text), platform::kErrorSuccess);
  EXPECT_EQ(text, "3000000000");
  EXPECT_EQ(Query(SumsKey(), "3", unused, &text), platform::kErrorSuccess);
  EXPECT_EQ(text, "-125");

  state->SetCancelReceipt(false);
  EXPECT_FALSE(Reopen()->CancelReceipt());
}

TEST_P(ReceiptStateTest, ValuesStoredByHandAreConverted) {
  SetDword(ParamsKey(), "StrNumber", 300);
  SetDword(ParamsKey(), "RecPrinted", 2);
  SetString(ParamsKey(), "SlpPrinted", "1");  // no DWORD: not loaded
  SetString(SumsKey(), "0", "  -42 kopecks");
  SetString(SumsKey(), "2", std::string(1000, '7'));  // does not fit: not loaded
  auto state = Reopen();
  EXPECT_EQ(state->SlipLine(), 44);
  EXPECT_TRUE(state->RecPrinted());
  EXPECT_FALSE(state->SlpPrinted());
  EXPECT_EQ(state->PrinterState(), 1);
  EXPECT_EQ(state->PaymentSum(0), -42);
  EXPECT_EQ(state->PaymentSum(2), 0);
}

TEST_P(ReceiptStateTest, RepeatedAndFailedWritesOnTheMemoryRegistry) {
  if (Native()) GTEST_SKIP() << "counts writes and locks keys of the memory registry";
  const int before = Memory().WriteCount();
  state_->SetPaymentSum(2, 500);
  state_->SetPaymentSum(2, 500);
  state_->SetPaymentSum(4, 500);  // no such payment type
  EXPECT_EQ(Memory().WriteCount(), before + 1);
  EXPECT_EQ(state_->PaymentSum(4), 0);

  // A key that refuses writes costs the registry copy, never the held value.
  Memory().SetReadOnly(ParamsKey(), true);
  Memory().SetReadOnly(SumsKey(), true);
  state_->SetPrinterState(3);
  state_->SetPaymentSum(0, 7);
  EXPECT_EQ(state_->PrinterState(), 3);
  EXPECT_EQ(state_->PaymentSum(0), 7);
  EXPECT_EQ(Memory().WriteCount(), before + 1);
  EXPECT_EQ(Memory().OpenKeyCount(), 0);
}

// A re-open on another device forgets the first device's receipt: loading a key that holds
// nothing then leaves exactly what a new object has.
TEST_P(ReceiptStateTest, ForgettingGoesBackToANewObjectsState) {
  state_->SetPrinterState(4);
  state_->SetCancelReceipt(true);
  state_->SetSlipLine(5);
  state_->SetRecPrinted(true);
  state_->SetSlpPrinted(true);
  state_->SetReceiptEnding(ReceiptState::Ending::kClosed);
  state_->SetPaymentSum(1, 300);
  state_->SetReceiptSubtotal(700);
  state_->SetReceiptStarted(false);
  state_->Forget();

  const ReceiptState fresh(*store_);
  EXPECT_EQ(state_->PrinterState(), fresh.PrinterState());
  EXPECT_EQ(state_->CancelReceipt(), fresh.CancelReceipt());
  EXPECT_EQ(state_->SlipLine(), fresh.SlipLine());
  EXPECT_EQ(state_->RecPrinted(), fresh.RecPrinted());
  EXPECT_EQ(state_->SlpPrinted(), fresh.SlpPrinted());
  EXPECT_EQ(state_->ReceiptEnding(), fresh.ReceiptEnding());
  EXPECT_EQ(state_->PaymentSum(1), fresh.PaymentSum(1));
  EXPECT_EQ(state_->ReceiptSubtotal(), fresh.ReceiptSubtotal());
  EXPECT_EQ(state_->ReceiptStarted(), fresh.ReceiptStarted());
}

INSTANTIATE_TEST_SUITE_P(MemoryAndNative, ReceiptStateTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Native" : "Memory"; });

TEST(DecimalText, ReadsAsAtoi64AndWritesSignedDecimal) {
  EXPECT_EQ(ParseInt64(" \t+15"), 15);
  EXPECT_EQ(ParseInt64("- 5"), 0);
  EXPECT_EQ(ParseInt64("-9223372036854775808"), std::numeric_limits<int64_t>::min());
  EXPECT_EQ(ParseInt64("99999999999999999999"), std::numeric_limits<int64_t>::max());
  EXPECT_EQ(ParseInt64("-99999999999999999999"), std::numeric_limits<int64_t>::min());
  EXPECT_EQ(FormatInt64(std::numeric_limits<int64_t>::min()), "-9223372036854775808");
  // A view into a longer text ends where the view ends, not at the text's end.
  EXPECT_EQ(ParseInt64(std::string_view("12345").substr(0, 2)), 12);
}

}  // namespace
}  // namespace orn::receipt
