#pragma once
// A service object on the memory bundle, its device key in the memory registry, and
// register simulators on the virtual COM ports: every call runs in microseconds of real
// time and its log lands in a memory file.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/memory/MemoryCommPort.h"
#include "platform/memory/MemoryPlatform.h"
#include "platform/memory/MemoryPortProvider.h"
#include "service/FptrService.h"
#include "simulator/RegisterSimulator.h"

namespace orn::testing {

// The device "Ornita-OPOS-1" on COM1 at 4800 baud with operator password 30, cash and a
// card as payment types, and the log on without a size limit. Windows-1251, as regedit
// reads it.
inline constexpr char kDeviceReg[] =
    "REGEDIT4\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\OLEforRetail\\ServiceOPOS\\FiscalPrinter\\Ornita-OPOS-1]\r\n"
    "\"Codepage866\"=dword:00000000\r\n"
    "\"ComNumber\"=dword:00000001\r\n"
    "\"BaudRate\"=dword:000012c0\r\n"
    "\"Password\"=dword:0000001e\r\n"
    "\"SubtotalName\"=\"ПОДИТОГ\"\r\n"
    "\"CloseRecText\"=\"СПАСИБО\"\r\n"
    "\"PayTypeName2\"=\"КРЕДИТ\"\r\n"
    "\"PayTypeName3\"=\"ТАРА\"\r\n"
    "\"PayTypeName4\"=\"\"\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\OLEforRetail\\ServiceOPOS\\FiscalPrinter\\Ornita-OPOS-1\\"
    "PayTypes]\r\n"
    "\"Наличные\"=dword:00000000\r\n"
    "\"Карта\"=dword:00000003\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Ornita\\OLEforRetail\\ServiceOPOS\\FiscalPrinter\\"
    "Ornita-OPOS-1]\r\n"
    "\"LogEnabled\"=dword:00000001\r\n"
    "\"LogFileName\"=\"C:\\\\FiscalPrinter.log\"\r\n"
    "\"LogFileMaxSize\"=dword:00000000\r\n";

inline constexpr char kDeviceKey[] =
    "SOFTWARE\\OLEforRetail\\ServiceOPOS\\FiscalPrinter\\Ornita-OPOS-1";
inline constexpr char kLogFile[] = "C:\\FiscalPrinter.log";

// The register's model byte whose type is unknown to the driver: family and category 0.
inline constexpr uint8_t kUnknownModel = 20;

// Property indexes more than one suite sets.
inline constexpr int32_t kPidxPostLine = 1016007;
inline constexpr int32_t kPidxPreLine = 1016008;

class ServiceFixture : public ::testing::Test {
 protected:
  static constexpr int kPort = 1;

  ServiceFixture() : ports_(memory_.clock), service_(memory_.Bundle(), ports_) {
    EXPECT_TRUE(memory_.registry.ImportReg(kDeviceReg));
  }

  // A register of `model` on `port`.
  simulator::RegisterSimulator& Attach(uint8_t model = 0, int port = kPort) {
    simulator::SimulatorConfig config;
    config.model = simulator::ModelPreset(model);
    return Attach(config, port);
  }
  simulator::RegisterSimulator& Attach(const simulator::SimulatorConfig& config, int port) {
    simulators_.push_back(std::make_unique<simulator::RegisterSimulator>(config));
    ports_.Attach(port, *simulators_.back());
    return *simulators_.back();
  }

  int32_t Open(std::u16string_view deviceName = u"Ornita-OPOS-1") {
    return service_.OpenService(u"FiscalPrinter", deviceName, nullptr);
  }
  void OpenAndClaim() {
    ASSERT_EQ(Open(), 0);
    ASSERT_EQ(service_.ClaimDevice(1000), 0);
  }

  // The number of an index, or kUntouched when the service left it as it was.
  static constexpr int32_t kUntouched = -7777;
  int32_t Number(int32_t index) {
    int32_t value = kUntouched;
    service_.GetPropertyNumber(index, value);
    return value;
  }
  std::u16string String(int32_t index) {
    std::u16string value = u"untouched";
    service_.GetPropertyString(index, value);
    return value;
  }
  // The property as the driver's own Windows-1251 text.
  std::string Ansi(int32_t index) { return memory_.text.AnsiFromUtf16(String(index)); }

  void SetDeviceDword(const char* name, uint32_t value, const std::string& subKey = "") {
    platform::RegKey key = platform::kNoKey;
    ASSERT_EQ(memory_.registry.CreateKey(kDeviceKey + subKey, platform::RegAccess::kReadWrite, key),
              platform::kErrorSuccess);
    memory_.registry.SetDword(key, name, value);
    memory_.registry.CloseKey(key);
  }
  uint32_t DeviceDword(const char* name, const std::string& subKey = "") {
    platform::RegKey key = platform::kNoKey;
    uint32_t value = 0;
    if (memory_.registry.OpenKey(kDeviceKey + subKey, platform::RegAccess::kRead, key) ==
        platform::kErrorSuccess) {
      memory_.registry.QueryDword(key, name, value);
      memory_.registry.CloseKey(key);
    }
    return value;
  }

  std::string Log() const { return memory_.files.Contents(kLogFile); }
  // How often the log shows a request of command `code` (one "-> " row starts each).
  int RequestsLogged(const char* codeHex) const {
    const std::string needle = std::string("\t-> ") + codeHex + " ";
    const std::string log = Log();
    int count = 0;
    for (size_t at = log.find(needle); at != std::string::npos; at = log.find(needle, at + 1))
      if (at == 0 || log[at - 1] == '\n') ++count;
    return count;
  }

  platform::MemoryPlatform memory_;
  platform::MemoryPortProvider ports_;
  std::vector<std::unique_ptr<simulator::RegisterSimulator>> simulators_;
  service::FptrService service_;
};

}  // namespace orn::testing
