#pragma once
// Base of the suites that read device keys: each test runs on the memory registry and on
// the native one (the real registry under wine, the file registry natively), with device
// and driver keys of its own that are removed afterwards.

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "config/DriverParams.h"
#include "platform/memory/MemoryClock.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryRegistry.h"
#include "support/NativePlatform.h"

namespace orn::testing {

inline constexpr char kTestLogFile[] = "C:\\OrnTests\\driver.log";

class DeviceRegistryTest : public ::testing::TestWithParam<bool> {
 protected:
  DeviceRegistryTest() : clock_({2026, 3, 7, 9, 5, 4, 32}), log_(files_, clock_) {
    static int counter = 0;
    const std::string unique = std::to_string(CurrentProcessId()) + "-" + std::to_string(++counter);
    deviceName_ = "OrnTest-" + unique;
    driverKey_ = "SOFTWARE\\OrnTests\\" + unique;
    if (GetParam())
      registry_ = MakeNativeRegistry(folder_.File("registry.reg"));
    else
      registry_ = std::make_unique<platform::MemoryRegistry>();
  }
  ~DeviceRegistryTest() override {
    DeleteKey(driverKey_);
    // Every device of the test has a name that begins with deviceName_.
    for (const char* suffix : {"", "-B"}) DeleteKey(DeviceKey(deviceName_ + suffix));
  }

  bool Native() const { return GetParam(); }
  platform::MemoryRegistry& Memory() { return static_cast<platform::MemoryRegistry&>(*registry_); }
  static std::string DeviceKey(const std::string& name) {
    return std::string(config::kOposRoot) + "\\" + config::kOposDeviceClass + "\\" + name;
  }
  std::unique_ptr<config::DriverParams> MakeParams() {
    return std::make_unique<config::DriverParams>(*registry_, log_, driverKey_);
  }

  // A complete device key with the payment types cash (0) and "Карта" (3), less `omit`.
  void WriteDevice(const std::string& name, std::initializer_list<std::string_view> omit = {}) {
    const std::string path = DeviceKey(name);
    auto wanted = [&](std::string_view value) {
      for (std::string_view omitted : omit)
        if (omitted == value) return false;
      return true;
    };
    for (const char* value :
         {"Codepage866", "ComNumber", "BaudRate", "Password", "PasswordNI", "FontNumber"})
      if (wanted(value)) SetDword(path, value, 3);
    for (const char* value :
         {"SubtotalName", "CloseRecText", "PayTypeName2", "PayTypeName3", "PayTypeName4"})
      if (wanted(value)) SetString(path, value, "ИТОГ");
    SetDword(path + "\\PayTypes", "Наличные", 0);
    SetDword(path + "\\PayTypes", "Карта", 3);
  }
  // The log on, in kTestLogFile, with no size limit.
  void WriteDriverKey() {
    SetDword(driverKey_, "LogEnabled", 1);
    SetString(driverKey_, "LogFileName", kTestLogFile);
    SetDword(driverKey_, "LogFileMaxSize", 0);
  }

  void SetDword(const std::string& path, const char* name, uint32_t value) {
    platform::RegKey key = Create(path);
    EXPECT_EQ(registry_->SetDword(key, name, value), platform::kErrorSuccess);
    registry_->CloseKey(key);
  }
  void SetString(const std::string& path, const char* name, std::string_view value) {
    platform::RegKey key = Create(path);
    EXPECT_EQ(registry_->SetString(key, name, value), platform::kErrorSuccess);
    registry_->CloseKey(key);
  }
  void DeleteKey(const std::string& path) {
    if (Native())
      DeleteNativeKey(*registry_, path);
    else
      Memory().DeleteKey(path);
  }
  // The Win32 code of reading a DWORD (`text` null) or a string value.
  long Query(const std::string& path, const char* name, uint32_t& number,
             std::string* text = nullptr) {
    platform::RegKey key = platform::kNoKey;
    long code = registry_->OpenKey(path, platform::RegAccess::kRead, key);
    if (code != platform::kErrorSuccess) return code;
    code = text ? registry_->QueryString(key, name, *text, 1000)
                : registry_->QueryDword(key, name, number);
    registry_->CloseKey(key);
    return code;
  }
  bool KeyExists(const std::string& path) {
    platform::RegKey key = platform::kNoKey;
    if (registry_->OpenKey(path, platform::RegAccess::kRead, key) != platform::kErrorSuccess)
      return false;
    registry_->CloseKey(key);
    return true;
  }
  std::string LogText() { return files_.Contents(kTestLogFile); }

  TempFolder folder_;
  std::unique_ptr<platform::Registry> registry_;
  platform::MemoryFileSystem files_;
  platform::MemoryClock clock_;
  config::DriverLog log_;
  std::string deviceName_, driverKey_;

 private:
  platform::RegKey Create(const std::string& path) {
    platform::RegKey key = platform::kNoKey;
    EXPECT_EQ(registry_->CreateKey(path, platform::RegAccess::kReadWrite, key),
              platform::kErrorSuccess);
    return key;
  }
};

}  // namespace orn::testing
