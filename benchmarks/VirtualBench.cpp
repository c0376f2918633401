#include "VirtualBench.h"

#include "SalesReceipt.h"

namespace orn::benchmarks {

simulator::SimulatorConfig PromptRegister(uint32_t baudRate) {
  simulator::SimulatorConfig config;
  config.baudRate = baudRate;
  config.timing.replyDelayMs = 0;
  config.timing.answerDelayMs = 0;
  config.printing.lineMs = 0;
  return config;
}

VirtualBench::VirtualBench(uint32_t configuredBaud, uint32_t registerBaud, bool logEnabled)
    : os(memory.Bundle()),
      line(memory.clock),
      ports(line),
      sim(PromptRegister(registerBaud)),
      service(os.Bundle(), ports),
      log(os.files, os.clock),
      device(ports, os.clock, log),
      configuredBaud_(configuredBaud),
      logEnabled_(logEnabled) {
  memory.registry.ImportReg(DeviceConfiguration(configuredBaud, logEnabled));
  line.Attach(1, sim);
}

bool VirtualBench::OpenLink() {
  log.SetEnabled(logEnabled_);
  log.SetFileName("C:\\Link.log");  // the service object's log keeps its own file open
  device.SetConnection(1, configuredBaud_);
  device.SetPassword(kOperatorPassword);
  return device.Port().Open(1, configuredBaud_);
}

double WireTimeUs(uint64_t bytes, uint32_t baudRate) {
  return double(bytes) * 10.0 * 1e6 / double(baudRate);
}

}  // namespace orn::benchmarks
