#pragma once
// The ports of a virtual machine, each a virtual line to an in-process peer.

#include <map>
#include <memory>
#include <vector>

#include "platform/memory/MemoryCommPort.h"

namespace orn::platform {

// Ports 1..32 of a virtual machine: each can have a peer attached, be missing, or be
// empty (present, but nothing answers).
class MemoryPortProvider : public PortProvider {
 public:
  explicit MemoryPortProvider(MemoryClock& clock) : clock_(clock) {}

  CommPort* Acquire(int portNumber) override;
  bool Release(int portNumber) override;

  void Attach(int portNumber, LinePeer& peer) { peers_[portNumber] = &peer; }
  void SetMissing(int portNumber, bool missing);
  // Another program holds the port: it cannot be acquired.
  void SetHeld(int portNumber, bool held) { held_[portNumber] = held; }
  // Ports acquired from now on refuse their line settings.
  void SetBroken(int portNumber, bool broken) { broken_[portNumber] = broken; }
  // The port handed out for a number (null when not acquired).
  MemoryCommPort* Port(int portNumber);
  int AcquireCount() const { return acquires_; }
  int ReleaseCount() const { return releases_; }
  const std::vector<int>& AcquiredPorts() const { return acquiredOrder_; }

 private:
  MemoryClock& clock_;
  std::map<int, LinePeer*> peers_;
  std::map<int, bool> missing_;
  std::map<int, bool> broken_;
  std::map<int, bool> held_;
  std::map<int, std::unique_ptr<MemoryCommPort>> open_;
  std::vector<int> acquiredOrder_;
  int acquires_ = 0;
  int releases_ = 0;
};

}  // namespace orn::platform
