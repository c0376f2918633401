// The search for the register over a machine's 32 ports, side by side, against the search one
// port at a time it replaces: in every arrangement of registers and ports the same port and
// rate are chosen, the same port is written back, the same register is moved to the
// configured rate, the log and the error triple read the same, and no port is left open
// but the one kept. Only the time differs: the slowest port's, not their sum.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config/DriverLog.h"
#include "device/FiscalDevice.h"
#include "device/ResultCodes.h"
#include "platform/memory/MemoryPlatform.h"
#include "platform/memory/MemoryPortProvider.h"
#include "simulator/RegisterSimulator.h"

namespace orn::device {
namespace {

constexpr int kKeyPort = 1;
constexpr uint32_t kKeyBaud = 115200;
constexpr uint32_t kOperatorPassword = 30;

// A point-of-sale PC: 32 COM ports, the device key saying COM1 at 115200, and the registers
// (and port troubles) a scenario puts on it.
struct ShopPc {
  ShopPc()
      : ports(memory.clock), log(memory.files, memory.clock), device(ports, memory.clock, log) {
    log.SetEnabled(true);
    device.SetConnection(kKeyPort, kKeyBaud);
    device.SetPassword(kOperatorPassword);
    device.SetPortFoundHandler([this](int port) { written.push_back(port); });
  }
  simulator::RegisterSimulator& Register(int port, uint32_t baud, uint32_t password = 30) {
    simulator::SimulatorConfig config;
    config.baudRate = baud;
    config.state.operatorPassword = password;
    registers.push_back(std::make_unique<simulator::RegisterSimulator>(config));
    ports.Attach(port, *registers.back());
    return *registers.back();
  }
  std::string Log() const { return memory.files.Contents(config::kDefaultLogFileName); }
  // The log without the answers' rows: a status answer carries the register's clock, which
  // runs with the line, and the search side by side is over sooner.
  std::string LogWithoutAnswers() const {
    std::string kept;
    const std::string log = Log();
    for (size_t start = 0, end; start < log.size(); start = end + 1) {
      end = log.find('\n', start);
      if (end == std::string::npos) end = log.size();
      if (log.compare(start, 4, "\t<- ") != 0) kept.append(log, start, end + 1 - start);
    }
    return kept;
  }
  int PortsHeld() const { return ports.AcquireCount() - ports.ReleaseCount(); }

  platform::MemoryPlatform memory;
  platform::MemoryPortProvider ports;
  config::DriverLog log;
  FiscalDevice device;
  std::vector<std::unique_ptr<simulator::RegisterSimulator>> registers;
  std::vector<int> written;  // ports written back to the device key
};

using Arrangement = std::function<void(ShopPc&)>;

// The search the driver made before: Connect on the configured port, then on ports 1..32 in
// turn, the first that succeeds written back.
bool SearchOnePortAtATime(ShopPc& pc) {
  FiscalDevice& device = pc.device;
  if (device.Connect(kKeyPort)) return true;
  if (device.RegisterHeard()) {
    device.Disconnect();
    return false;
  }
  for (int port = FiscalDevice::kFirstPort; port <= FiscalDevice::kLastPort; ++port) {
    if (port == kKeyPort || !device.Connect(port)) continue;
    device.SetConnection(port, device.BaudRate());
    pc.written.push_back(port);
    return true;
  }
  device.Disconnect();
  return false;
}

class PortSearchTest : public ::testing::Test {
 protected:
  PortSearchTest() { lastFirst_.ports.RunSideBySideLastFirst(true); }

