// The serial link on the system's own ports, against the ornsim program on a
// pseudo-terminal: natively through the device path, under wine through OrnComm.dll and a
// COM port of the prefix. Each test runs with the simulator options its ctest entry gives;
// run alone, without a simulator, the tests are skipped.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "config/DriverLog.h"
#include "device/FiscalDevice.h"
#include "device/ResultCodes.h"

#ifdef _WIN32
#include "platform/win32/Win32PortProvider.h"
#include "platform/win32/Win32Platform.h"
#else
#include "platform/posix/PosixPortProvider.h"
#include "platform/posix/PosixPlatform.h"
#endif

namespace orn::device {
namespace {

const char* Env(const char* name) {
  const char* value = std::getenv(name);
  return value && *value ? value : nullptr;
}

class NativeLink : public ::testing::Test {
 protected:
  void SetUp() override {
#ifdef _WIN32
    const char* com = Env("ORN_SIM_COM");
    if (!com) GTEST_SKIP() << "no simulator on a COM port (ORN_SIM_COM)";
    port_ = std::atoi(com);
#else
    const char* pty = Env("ORN_SIM_PTY");
    if (!pty) GTEST_SKIP() << "no simulator on a pseudo-terminal (ORN_SIM_PTY)";
    port_ = 7;
    // Only the simulator's port exists: the scan must not touch the host's serial ports.
    for (int number = 1; number <= 32; ++number)
      ports_.SetPath(number, number == port_ ? std::string(pty) : "/nonexistent/ttyORN");
#endif
    if (const char* baud = Env("ORN_DRIVER_BAUD")) baud_ = uint32_t(std::atoi(baud));
    if (const char* log = Env("ORN_TEST_LOG")) {
      log_.SetFileName(log);
      log_.SetEnabled(true);
    }
    device_.SetConnection(port_, baud_);
    device_.SetPassword(30);
  }

#ifdef _WIN32
  platform::Win32Platform platform_;
  platform::Win32PortProvider ports_;
#else
  platform::PosixPlatform platform_{""};
  platform::PosixPortProvider ports_;
#endif
  config::DriverLog log_{platform_.files, platform_.clock};
  FiscalDevice device_{ports_, platform_.clock, log_};
  int port_ = 0;
  uint32_t baud_ = 4800;
};

TEST_F(NativeLink, TypeAndStatus) {
  ASSERT_TRUE(device_.Connect(port_)) << device_.ResultCode();
  ASSERT_TRUE(device_.GetDeviceType()) << device_.ResultCode();
  EXPECT_FALSE(device_.Type().name.empty());
  ASSERT_TRUE(device_.GetStatus()) << device_.ResultCode();
  EXPECT_NE(device_.StatusBlock()[status::kDate + 1], 0);  // a month was reported
}

// The simulator holds a stale answer and corrupts the check byte of its next answer.
TEST_F(NativeLink, StaleAnswersAndBadCheckBytesAreOvercome) {
  ASSERT_TRUE(device_.Port().Open(port_, baud_));
  ASSERT_TRUE(device_.GetDeviceType()) << device_.ResultCode();
  EXPECT_FALSE(device_.Type().name.empty());
  ASSERT_TRUE(device_.GetStatus()) << device_.ResultCode();
}

// The simulator never answers.
TEST_F(NativeLink, ASilentRegisterIsReportedAfterTheRetries) {
  ASSERT_TRUE(device_.Port().Open(port_, baud_));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(device_.Probe());
  EXPECT_EQ(device_.ResultCode(), OPOS_E_TIMEOUT);
  const auto probe = std::chrono::steady_clock::now() - start;
  EXPECT_FALSE(device_.GetStatus());
  EXPECT_EQ(device_.ResultCode(), OPOS_E_TIMEOUT);
  const auto all = std::chrono::steady_clock::now() - start;
  // Three rounds of 201 ms, then thirty: only a sanity bound, the exact times are
  // asserted on the virtual line.
  EXPECT_GE(probe, std::chrono::milliseconds(550));
  EXPECT_GE(all - probe, std::chrono::milliseconds(5500));
}

// The simulator runs at another rate than the driver is configured for.
TEST_F(NativeLink, ARegisterAtAnotherRateIsFoundAndMoved) {
  ASSERT_TRUE(device_.Connect(port_)) << device_.ResultCode();
  EXPECT_EQ(device_.Port().CurrentBaud(), baud_);
  ASSERT_TRUE(device_.GetStatus()) << device_.ResultCode();
}

// The simulator is on another port than the configured one.
TEST_F(NativeLink, ARegisterOnAnotherPortIsFoundByTheScan) {
  const int simulatorPort = port_;
  int reported = 0;
  device_.SetConnection(simulatorPort == 1 ? 2 : 1, baud_);
  device_.SetPortFoundHandler([&](int port) { reported = port; });
  ASSERT_TRUE(device_.FindDevice()) << device_.ResultCode();
  EXPECT_EQ(device_.ComNumber(), simulatorPort);
  EXPECT_EQ(reported, simulatorPort);
}

}  // namespace
}  // namespace orn::device
