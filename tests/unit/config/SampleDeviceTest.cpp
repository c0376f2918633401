// The sample registry file of the device Ornita-OPOS-1 opens the device: loaded into the
// memory registry, as the file registry natively, and under wine from the real registry
// after regedit imported it (the ctest fixture that runs this program does that).

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "config/DriverParams.h"
#include "platform/memory/MemoryClock.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryRegistry.h"
#include "support/NativePlatform.h"

namespace orn::config {
namespace {

std::string ReadSampleFile() {
  std::ifstream in(ORN_SAMPLE_REG_FILE, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class SampleDeviceTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (!GetParam()) {
      auto memory = std::make_unique<platform::MemoryRegistry>();
      ASSERT_TRUE(memory->ImportReg(ReadSampleFile()));
      registry_ = std::move(memory);
      return;
    }
#ifdef _WIN32
    registry_ = testing::MakeNativeRegistry("");
#else
    const std::string store = folder_.File("registry.reg");
    std::filesystem::copy_file(ORN_SAMPLE_REG_FILE, store);
    registry_ = testing::MakeNativeRegistry(store);
#endif
  }

  testing::TempFolder folder_;
  std::unique_ptr<platform::Registry> registry_;
  platform::MemoryFileSystem files_;
  platform::MemoryClock clock_{{2026, 3, 7, 9, 5, 4, 32}};
  DriverLog log_{files_, clock_};
};

TEST_P(SampleDeviceTest, OpensTheSampleDevice) {
  // The log settings are not part of the sample; a driver key of no one keeps the defaults.
  DriverParams params(*registry_, log_, "SOFTWARE\\OrnTests\\NoDriverKey");
  ASSERT_TRUE(params.ReadDeviceParams("Ornita-OPOS-1"));
  EXPECT_FALSE(params.Codepage866());
  EXPECT_EQ(params.ComNumber(), 1);
  EXPECT_EQ(params.BaudRate(), 115200u);
  EXPECT_EQ(params.Password(), 30u);
  EXPECT_TRUE(params.HasPasswordNI());
  EXPECT_EQ(params.PasswordNI(), 0u);
  EXPECT_EQ(params.SubtotalName(), "ПОДИТОГ");
  EXPECT_EQ(params.CloseRecText(), "СПАСИБО ЗА ПОКУПКУ");
  EXPECT_EQ(params.FontNumber(), 1u);
  EXPECT_EQ(params.PayTypeName(2), "КРЕДИТ");
  EXPECT_EQ(params.PayTypeName(3), "ТАРА");
  EXPECT_EQ(params.PayTypeName(4), "ПЛАТЕЖНАЯ КАРТА");

  std::vector<std::string> payTypes;
  for (const PayType& type : params.PayTypes())
    payTypes.push_back(std::to_string(type.code) + " " + type.name);
  std::sort(payTypes.begin(), payTypes.end());
  EXPECT_EQ(payTypes,
            (std::vector<std::string>{"0 Наличные", "1 Кредит", "2 Тара", "3 Платежная карта"}));
}

INSTANTIATE_TEST_SUITE_P(MemoryAndNative, SampleDeviceTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Native" : "Memory"; });

}  // namespace
}  // namespace orn::config
