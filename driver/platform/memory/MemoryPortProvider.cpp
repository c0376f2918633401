#include "platform/memory/MemoryPortProvider.h"

namespace orn::platform {

CommPort* MemoryPortProvider::Acquire(int portNumber) {
  lastError_.Clear();
  if (portNumber < 1 || portNumber > 32 || open_.count(portNumber)) return nullptr;
  // The failures of CreateFile on a COM port, with Win32's codes.
  if (missing_[portNumber]) {
    lastError_ = {2, "The system cannot find the file specified.", false};
    return nullptr;
  }
  if (held_[portNumber]) {
    lastError_ = {32,
                  "The process cannot access the file because it is being used by another process.",
                  true};
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

void MemoryPortProvider::SetMissing(int portNumber, bool missing) {
  missing_[portNumber] = missing;
}

MemoryCommPort* MemoryPortProvider::Port(int portNumber) {
  auto it = open_.find(portNumber);
  return it == open_.end() ? nullptr : it->second.get();
}

}  // namespace orn::platform
