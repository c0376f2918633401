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

  // An open takes the port's open time on the virtual clock; one longer than the bound is
  // given up at the bound, and the port stays unobtainable, as its open never returned.
  CommPort* Acquire(int portNumber) override;
  bool Release(int portNumber) override;
  // The jobs run one after the other on this thread, each from the moment they all
  // started; the clock is left at the latest end, as if they had run at once.
  void RunSideBySide(size_t count, const std::function<void(size_t)>& job) override;

  void Attach(int portNumber, LinePeer& peer) { peers_[portNumber] = &peer; }
  void SetMissing(int portNumber, bool missing);
  // How long opening the port takes (0 by default).
  void SetOpenTime(int portNumber, uint32_t milliseconds) { openTimes_[portNumber] = milliseconds; }
  // Jobs side by side run last first: whatever runs beside what must not hang on it.
  void RunSideBySideLastFirst(bool lastFirst) { lastFirst_ = lastFirst; }
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
  std::map<int, uint32_t> openTimes_;
  std::map<int, bool> leftBehind_;  // an open given up at the bound
  bool lastFirst_ = false;
  std::map<int, std::unique_ptr<MemoryCommPort>> open_;
  std::vector<int> acquiredOrder_;
  int acquires_ = 0;
  int releases_ = 0;
};

}  // namespace orn::platform
