#pragma once
// Serial devices by COM port number, for native tools and tests.

#include <memory>
#include <string>

#include "platform/posix/PosixCommPort.h"

namespace orn::platform {

// Port numbers mapped to device paths: by default N is /dev/ttyS(N-1); a path can be
// given for any number (a pseudo-terminal, a USB adapter). A device opens without waiting
// (O_NONBLOCK: no wait for a carrier), so no open needs a bound here.
class PosixPortProvider : public PortProvider {
 public:
  PosixPortProvider() = default;
  void SetPath(int portNumber, std::string path);

  CommPort* Acquire(int portNumber) override;
  bool Release(int portNumber) override;
  // A thread for each job.
  void RunSideBySide(size_t count, const std::function<void(size_t)>& job) override;

 private:
  std::string PathOf(int portNumber) const;
  std::string paths_[kLastPortNumber + 1];
  std::unique_ptr<PosixCommPort> ports_[kLastPortNumber + 1];
};

}  // namespace orn::platform
