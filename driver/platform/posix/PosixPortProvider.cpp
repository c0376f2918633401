#include "platform/posix/PosixPortProvider.h"

namespace orn::platform {

void PosixPortProvider::SetPath(int portNumber, std::string path) {
  if (portNumber >= 1 && portNumber <= 32) paths_[portNumber] = std::move(path);
}

std::string PosixPortProvider::PathOf(int portNumber) const {
  if (!paths_[portNumber].empty()) return paths_[portNumber];
  return "/dev/ttyS" + std::to_string(portNumber - 1);
}

CommPort* PosixPortProvider::Acquire(int portNumber) {
  lastError_.Clear();
  if (portNumber < 1 || portNumber > 32 || ports_[portNumber]) return nullptr;
  ports_[portNumber] = PosixCommPort::OpenDevice(PathOf(portNumber), lastError_);
  return ports_[portNumber].get();
}

bool PosixPortProvider::Release(int portNumber) {
  if (portNumber < 1 || portNumber > 32 || !ports_[portNumber]) return false;
  ports_[portNumber].reset();
  return true;
}

}  // namespace orn::platform