  // Searches the arrangement one port at a time and side by side, with the ports' jobs run
  // in order and last first, and expects the same outcome each time.
  void ExpectSameChoice(const Arrangement& arrange) {
    arrange(oneByOne_);
    const bool found = SearchOnePortAtATime(oneByOne_);
    for (ShopPc* pc : {&sideBySide_, &lastFirst_}) {
      SCOPED_TRACE(pc == &lastFirst_ ? "ports' jobs run last first" : "ports' jobs run in order");
      arrange(*pc);
      EXPECT_EQ(pc->device.FindDevice(), found);
      ExpectSameOutcome(*pc, found);
    }
  }
  void ExpectSameOutcome(ShopPc& pc, bool found) {
    const FiscalDevice& expected = oneByOne_.device;
    const FiscalDevice& actual = pc.device;
    EXPECT_EQ(actual.Port().IsOpen(), expected.Port().IsOpen());
    if (expected.Port().IsOpen()) {
      EXPECT_EQ(actual.Port().PortNumber(), expected.Port().PortNumber());
      EXPECT_EQ(actual.Port().CurrentBaud(), expected.Port().CurrentBaud());
    }
    EXPECT_EQ(actual.ComNumber(), expected.ComNumber());
    EXPECT_EQ(pc.written, oneByOne_.written);
    for (size_t i = 0; i < oneByOne_.registers.size(); ++i)
      EXPECT_EQ(pc.registers[i]->BaudRate(), oneByOne_.registers[i]->BaudRate())
          << "register " << i;
    EXPECT_EQ(actual.ResultCode(), expected.ResultCode());
    EXPECT_EQ(actual.ResultCodeExtended(), expected.ResultCodeExtended());
    EXPECT_EQ(actual.ErrorString(), expected.ErrorString());
    EXPECT_EQ(pc.LogWithoutAnswers(), oneByOne_.LogWithoutAnswers());
    // Nothing is left open but the port the register was found on.
    EXPECT_EQ(pc.PortsHeld(), found ? 1 : 0);
    // The register answers where the search left it.
    if (found) {
      EXPECT_TRUE(pc.device.GetStatus());
    }
  }
  uint64_t OneByOneMs() const { return oneByOne_.memory.clock.Elapsed(); }
  uint64_t SideBySideMs() const { return sideBySide_.memory.clock.Elapsed(); }

