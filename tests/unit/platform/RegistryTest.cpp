// The registry seam: the memory registry and the native one (the real registry under wine,
// the REGEDIT4-file registry natively) must behave alike, error codes included.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/memory/MemoryRegistry.h"
#include "support/NativePlatform.h"

#ifndef _WIN32
#include "platform/posix/PosixRegistry.h"
#endif

namespace orn::platform {
namespace {

class RegistryTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    static int counter = 0;
    root_ = "SOFTWARE\\OrnTests\\" + std::to_string(testing::CurrentProcessId()) + "-" +
            std::to_string(++counter);
    if (GetParam())
      registry_ = testing::MakeNativeRegistry(folder_.File("registry.reg"));
    else
      registry_ = std::make_unique<MemoryRegistry>();
  }
  void TearDown() override {
    if (GetParam()) testing::DeleteNativeKey(*registry_, root_);
  }

  RegKey Create(const std::string& path) {
    RegKey key = kNoKey;
    EXPECT_EQ(registry_->CreateKey(path, RegAccess::kReadWrite, key), kErrorSuccess);
    return key;
  }

  testing::TempFolder folder_;
  std::string root_;
  std::unique_ptr<Registry> registry_;
};

TEST_P(RegistryTest, OpensOnlyExistingKeysAndCreatesParents) {
  RegKey key = kNoKey;
  EXPECT_EQ(registry_->OpenKey(root_ + "\\Missing", RegAccess::kRead, key), kErrorFileNotFound);
  registry_->CloseKey(Create(root_ + "\\Device\\Params"));
  ASSERT_EQ(registry_->OpenKey(root_ + "\\Device", RegAccess::kRead, key), kErrorSuccess);
  registry_->CloseKey(key);
  ASSERT_EQ(registry_->OpenKey(root_ + "\\DEVICE\\params", RegAccess::kRead, key), kErrorSuccess);
  registry_->CloseKey(key);
}

TEST_P(RegistryTest, DwordAndStringValuesRoundTrip) {
  RegKey key = Create(root_);
  EXPECT_EQ(registry_->SetDword(key, "ComNumber", 0xA1B2C3D4u), kErrorSuccess);
  EXPECT_EQ(registry_->SetString(key, "SubtotalName", "ПОДИТОГ"), kErrorSuccess);
  uint32_t number = 0;
  EXPECT_EQ(registry_->QueryDword(key, "comnumber", number), kErrorSuccess);
  EXPECT_EQ(number, 0xA1B2C3D4u);
  std::string text;
  EXPECT_EQ(registry_->QueryString(key, "SubtotalName", text, 1000), kErrorSuccess);
  EXPECT_EQ(text, "ПОДИТОГ");
  EXPECT_EQ(registry_->QueryDword(key, "Missing", number), kErrorFileNotFound);
  EXPECT_EQ(registry_->QueryString(key, "Missing", text, 1000), kErrorFileNotFound);
  // A string is no DWORD, and a DWORD no string.
  EXPECT_NE(registry_->QueryDword(key, "SubtotalName", number), kErrorSuccess);
  EXPECT_NE(registry_->QueryString(key, "ComNumber", text, 1000), kErrorSuccess);
  registry_->CloseKey(key);
}

TEST_P(RegistryTest, StringsLongerThanTheBufferDoNotFit) {
  RegKey key = Create(root_);
  registry_->SetString(key, "Fits", std::string(999, 'x'));
  registry_->SetString(key, "TooLong", std::string(1000, 'y'));
  std::string text;
  EXPECT_EQ(registry_->QueryString(key, "Fits", text, 1000), kErrorSuccess);
  EXPECT_EQ(text.size(), 999u);
  EXPECT_EQ(registry_->QueryString(key, "TooLong", text, 1000), kErrorMoreData);
  uint8_t small[4];
  uint32_t size = sizeof small;
  EXPECT_EQ(registry_->QueryValue(key, "Fits", nullptr, small, &size), kErrorMoreData);
  EXPECT_EQ(size, 1000u);
  registry_->CloseKey(key);
}

