// Reading the device, payment type and log settings from the registry, and writing back the
// port a scan found. (Every value read from a complete key: SampleDeviceTest.)

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/DriverParams.h"
#include "unit/config/DeviceRegistryTest.h"

namespace orn::config {
namespace {

using DriverParamsTest = testing::DeviceRegistryTest;

TEST_P(DriverParamsTest, OptionalValuesMayBeMissingAndRequiredOnesMayNot) {
  auto params = MakeParams();
  EXPECT_EQ(params->Password(), kDefaultOperatorPassword);
  WriteDevice(deviceName_, {"PasswordNI", "FontNumber"});
  ASSERT_TRUE(params->ReadDeviceParams(deviceName_));
  EXPECT_FALSE(params->HasPasswordNI());
  EXPECT_EQ(params->FontNumber(), 1u);

  const std::string broken = deviceName_ + "-B";
  for (const char* name : {"Codepage866", "ComNumber", "BaudRate", "Password", "SubtotalName",
                           "CloseRecText", "PayTypeName2", "PayTypeName3", "PayTypeName4"}) {
    DeleteKey(DeviceKey(broken));
    WriteDevice(broken, {name});
    EXPECT_FALSE(params->ReadDeviceParams(broken)) << name;
  }
  // A text that does not fit the 1000-byte buffer fails like a missing one.
  WriteDevice(broken);
  SetString(DeviceKey(broken), "CloseRecText", std::string(999, 'x'));
  EXPECT_TRUE(params->ReadDeviceParams(broken));
  SetString(DeviceKey(broken), "CloseRecText", std::string(1000, 'x'));
  EXPECT_FALSE(params->ReadDeviceParams(broken));
}

// The table the driver reads by tells a technician's check what is wrong with each value.
TEST_P(DriverParamsTest, AValueThatCannotBeReadIsToldMissingOfTheWrongTypeOrTooLong) {
  WriteDevice(deviceName_, {"ComNumber"});
  SetString(DeviceKey(deviceName_), "BaudRate", "115200");
  SetString(DeviceKey(deviceName_), "CloseRecText", std::string(1000, 'x'));
  platform::RegKey key = platform::kNoKey;
  ASSERT_EQ(registry_->OpenKey(DeviceKey(deviceName_), platform::RegAccess::kRead, key),
            platform::kErrorSuccess);
  std::string problems;
  for (const DeviceValue& value : kDeviceValues) {
    uint32_t number = 0;
    std::string text;
    const ValueProblem problem =
        ProblemOf(value, ReadDeviceValue(*registry_, key, value, number, text));
    if (problem != ValueProblem::kNone)
      problems += std::string(value.name) + "=" + std::to_string(int(problem)) + " ";
  }
  registry_->CloseKey(key);
  EXPECT_EQ(problems, "ComNumber=1 BaudRate=2 CloseRecText=3 ");
  EXPECT_FALSE(MakeParams()->ReadDeviceParams(deviceName_));
}

// The log is off in a new object, so only a second open tells what failed.
TEST_P(DriverParamsTest, FailuresAreLoggedOnceTheLogIsOn) {
  WriteDriverKey();
  WriteDevice(deviceName_);
  const std::string broken = deviceName_ + "-B";
  WriteDevice(broken, {"ComNumber"});
  auto params = MakeParams();
  EXPECT_FALSE(params->ReadDeviceParams(broken));
  EXPECT_EQ(LogText(), "");

  ASSERT_TRUE(params->ReadDeviceParams(deviceName_));
  EXPECT_FALSE(params->ReadDeviceParams(broken));
  SetString(DeviceKey(broken), "ComNumber", "1");
  EXPECT_FALSE(params->ReadDeviceParams(broken));
  DeleteKey(DeviceKey(broken) + "\\PayTypes");
  SetDword(DeviceKey(broken), "ComNumber", 1);
  EXPECT_FALSE(params->ReadDeviceParams(broken));
  EXPECT_FALSE(params->ReadDeviceParams(deviceName_ + "-Missing"));
  EXPECT_EQ(LogText(),
            "\tОшибка чтения значения COMPort.\r\n\tКод ошибки: 2.\r\n"
            "\tОшибка чтения значения COMPort.\r\n\tКод ошибки: 13.\r\n"
            "\tОшибка открытия ключа " +
                DeviceKey(broken) +
                "\\PayTypes.\r\n"
                "\tКод ошибки: 2.\r\n"
                "\tОшибка открытия ключа " +
                DeviceKey(deviceName_ + "-Missing") + ".\r\n\tКод ошибки: 2.\r\n");
}

TEST_P(DriverParamsTest, PayTypesKeepTheRegistryOrderAndSkipCodesAboveThree) {
  WriteDriverKey();
  WriteDevice(deviceName_);
  const std::string payTypes = DeviceKey(deviceName_) + "\\PayTypes";
  SetDword(payTypes, "Тара", 5);
  SetDword(payTypes, "Бонусы", 4);  // 3 is the highest code of a payment type
  SetDword(payTypes, "Кредит", 1);
  auto params = MakeParams();
  ASSERT_TRUE(params->ReadDeviceParams(deviceName_));
  ASSERT_TRUE(params->ReadDeviceParams(deviceName_));  // a second open lists them once

  // Whatever order the registry lists them in (wine sorts them), it is kept.
  platform::RegKey key = platform::kNoKey;
  registry_->OpenKey(payTypes, platform::RegAccess::kRead, key);
  std::vector<std::string> names, expected, read;
  registry_->ValueNames(key, names);
  registry_->CloseKey(key);
  for (const std::string& name : names)
    if (name != "Тара" && name != "Бонусы") expected.push_back(name);
  for (const PayType& type : params->PayTypes()) {
    read.push_back(type.name);
    EXPECT_EQ(type.code, type.name == "Наличные" ? 0u : type.name == "Карта" ? 3u : 1u);
  }
  EXPECT_EQ(read, expected);

  // A value that is no DWORD fails the open, with no log line of its own.
  const size_t logged = LogText().size();
  SetString(payTypes, "Сертификат", "2");
  EXPECT_FALSE(params->ReadDeviceParams(deviceName_));
  EXPECT_EQ(LogText().size(), logged);
}

// Codepage866 is a switch: any value but 0 sets it.
TEST_P(DriverParamsTest, AnyCodepage866ValueButZeroSetsIt) {
  WriteDriverKey();
  WriteDevice(deviceName_);
  auto params = MakeParams();
  for (uint32_t value : {0u, 1u, 2u, 0xFFFFFFFFu}) {
    SetDword(DeviceKey(deviceName_), "Codepage866", value);
    ASSERT_TRUE(params->ReadDeviceParams(deviceName_));
    EXPECT_EQ(params->Codepage866(), value != 0) << value;
  }
}

TEST_P(DriverParamsTest, LogSettingsComeFromTheDriverKeyOrTheDefaults) {
  auto params = MakeParams();
  EXPECT_FALSE(params->ReadLogParams());
  EXPECT_TRUE(log_.Enabled());
  EXPECT_EQ(log_.SizeLimit(), 2097152u);
  EXPECT_EQ(log_.FileName(), "C:\\FiscalPrinter.log");

  WriteDriverKey();
  SetDword(driverKey_, "LogFileMaxSize", 3);
  EXPECT_TRUE(params->ReadLogParams());
  EXPECT_EQ(log_.SizeLimit(), 3145728u);
  EXPECT_EQ(log_.FileName(), testing::kTestLogFile);
  SetDword(driverKey_, "LogFileMaxSize", 0);
  EXPECT_TRUE(params->ReadLogParams());
  EXPECT_EQ(log_.SizeLimit(), 0u);
  // More than 32 bits hold is the largest limit, not a wrapped one.
  SetDword(driverKey_, "LogFileMaxSize", 4097);
  EXPECT_TRUE(params->ReadLogParams());
  EXPECT_EQ(log_.SizeLimit(), 0xFFFFFFFFu);
  SetDword(driverKey_, "LogEnabled", 0);
  EXPECT_TRUE(params->ReadLogParams());
  EXPECT_FALSE(log_.Enabled());
}

TEST_P(DriverParamsTest, TheFoundPortGoesToTheDeviceKeyAndNowhereElse) {
  WriteDriverKey();
  WriteDevice(deviceName_);
  auto params = MakeParams();
  EXPECT_FALSE(params->SaveComNumber(4));  // no device opened yet
  ASSERT_TRUE(params->ReadDeviceParams(deviceName_));
  EXPECT_TRUE(params->SaveComNumber(7));
  uint32_t port = 0;
  EXPECT_EQ(Query(driverKey_, "ComNumber", port), platform::kErrorFileNotFound);
  auto next = MakeParams();
  ASSERT_TRUE(next->ReadDeviceParams(deviceName_));
  EXPECT_EQ(next->ComNumber(), 7);

  // A device key that has gone is not created again; the port found stays in use.
  const std::string gone = deviceName_ + "-B";
  WriteDevice(gone);
  ASSERT_TRUE(next->ReadDeviceParams(gone));
  DeleteKey(DeviceKey(gone));
  EXPECT_FALSE(next->SaveComNumber(9));
  EXPECT_EQ(next->ComNumber(), 9);
  EXPECT_FALSE(KeyExists(DeviceKey(gone)));
}

INSTANTIATE_TEST_SUITE_P(MemoryAndNative, DriverParamsTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Native" : "Memory"; });

}  // namespace
}  // namespace orn::config
