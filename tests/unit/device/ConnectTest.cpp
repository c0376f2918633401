// Finding the register: the rate search on one port, the move to the configured rate, the
// port scan, and the port found written back to the device's registry key.

#include <gtest/gtest.h>

#include "config/DriverParams.h"
#include "device/ResultCodes.h"
#include "unit/device/LinkFixture.h"
#include "unit/device/RecordingRegister.h"

namespace orn::device {
namespace {

using testing::LinkFixture;

class ConnectTest : public LinkFixture {};

TEST_F(ConnectTest, ARegisterAtTheConfiguredRateAnswersTheProbe) {
  simulator::RegisterSimulator& sim = Attach();
  ASSERT_TRUE(device_.Connect(kPort));
  EXPECT_EQ(sim.Counters().framesReceived, 1u);
  EXPECT_EQ(device_.Port().CurrentBaud(), kBaud);
}

TEST_F(ConnectTest, ARegisterAtAnotherRateIsFoundAndMovedToTheConfiguredRate) {
  simulator::SimulatorConfig config;
  config.baudRate = 19200;
  simulator::RegisterSimulator& sim = Attach(config);
  ASSERT_TRUE(device_.Connect(kPort)) << device_.ResultCode();
  // Probes at 4800 (configured), 2400 and 9600 went unheard; 19200 answered.
  EXPECT_EQ(sim.Counters().enqsReceived, 2u);  // the probe and SetExchangeParams
  EXPECT_EQ(sim.Counters().lastCommandCode, 0x14);
  EXPECT_EQ(sim.BaudRate(), kBaud);
  EXPECT_EQ(device_.Port().CurrentBaud(), kBaud);
  // SetExchangeParams: password, port 0, rate code 1 (4800), byte timeout 200.
  const uint8_t* request = device_.Request();
  EXPECT_EQ(std::vector<uint8_t>(request, request + 8),
            (std::vector<uint8_t>{0x14, 30, 0, 0, 0, 0x00, 0x01, 0xC8}));
  // Three silent probes of three rounds at 4800, 2400 and 9600 came first, no more.
  EXPECT_GT(Elapsed(), 3u * 3 * 201);
  EXPECT_LT(Elapsed(), 4u * 3 * 201);
  // The register's answer acknowledged, a 00h byte lets it take on the new rate.
  const std::vector<uint8_t> sent = Sent();
  ASSERT_GE(sent.size(), 2u);
  EXPECT_EQ(std::vector<uint8_t>(sent.end() - 2, sent.end()), (std::vector<uint8_t>{0x06, 0x00}));
  ASSERT_TRUE(device_.GetStatus());
}

// A port another program holds is no silent register: the OS's refusal is kept and
// logged, nothing is sent, and the error triple stays as it was.
TEST_F(ConnectTest, APortHeldByAnotherProgramKeepsTheOsErrorAndSendsNothing) {
  simulator::RegisterSimulator& sim = Attach();
  ports_.SetHeld(kPort, true);
  EXPECT_FALSE(device_.Connect(kPort));
  EXPECT_FALSE(device_.Port().IsOpen());
  EXPECT_EQ(device_.ResultCode(), OPOS_SUCCESS);
  EXPECT_TRUE(device_.Port().LastError().portInUse);
  EXPECT_EQ(device_.Port().LastError().code, 32u);
  EXPECT_EQ(sim.Counters().enqsReceived, 0u);
  EXPECT_NE(Log().find("Ошибка: порт COM1 занят другой программой (32, "), std::string::npos);

  // A missing port is not in use; once the port is free, the register is found.
  ports_.SetHeld(kPort, false);
  ports_.SetMissing(kPort, true);
  EXPECT_FALSE(device_.Connect(kPort));
  EXPECT_FALSE(device_.Port().LastError().portInUse);
  EXPECT_EQ(device_.Port().LastError().code, 2u);
  EXPECT_NE(Log().find("Ошибка: порт COM1 не открывается (2, "), std::string::npos);
  ports_.SetMissing(kPort, false);
  EXPECT_TRUE(device_.Connect(kPort));
  EXPECT_EQ(device_.Port().LastError().code, 0u);
}

TEST_F(ConnectTest, ARegisterThatRefusesTheNewRateStaysAtItsOwn) {
  simulator::SimulatorConfig config;
  config.baudRate = 9600;
  config.faults.deviceErrors = {{2, 0x37}};
  simulator::RegisterSimulator& sim = Attach(config);
  ASSERT_TRUE(device_.Connect(kPort));
  EXPECT_EQ(device_.ResultCode(), OPOS_SUCCESS);
  EXPECT_EQ(sim.BaudRate(), 9600u);
  EXPECT_EQ(device_.Port().CurrentBaud(), 9600u);
  EXPECT_TRUE(device_.GetStatus());
}

TEST_F(ConnectTest, ARegisterThatAnswersWithAnErrorIsNotSearchedFurther) {
  simulator::SimulatorConfig config;
  config.state.operatorPassword = 99;
  simulator::RegisterSimulator& sim = Attach(config);
  EXPECT_FALSE(device_.Connect(kPort));
  EXPECT_EQ(device_.ResultCode(), OPOS_E_EXTENDED);
  EXPECT_EQ(sim.Counters().framesReceived, 1u);
}

// A register that answers every status with 58h is there, at this rate, on this port: it
// is reported with its own error at once, with no search of rates or ports.
TEST_F(ConnectTest, ARegisterThatKeepsAskingToContinueIsReportedNotSearchedFor) {
  testing::RecordingRegister stuck;
  stuck.statusError = 0x58;
  ports_.Attach(kPort, stuck);
  EXPECT_FALSE(device_.FindDevice());
  EXPECT_EQ(device_.ResultCode(), OPOS_E_EXTENDED);
  EXPECT_EQ(device_.ResultCodeExtended(), 300 + 0x58);
  EXPECT_EQ(ports_.AcquiredPorts(), std::vector<int>{kPort});
  EXPECT_LT(Elapsed(), 10u * 1000);
}

// Slow, broken answers to every frame: the register is heard at this rate, so neither
// another rate nor another port is tried.
TEST_F(ConnectTest, ARegisterHeardAtTheConfiguredRateIsNotLookedForElsewhere) {
  simulator::SimulatorConfig config;
  config.faults.badCheckAnswers = 1000;
  config.faults.forgetRefusedAnswers = true;
  simulator::RegisterSimulator& sim = Attach(config);
  EXPECT_FALSE(device_.FindDevice());
  EXPECT_EQ(device_.ResultCode(), OPOS_E_TIMEOUT);
  EXPECT_EQ(sim.Counters().baudRateChanges, 0u);
  EXPECT_EQ(ports_.AcquiredPorts(), std::vector<int>{kPort});
  EXPECT_NE(Log().find("отвечает на скорости 4800, но не на команды"), std::string::npos);
}

TEST_F(ConnectTest, ARateOutsideTheTableIsTakenAsTheRateItsCodeStandsFor) {
  simulator::RegisterSimulator& sim = Attach();
  device_.SetConnection(kPort, 14400);
  EXPECT_EQ(device_.BaudRate(), 4800u);
  EXPECT_NE(Log().find("скорости 14400 нет в таблице скоростей ФР: взята 4800"), std::string::npos);
  ASSERT_TRUE(device_.Connect(kPort));
  EXPECT_EQ(device_.Port().CurrentBaud(), 4800u);
  EXPECT_EQ(sim.BaudRate(), 4800u);
}

TEST_F(ConnectTest, TheScanFindsTheRegisterOnAnotherPortAndReportsIt) {
  Attach({}, 5);
  ports_.SetMissing(3, true);
  std::vector<int> reported;
  device_.SetPortFoundHandler([&](int port) { reported.push_back(port); });
  ASSERT_TRUE(device_.FindDevice());
  EXPECT_EQ(device_.ComNumber(), 5);
  EXPECT_EQ(reported, std::vector<int>{5});
  // The configured port first, then 2, 4 and 5 (3 cannot be had, 1 was tried already).
  EXPECT_EQ(ports_.AcquiredPorts(), (std::vector<int>{1, 2, 4, 5}));
  EXPECT_TRUE(device_.Port().IsOpen());
  EXPECT_EQ(device_.Port().PortNumber(), 5);
}

TEST_F(ConnectTest, WhenNothingAnswersNoPortIsKept) {
  EXPECT_FALSE(device_.FindDevice());
  EXPECT_EQ(device_.ResultCode(), OPOS_E_TIMEOUT);
  EXPECT_FALSE(device_.Port().IsOpen());
  EXPECT_EQ(ports_.AcquireCount(), 32);
  EXPECT_EQ(ports_.ReleaseCount(), 32);
}

TEST_F(ConnectTest, APortThatCannotBeSetUpIsHandedBack) {
  Attach();
  ports_.SetBroken(kPort, true);
  EXPECT_FALSE(device_.Port().Open(kPort, kBaud));
  EXPECT_FALSE(device_.Port().IsOpen());
  EXPECT_EQ(ports_.AcquireCount(), 1);
  EXPECT_EQ(ports_.ReleaseCount(), 1);
  EXPECT_FALSE(device_.Connect(kPort));
}

TEST_F(ConnectTest, ThePortFoundIsWrittenToTheDeviceKey) {
  ASSERT_TRUE(memory_.registry.ImportReg(
      "REGEDIT4\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\OLEforRetail\\ServiceOPOS\\FiscalPrinter\\Kassa]\r\n"
      "\"Codepage866\"=dword:00000000\r\n\"ComNumber\"=dword:00000002\r\n"
      "\"BaudRate\"=dword:000012c0\r\n\"Password\"=dword:0000001e\r\n"
      "\"SubtotalName\"=\"ПОДИТОГ\"\r\n\"CloseRecText\"=\"\"\r\n"
      "\"PayTypeName2\"=\"\"\r\n\"PayTypeName3\"=\"\"\r\n\"PayTypeName4\"=\"\"\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\OLEforRetail\\ServiceOPOS\\FiscalPrinter\\Kassa\\PayTypes]"
      "\r\n\"Наличные\"=dword:00000000\r\n"));
  config::DriverParams params(memory_.registry, log_);
  ASSERT_TRUE(params.ReadDeviceParams("Kassa"));
  device_.SetConnection(params.ComNumber(), params.BaudRate());
  device_.SetPortFoundHandler([&](int port) { params.SaveComNumber(port); });
  Attach({}, 4);
  ASSERT_TRUE(device_.FindDevice());

  config::DriverParams reread(memory_.registry, log_);
  ASSERT_TRUE(reread.ReadDeviceParams("Kassa"));
  EXPECT_EQ(reread.ComNumber(), 4);
}

}  // namespace
}  // namespace orn::device
