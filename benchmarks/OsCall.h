#pragma once
// The boundary between the driver and the OS it runs on. Heap allocations are counted by a
// replaced global operator new, and instructions by callgrind while a measurement collects;
// work done on the OS's behalf (the virtual line, the simulator, the memory registry) runs
// inside an OsCall and is left out of both.

#include <cstdint>

namespace orn::benchmarks {

uint64_t Allocations();

// Instructions are collected (under callgrind, started with --collect-atstart=no) from
// Start to Stop, outside OsCalls.
void StartCollecting();
void StopCollecting();

class OsCall {
 public:
  OsCall();
  ~OsCall();
  OsCall(const OsCall&) = delete;
  OsCall& operator=(const OsCall&) = delete;
};

}  // namespace orn::benchmarks