  ShopPc oneByOne_;
  ShopPc sideBySide_;
  ShopPc lastFirst_;
};

TEST_F(PortSearchTest, ARegisterOnTheKeysPortAndRateIsFoundInOneExchangeWithoutOpeningAnother) {
  ExpectSameChoice([](ShopPc& pc) { pc.Register(kKeyPort, kKeyBaud); });
  EXPECT_EQ(sideBySide_.ports.AcquiredPorts(), std::vector<int>{kKeyPort});
  // The search's probe, and the status asked after it.
  EXPECT_EQ(sideBySide_.registers[0]->Counters().framesReceived, 2u);
}

TEST_F(PortSearchTest, ARegisterOnTheKeysPortAtAnotherRateIsFoundThereAndMoved) {
  ExpectSameChoice([](ShopPc& pc) { pc.Register(kKeyPort, 9600); });
  EXPECT_EQ(sideBySide_.registers[0]->BaudRate(), kKeyBaud);
  EXPECT_TRUE(sideBySide_.written.empty());
}

TEST_F(PortSearchTest, ARegisterOnAMiddlePortAtAnotherRateIsFoundMovedAndWrittenBack) {
  ExpectSameChoice([](ShopPc& pc) { pc.Register(17, 9600); });
  EXPECT_EQ(sideBySide_.written, std::vector<int>{17});
  EXPECT_EQ(sideBySide_.registers[0]->BaudRate(), kKeyBaud);
  // Sixteen silent ports before it, each searched at every rate: one port's time, not 16.
  EXPECT_LT(SideBySideMs() * 10, OneByOneMs());
}

TEST_F(PortSearchTest, ARegisterOnTheLastPortIsFound) {
  ExpectSameChoice([](ShopPc& pc) { pc.Register(32, kKeyBaud); });
  EXPECT_EQ(sideBySide_.written, std::vector<int>{32});
}

// The later port's register answers at the first probe; the earlier one only at 2400, the
// first of the other rates. The search one port at a time reaches the earlier port first.
TEST_F(PortSearchTest, OfTwoRegistersTheEarlierPortWinsThoughTheLaterAnsweredFirst) {
  ExpectSameChoice([](ShopPc& pc) {
    pc.Register(9, kKeyBaud);
    pc.Register(4, 2400);
  });
  EXPECT_EQ(sideBySide_.written, std::vector<int>{4});
  EXPECT_EQ(sideBySide_.registers[0]->BaudRate(), kKeyBaud);
  EXPECT_EQ(sideBySide_.registers[1]->BaudRate(), kKeyBaud);  // moved from 2400
}

TEST_F(PortSearchTest, APortWhoseOpenHangsIsLeftBehindAndTheRegisterAfterItFound) {
  ExpectSameChoice([](ShopPc& pc) {
    pc.ports.SetOpenTime(2, 60 * 1000);
    pc.Register(6, 19200);
  });
  EXPECT_EQ(sideBySide_.written, std::vector<int>{6});
  EXPECT_NE(sideBySide_.Log().find("порт COM2 не открывается (1460, "), std::string::npos);
  // The hanging open cost the bound, beside the other ports' probes rather than before them.
  EXPECT_LT(SideBySideMs(), OneByOneMs() - platform::kPortOpenBoundMs);
}

// A device that refuses the password is no register of ours: the search goes on past it,
// and with nothing else there ends with the last port's outcome.
TEST_F(PortSearchTest, ARegisterThatRefusesThePasswordIsPassedAndTheRightOneFound) {
  ExpectSameChoice([](ShopPc& pc) {
    pc.Register(3, kKeyBaud, 99);
    pc.Register(7, 4800);
  });
  EXPECT_EQ(sideBySide_.written, std::vector<int>{7});
}

TEST_F(PortSearchTest, WhenNothingAnswersTheLastPortsOutcomeIsReportedAndNoPortIsHeld) {
  ExpectSameChoice([](ShopPc& pc) {
    pc.Register(3, kKeyBaud, 99);  // answers, with an error
    pc.ports.SetMissing(31, true);
    pc.ports.SetHeld(32, true);
  });
  EXPECT_EQ(sideBySide_.device.ResultCode(), OPOS_E_TIMEOUT);
  EXPECT_EQ(sideBySide_.ports.AcquireCount(), 30);
}

TEST_F(PortSearchTest, WhenTheKeysPortIsHeldByAnotherProgramTheOthersAreSearched) {
  ExpectSameChoice([](ShopPc& pc) {
    pc.ports.SetHeld(kKeyPort, true);
    pc.Register(5, kKeyBaud);
  });
  EXPECT_EQ(sideBySide_.written, std::vector<int>{5});
}

// The earlier session heard the register on the configured port; now another program holds
// that port. What was heard then says nothing of now: the other ports are searched.
TEST_F(PortSearchTest, AKeysPortHeldSinceAnEarlierSessionStillLeadsToTheOtherPorts) {
  ShopPc& pc = sideBySide_;
  pc.Register(kKeyPort, kKeyBaud);
  ASSERT_TRUE(pc.device.FindDevice());
  pc.device.Disconnect();
  pc.ports.SetHeld(kKeyPort, true);
  pc.Register(5, kKeyBaud);
  EXPECT_TRUE(pc.device.FindDevice());
  EXPECT_EQ(pc.written, std::vector<int>{5});
}

// The configured port's rates are probed in turn on its one line; every other port at the
// same time beside them. A silent register costs the probe at the configured rate, then one
// port's seven rates.
TEST_F(PortSearchTest, ASilentRegisterCostsOnePortsRatesAfterTheFirstProbe) {
  ShopPc reference;
  ASSERT_TRUE(reference.device.Port().Open(kKeyPort, kKeyBaud));
  const uint64_t before = reference.memory.clock.Elapsed();
  ASSERT_FALSE(reference.device.Probe());
  const uint64_t probeMs = reference.memory.clock.Elapsed() - before;
  reference.device.Disconnect();
  const uint64_t start = reference.memory.clock.Elapsed();
  ASSERT_FALSE(reference.device.Connect(2));
  const uint64_t portMs = reference.memory.clock.Elapsed() - start;

  ExpectSameChoice([](ShopPc& pc) {
    simulator::RegisterSimulator& silent = pc.Register(kKeyPort, kKeyBaud);
    silent.Faults().silent = true;
  });
  EXPECT_EQ(SideBySideMs(), probeMs + portMs);
  EXPECT_EQ(OneByOneMs(), 32 * portMs);
}

}  // namespace
}  // namespace orn::device