// Windows lists values in the order they were first written, and so do the memory and file
// registries; wine keeps them sorted by name.
TEST_P(RegistryTest, ValueNamesComeInEnumerationOrder) {
  RegKey key = Create(root_ + "\\PayTypes");
  for (const char* name : {"Наличные", "Карта", "Кредит", "Тара"})
    registry_->SetDword(key, name, 1);
  registry_->SetDword(key, "Карта", 2);  // rewriting keeps the place
  std::vector<std::string> names;
  EXPECT_EQ(registry_->ValueNames(key, names), kErrorSuccess);
#ifdef _WIN32
  if (GetParam()) {
    EXPECT_EQ(names, (std::vector<std::string>{"Карта", "Кредит", "Наличные", "Тара"}));
    return registry_->CloseKey(key);
  }
#endif
  EXPECT_EQ(names, (std::vector<std::string>{"Наличные", "Карта", "Кредит", "Тара"}));
  registry_->CloseKey(key);
}

TEST_P(RegistryTest, AKeyOpenedForReadingCannotBeWritten) {
  registry_->CloseKey(Create(root_));
  RegKey key = kNoKey;
  ASSERT_EQ(registry_->OpenKey(root_, RegAccess::kRead, key), kErrorSuccess);
  EXPECT_EQ(registry_->SetDword(key, "ComNumber", 1), kErrorAccessDenied);
  registry_->CloseKey(key);
}

INSTANTIATE_TEST_SUITE_P(MemoryAndNative, RegistryTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Native" : "Memory"; });

TEST(MemoryRegistry, ReadsAndWritesRegedit4Text) {
  MemoryRegistry registry;
  ASSERT_TRUE(registry.ImportReg(
      "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test]\r\n\"Name\"=\"Касса \\\"1\\\"\"\r\n"
      "\"Port\"=dword:0000000a\r\n"));
  RegKey key = kNoKey;
  ASSERT_EQ(registry.OpenKey("SOFTWARE\\Test", RegAccess::kRead, key), kErrorSuccess);
  std::string name;
  uint32_t port = 0;
  EXPECT_EQ(registry.QueryString(key, "Name", name, 1000), kErrorSuccess);
  EXPECT_EQ(name, "Касса \"1\"");
  EXPECT_EQ(registry.QueryDword(key, "Port", port), kErrorSuccess);
  EXPECT_EQ(port, 10u);
  registry.CloseKey(key);

  MemoryRegistry copy;
  ASSERT_TRUE(copy.ImportReg(registry.ExportReg()));
  EXPECT_EQ(copy.ExportReg(), registry.ExportReg());
  EXPECT_FALSE(copy.ImportReg("[HKEY_CURRENT_USER\\X]\r\n"));
  EXPECT_FALSE(copy.ImportReg("\"orphan\"=dword:00000001\r\n"));
}

TEST(MemoryRegistry, ReadOnlyKeysRefuseWriteAccess) {
  MemoryRegistry registry;
  RegKey key = kNoKey;
  registry.CreateKey("SOFTWARE\\Locked", RegAccess::kReadWrite, key);
  registry.CloseKey(key);
  registry.SetReadOnly("SOFTWARE\\Locked", true);
  EXPECT_EQ(registry.OpenKey("SOFTWARE\\Locked", RegAccess::kWrite, key), kErrorAccessDenied);
  EXPECT_EQ(registry.OpenKeyCount(), 0);
}

#ifndef _WIN32
TEST(PosixRegistry, KeepsItsValuesInAFile) {
  testing::TempFolder folder;
  const std::string file = folder.File("store.reg");
  {
    PosixRegistry registry(file);
    RegKey key = kNoKey;
    registry.CreateKey("SOFTWARE\\Kept", RegAccess::kReadWrite, key);
    registry.SetString(key, "Text", "Итог");
    registry.CloseKey(key);
  }
  PosixRegistry reopened(file);
  EXPECT_TRUE(reopened.Loaded());
  RegKey key = kNoKey;
  ASSERT_EQ(reopened.OpenKey("SOFTWARE\\Kept", RegAccess::kRead, key), kErrorSuccess);
  std::string text;
  EXPECT_EQ(reopened.QueryString(key, "Text", text, 1000), kErrorSuccess);
  EXPECT_EQ(text, "Итог");
  reopened.CloseKey(key);
}
#endif

}  // namespace
}  // namespace orn::platform
