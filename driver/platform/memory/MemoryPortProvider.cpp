#include "platform/memory/MemoryPortProvider.h"

#include <algorithm>

namespace orn::platform {

namespace {
// Win32's code for an open that did not return in time.
const OsError kOpenTimedOut = {1460, "This operation returned because the timeout period expired.",
                               false};
}  // namespace

CommPort* MemoryPortProvider::Acquire(int portNumber) {
  OsError& error = ErrorOf(portNumber);
  error.Clear();
  if (!ValidPort(portNumber) || open_.count(portNumber)) return nullptr;
  // The failures of CreateFile on a COM port, with Win32's codes.
  if (missing_[portNumber]) {
    error = {2, "The system cannot find the file specified.", false};
    return nullptr;
  }
  if (held_[portNumber]) {
    error = {32, "The process cannot access the file because it is being used by another process.",
             true};
    return nullptr;
  }
  if (leftBehind_[portNumber]) {
    error = kOpenTimedOut;
    return nullptr;
  }
  const uint32_t openTime = openTimes_[portNumber];
  clock_.Advance(std::min(openTime, kPortOpenBoundMs));
  if (openTime > kPortOpenBoundMs) {
    leftBehind_[portNumber] = true;
    error = kOpenTimedOut;
    return nullptr;
  }
  auto peer = peers_.find(portNumber);
  auto port =
      std::make_unique<MemoryCommPort>(clock_, peer == peers_.end() ? nullptr : peer->second);
  MemoryCommPort* result = port.get();
  result->FailSetState(broken_[portNumber]);
  open_[portNumber] = std::move(port);
  acquiredOrder_.push_back(portNumber);
  ++acquires_;
  return result;
}

bool MemoryPortProvider::Release(int portNumber) {
  if (!open_.erase(portNumber)) return false;
  ++releases_;
  return true;
}

void MemoryPortProvider::RunSideBySide(size_t count, const std::function<void(size_t)>& job) {
  const uint64_t start = clock_.Elapsed();
  uint64_t latest = start;
  for (size_t turn = 0; turn < count; ++turn) {
    clock_.RewindTo(start);
    job(lastFirst_ ? count - 1 - turn : turn);
    latest = std::max(latest, clock_.Elapsed());
  }
  clock_.RewindTo(start);
  clock_.Advance(latest - start);
}

void MemoryPortProvider::SetMissing(int portNumber, bool missing) {
  missing_[portNumber] = missing;
}

MemoryCommPort* MemoryPortProvider::Port(int portNumber) {
  auto it = open_.find(portNumber);
  return it == open_.end() ? nullptr : it->second.get();
}

}  // namespace orn::platform
