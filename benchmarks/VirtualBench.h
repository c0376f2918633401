#pragma once
// A service object on the virtual line with a register simulator that answers at once and
// prints at once: what is left of a receipt's time is the wire and the driver. The OS
// services and the port sit behind the OS boundary and the line meter.

#include <cstdint>

#include "MeteredPorts.h"
#include "OsBoundary.h"
#include "config/DriverLog.h"
#include "device/FiscalDevice.h"
#include "platform/memory/MemoryPlatform.h"
#include "platform/memory/MemoryPortProvider.h"
#include "service/FptrService.h"
#include "simulator/RegisterSimulator.h"

namespace orn::benchmarks {

// The simulator of a register at `baudRate` that wastes no time of its own.
simulator::SimulatorConfig PromptRegister(uint32_t baudRate);

struct VirtualBench {
  // The device is configured at `configuredBaud`; the register listens at `registerBaud`.
  VirtualBench(uint32_t configuredBaud, uint32_t registerBaud, bool logEnabled);

  // Opens COM1 for `device`, the link alone, for exchanges without the service object.
  bool OpenLink();

  // Virtual time since the bench was made, in microseconds.
  uint64_t ElapsedUs() const { return memory.clock.Elapsed() * 1000; }

  platform::MemoryPlatform memory;
  OsBoundary os;
  platform::MemoryPortProvider line;
  MeteredPorts ports;
  simulator::RegisterSimulator sim;
  service::FptrService service;
  // The link layer alone, on the same line.
  config::DriverLog log;
  device::FiscalDevice device;

 private:
  uint32_t configuredBaud_;
  bool logEnabled_;
};

// Wire time of `bytes` at `baudRate`, ten bits a byte, in microseconds.
double WireTimeUs(uint64_t bytes, uint32_t baudRate);

}  // namespace orn::benchmarks
