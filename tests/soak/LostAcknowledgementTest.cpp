// Found by the soak (seed 3, 20,000 documents, document 11179; with --check-total seeds 10
// and 11): a cash document registered twice. The driver writes the frame of a cash out, the
// register takes it and acknowledges it, but the ACK is lost on the line (or arrives
// garbled) and the register keeps no answer (as after a reset). The next ENQ gets NAK, which
// the driver reads as "the frame never arrived", and it writes the frame again: the register
// registers the cash out a second time and the call returns success. Without the register's
// ACK the driver cannot know whether the frame was taken: the link keeps the frame as
// unsettled and sends it no more, and the receipt layer settles it by the document number.

#include <gtest/gtest.h>

#include "config/DriverLog.h"
#include "device/FiscalDevice.h"
#include "platform/memory/MemoryPlatform.h"
#include "platform/memory/MemoryPortProvider.h"
#include "simulator/RegisterSimulator.h"

namespace orn::soak {
namespace {

using Kind = simulator::FiscalOperation::Kind;

TEST(ExactlyOnceOnANoisyLineTest,
     ACashOutWhoseAcknowledgementIsLostAndWhoseAnswerIsNotKeptIsRegisteredOnce) {
  platform::MemoryPlatform memory;
  platform::MemoryPortProvider ports(memory.clock);
  simulator::RegisterSimulator sim;
  ports.Attach(1, sim);
  config::DriverLog log(memory.files, memory.clock);
  device::FiscalDevice device(ports, memory.clock, log);
  device.SetConnection(1, 4800);
  device.SetPassword(30);
  ASSERT_TRUE(device.Port().Open(1, 4800));
  int cashOuts = 0;
  sim.SetOperationObserver([&](const simulator::FiscalOperation& operation) {
    if (operation.kind == Kind::kCashOut) ++cashOuts;
  });
  ASSERT_TRUE(device.CashIn(500000));

  // The register's replies to the cash out: NAK to the ENQ, then ACK to the frame.
  sim.Faults().dropSent = {sim.Counters().bytesSent + 2};
  sim.Faults().forgottenAnswers = {sim.Counters().framesReceived + 1};
  const bool done = device.CashOut(111179);
  EXPECT_EQ(cashOuts, 1) << "the call returned " << done;
  // A retry of the call after a failure must not register it either.
  if (!done) device.CashOut(111179);
  EXPECT_EQ(cashOuts, 1);
}

}  // namespace
}  // namespace orn::soak
