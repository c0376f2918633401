// The settings page's values of a device key, on the memory registry preloaded with the
// sample device file: what a technician sees of the key, what the driver reads back after
// a write, what is refused before anything is written, and a write the system refuses
// half-way leaving the keys as they were.

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "DeviceSettings.h"
#include "config/DriverLog.h"
#include "config/DriverParams.h"
#include "config/RegistryKey.h"
#include "platform/memory/MemoryPlatform.h"
#include "platform/memory/MemoryPortProvider.h"

namespace orn::bench {
namespace {

constexpr char kDevice[] = "Ornita-OPOS-1";

// A store that refuses its Nth value write (counting from 1) as a cashier's account is
// refused: access denied.
class RefusingStore : public MemorySettingsStore {
 public:
  RefusingStore(platform::MemoryRegistry& registry, int refused)
      : MemorySettingsStore(registry), refused_(refused) {}
  long Write(const std::string& key, const std::string& name, const Slot& value) override {
    if (++writes_ == refused_) return platform::kErrorAccessDenied;
    return MemorySettingsStore::Write(key, name, value);
  }

 private:
  int refused_;
  int writes_ = 0;
};

class DeviceSettingsTest : public ::testing::Test {
 protected:
  DeviceSettingsTest() : ports_(memory_.clock), keys_(KeysOf(kDevice)) {
    std::ifstream file(ORN_SAMPLE_REG_FILE, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_TRUE(memory_.registry.ImportReg(text.str()));
  }

  SettingsRead Read() { return ReadSettings(memory_.registry, keys_, memory_.clock); }

  static void Set(std::vector<TextValue>& values, const std::string& name,
                  const std::string& text) {
    for (TextValue& value : values) {
      if (value.name == name) {
        value.text = text;
        return;
      }
    }
    values.push_back({name, text});
  }

  // The page's "Записать": planned, checked as the driver reads, then written. Returns the
  // refusal before writing, or empty.
  std::string Write(const DeviceSettings& settings, SettingsStore& store, WriteOutcome& outcome) {
    std::vector<std::string> now;
    store.ValueNames(keys_.payTypes, now);
    std::vector<ValueWrite> writes;
    std::string problem = PlanWrites(settings, keys_, now, writes);
    if (problem.empty()) {
      std::ostringstream unused;
      const auto same = [](const std::string& text) { return text; };
      ornfr::Environment env{ports_, memory_.clock, memory_.files, nullptr,
                             same,   same,          unused,        unused};
      problem = CheckAsTheDriverReads(writes, kDevice, keys_, env);
    }
    if (problem.empty()) outcome = ApplyWrites(store, writes);
    return problem;
  }
  std::string Write(const DeviceSettings& settings) {
    MemorySettingsStore store(memory_.registry);
    WriteOutcome outcome;
    return Write(settings, store, outcome);
  }

  // The driver's own reading at OpenService.
  bool DriverReads(config::DriverParams& params) { return params.ReadDeviceParams(kDevice); }

  platform::MemoryPlatform memory_;
  platform::MemoryPortProvider ports_;
  SettingsKeys keys_;
  config::DriverLog log_{memory_.files, memory_.clock};
  config::DriverParams params_{memory_.registry, log_};
};

TEST_F(DeviceSettingsTest, TheSampleDeviceShowsEveryValueTheDriverReadsAndTheLogDefaults) {
  const SettingsRead read = Read();
  EXPECT_EQ(read.code, 0);
  EXPECT_TRUE(read.unreadable.empty());
  ASSERT_EQ(read.settings.device.size(), 11u);
  EXPECT_EQ(read.settings.device[1].name, "ComNumber");
  EXPECT_EQ(read.settings.device[1].text, "1");
  EXPECT_EQ(read.settings.device[2].text, "115200");
  EXPECT_EQ(read.settings.device[5].text, "ПОДИТОГ");
  EXPECT_EQ(read.settings.device[10].text, "ПЛАТЕЖНАЯ КАРТА");
  ASSERT_EQ(read.settings.payTypes.size(), 4u);
  EXPECT_EQ(read.settings.payTypes[3].name, "Платежная карта");
  EXPECT_EQ(read.settings.payTypes[3].text, "3");
  // No driver key: the log values the driver would use.
  EXPECT_FALSE(read.driverKey);
  ASSERT_EQ(read.settings.log.size(), 3u);
  EXPECT_EQ(read.settings.log[0].text, "1");
  EXPECT_EQ(read.settings.log[1].text, "C:\\FiscalPrinter.log");
  EXPECT_EQ(read.settings.log[2].text, "2");
}

TEST_F(DeviceSettingsTest, AValueTheDriverCannotReadShowsEmptyAndIsNamed) {
  config::RegistryKey key(memory_.registry);
  ASSERT_EQ(key.Open(keys_.device, platform::RegAccess::kWrite), 0);
  memory_.registry.SetString(key.Handle(), "ComNumber", "3");
  memory_.registry.DeleteKey(keys_.payTypes);
  const SettingsRead read = Read();
  EXPECT_EQ(read.settings.device[1].text, std::nullopt);
  EXPECT_EQ(read.unreadable,
            (std::vector<std::string>{"ComNumber (не DWORD)", "PayTypes (нет ключа)"}));
}

TEST_F(DeviceSettingsTest, NoDeviceKeyIsToldByItsCode) {
  memory_.registry.DeleteKey(keys_.device);
  EXPECT_EQ(Read().code, platform::kErrorFileNotFound);
}

TEST_F(DeviceSettingsTest, AChangedPortAndANewPaymentTypeAreReadBackByTheDriver) {
  DeviceSettings settings = Read().settings;
  Set(settings.device, "ComNumber", "3");
  settings.payTypes.push_back({"Бонусы", "3"});
  settings.log.clear();
  MemorySettingsStore store(memory_.registry);
  WriteOutcome outcome;
  ASSERT_EQ(Write(settings, store, outcome), "");
  EXPECT_EQ(outcome.written, (std::vector<std::string>{"ComNumber", "PayTypes\\Бонусы"}));
  EXPECT_TRUE(outcome.refused.empty());

  ASSERT_TRUE(DriverReads(params_));
  EXPECT_EQ(params_.ComNumber(), 3);
  ASSERT_EQ(params_.PayTypes().size(), 5u);
  EXPECT_EQ(params_.PayTypes()[4].name, "Бонусы");
  EXPECT_EQ(params_.PayTypes()[4].code, 3u);
  // The driver key was left alone.
  EXPECT_FALSE(memory_.registry.KeyExists(keys_.driver));
}

TEST_F(DeviceSettingsTest, TheSameValuesAgainWriteNothing) {
  MemorySettingsStore store(memory_.registry);
  WriteOutcome outcome;
  DeviceSettings settings = Read().settings;
  settings.log.clear();
  const int writesBefore = memory_.registry.WriteCount();
  ASSERT_EQ(Write(settings, store, outcome), "");
  EXPECT_TRUE(outcome.written.empty());
  EXPECT_EQ(memory_.registry.WriteCount(), writesBefore);
}

TEST_F(DeviceSettingsTest, AnEmptyOptionalValueGoesAndTheLogValuesMakeTheDriverKey) {
  DeviceSettings settings = Read().settings;
  Set(settings.device, "PasswordNI", "");
  Set(settings.log, "LogFileMaxSize", "3");
  ASSERT_EQ(Write(settings), "");
  ASSERT_TRUE(DriverReads(params_));
  EXPECT_FALSE(params_.HasPasswordNI());
  EXPECT_EQ(log_.SizeLimit(), 3u * 1048576u);
}

TEST_F(DeviceSettingsTest, APaymentTypeRenamedInItsCaseAloneTakesItsNewName) {
  DeviceSettings settings = Read().settings;
  settings.payTypes.push_back({"Card", "3"});
  settings.log.clear();
  ASSERT_EQ(Write(settings), "");
  settings.payTypes.back().name = "CARD";
  ASSERT_EQ(Write(settings), "");
  ASSERT_TRUE(DriverReads(params_));
  ASSERT_EQ(params_.PayTypes().size(), 5u);
  EXPECT_EQ(params_.PayTypes()[4].name, "CARD");
}

// What the driver or the doctor would find wrong is refused before anything is written.
class DeviceSettingsRefusedTest : public DeviceSettingsTest {
 protected:
  // The refusal of `settings`, and the keys unchanged.
  std::string Refusal(const DeviceSettings& settings) {
    const std::string before = memory_.registry.ExportReg();
    const std::string refusal = Write(settings);
    EXPECT_EQ(memory_.registry.ExportReg(), before);
    return refusal;
  }
  DeviceSettings WithDevice(const std::string& name, const std::string& text) {
    DeviceSettings settings = Read().settings;
    Set(settings.device, name, text);
    return settings;
  }
};

TEST_F(DeviceSettingsRefusedTest, APortTheDriverWouldSearchForAtEveryOpen) {
  EXPECT_EQ(Refusal(WithDevice("ComNumber", "40")),
            "ComNumber = 40 вне 1..32: драйвер будет искать ФР на всех портах при каждом открытии");
}

TEST_F(DeviceSettingsRefusedTest, ARateTheRegisterDoesNotTake) {
  EXPECT_EQ(Refusal(WithDevice("BaudRate", "12345")),
            "BaudRate = 12345 не из скоростей 2400..115200: драйвер возьмёт 4800");
}

TEST_F(DeviceSettingsRefusedTest, LettersWhereTheDriverReadsANumber) {
  EXPECT_EQ(Refusal(WithDevice("Password", "3O")),
            "Password: \"3O\" - нужно число от 0 до 4294967295");
  EXPECT_EQ(Refusal(WithDevice("ComNumber", "")),
            "ComNumber: пусто - нужно число от 0 до 4294967295");
}

TEST_F(DeviceSettingsRefusedTest, ATextLongerThanTheDriverReads) {
  EXPECT_EQ(Refusal(WithDevice("SubtotalName", std::string(1000, 'x'))),
            "значение SubtotalName длиннее 999 байт");
}

TEST_F(DeviceSettingsRefusedTest, PaymentTypesTheDriverCouldNotTellApart) {
  // The registry takes a name in another case for the same value, Cyrillic letters too.
  DeviceSettings settings = Read().settings;
  settings.payTypes.push_back({"наличные", "0"});
  EXPECT_EQ(Refusal(settings), "способ оплаты \"наличные\" указан дважды");
  settings.payTypes.back() = {"", "0"};
  EXPECT_EQ(Refusal(settings), "способ оплаты без имени");
}

TEST_F(DeviceSettingsRefusedTest, NoPaymentTypeLeftForPrintRecTotal) {
  DeviceSettings settings = Read().settings;
  settings.payTypes.clear();
  EXPECT_EQ(Refusal(settings),
            "нет ни одного способа оплаты с кодом 0..3: PrintRecTotal не найдёт способ оплаты");
}

TEST_F(DeviceSettingsRefusedTest, AnEmptyLogFileName) {
  DeviceSettings settings = Read().settings;
  Set(settings.log, "LogFileName", "");
  EXPECT_EQ(Refusal(settings), "LogFileName: пусто");
}

// The system refuses a write half-way: what was written goes back, the keys made go again.
// A value deleted and put back comes back at the end of its key; deletions come last, so
// that the payment types keep their order.
TEST_F(DeviceSettingsRefusedTest, ARefusalHalfWayPutsBackEveryValueWrittenBeforeIt) {
  DeviceSettings settings = Read().settings;
  Set(settings.device, "ComNumber", "3");
  Set(settings.device, "PasswordNI", "");
  settings.payTypes.erase(settings.payTypes.begin() + 1);  // "Кредит" goes
  settings.payTypes.push_back({"Бонусы", "3"});
  Set(settings.log, "LogEnabled", "0");
  const auto lines = [this] {
    std::multiset<std::string> all;
    std::istringstream text(memory_.registry.ExportReg());
    for (std::string line; std::getline(text, line);) all.insert(line);
    return all;
  };
  const std::multiset<std::string> before = lines();
  ASSERT_TRUE(DriverReads(params_));
  const std::vector<config::PayType> payTypes = params_.PayTypes();
  for (int refused = 1; refused <= 7; ++refused) {
    RefusingStore store(memory_.registry, refused);
    WriteOutcome outcome;
    ASSERT_EQ(Write(settings, store, outcome), "");
    ASSERT_FALSE(outcome.refused.empty()) << refused;
    EXPECT_EQ(outcome.code, platform::kErrorAccessDenied);
    EXPECT_TRUE(outcome.notRestored.empty());
    EXPECT_TRUE(outcome.written.empty());
    EXPECT_EQ(lines(), before) << "refused at write " << refused;
    ASSERT_TRUE(DriverReads(params_));
    ASSERT_EQ(params_.PayTypes().size(), payTypes.size());
    for (size_t i = 0; i < payTypes.size(); ++i)
      EXPECT_EQ(params_.PayTypes()[i].name, payTypes[i].name);
  }
  // Seven values change: each was the one refused above.
  RefusingStore none(memory_.registry, 8);
  WriteOutcome outcome;
  ASSERT_EQ(Write(settings, none, outcome), "");
  EXPECT_EQ(outcome.written.size(), 7u);
}

}  // namespace
}  // namespace orn::bench
