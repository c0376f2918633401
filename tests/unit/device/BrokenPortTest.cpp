// A COM port that breaks under the driver (a USB adapter pulled, a driver that refuses the
// line settings): the call fails as no connection, nothing half-sent reaches the register,
// and the port works again once the fault is gone.

#include "device/ResultCodes.h"
#include "unit/device/LinkFixture.h"

namespace orn::device {
namespace {

class BrokenPortTest : public testing::LinkFixture {
 protected:
  void SetUp() override {
    Attach();
    Open();
  }
  platform::MemoryCommPort& Line() { return *ports_.Port(kPort); }
};

TEST_F(BrokenPortTest, AWriteThePortRefusesIsNoConnection) {
  Line().FailWrites(true);
  EXPECT_FALSE(device_.GetStatus());
  EXPECT_EQ(device_.ResultCode(), OPOS_E_TIMEOUT);
  EXPECT_EQ(simulators_[0]->Counters().framesReceived, 0u);
  EXPECT_NE(Log().find("Нет связи"), std::string::npos);
  Line().FailWrites(false);
  EXPECT_TRUE(device_.GetStatus()) << device_.ErrorString();
  EXPECT_EQ(simulators_[0]->Counters().framesReceived, 1u);
}

TEST_F(BrokenPortTest, ALineRateThePortRefusesKeepsTheOldRate) {
  Line().FailSetState(true);
  EXPECT_FALSE(device_.Port().SetBaud(9600));
  EXPECT_EQ(device_.Port().CurrentBaud(), kBaud);
  Line().FailSetState(false);
  EXPECT_TRUE(device_.Port().SetBaud(9600));
  EXPECT_EQ(device_.Port().CurrentBaud(), 9600u);
}

TEST_F(BrokenPortTest, AClosedPortSendsAndReadsNothing) {
  device_.Port().Close();
  uint8_t byte = 0;
  EXPECT_FALSE(device_.Port().Write(&byte, 1));
  EXPECT_FALSE(device_.Port().Read(&byte, 1));
  EXPECT_FALSE(device_.Port().Purge());
  EXPECT_FALSE(device_.Port().SetTimeouts(1));
  EXPECT_FALSE(device_.Port().SetBaud(9600));
  EXPECT_FALSE(device_.Port().Close());
  EXPECT_EQ(simulators_[0]->Counters().bytesReceived, 0u);
}

TEST_F(BrokenPortTest, ARateChangeLeavesTheLinePlainWhateverItHeldBefore) {
  // What another program may have left on the port: flow control, parity, seven bits.
  platform::LineSettings odd;
  odd.binary = false;
  odd.parity = odd.outxCtsFlow = odd.outxDsrFlow = odd.dsrSensitivity = true;
  odd.txContinueOnXoff = odd.outX = odd.inX = odd.errorChar = odd.null = true;
  odd.abortOnError = true;
  odd.dtrControl = odd.rtsControl = 2;
  odd.byteSize = 7;
  odd.parityKind = 2;
  odd.stopBits = 2;
  ASSERT_TRUE(Line().SetState(odd));
  ASSERT_TRUE(device_.Port().SetBaud(19200));
  const platform::LineSettings& line = Line().Settings();
  EXPECT_EQ(line.baudRate, 19200u);
  EXPECT_TRUE(line.binary);
  EXPECT_FALSE(line.parity || line.outxCtsFlow || line.outxDsrFlow || line.dsrSensitivity);
  EXPECT_FALSE(line.txContinueOnXoff || line.outX || line.inX);
  EXPECT_FALSE(line.errorChar || line.null || line.abortOnError);
  EXPECT_EQ(line.dtrControl, 0);
  EXPECT_EQ(line.rtsControl, 0);
  EXPECT_EQ(line.byteSize, 8);
  EXPECT_EQ(line.parityKind, 0);
  EXPECT_EQ(line.stopBits, 0);
}

}  // namespace
}  // namespace orn::device
