#pragma once
// Serial devices by COM port number, for native tools and tests.

#include <memory>
#include <string>

#include "platform/posix/PosixCommPort.h"

namespace orn::platform {

// Port numbers mapped to device paths: by default N is /dev/ttyS(N-1); a path can be
// given for any number (a pseudo-terminal, a USB adapter).
class PosixPortProvider : public PortProvider {
 public:
  PosixPortProvider() = default;
  void SetPath(int portNumber, std::string path);

  CommPort* Acquire(int portNumber) override;
  bool Release(int portNumber) override;

 private:
  std::string PathOf(int portNumber) const;
  std::string paths_[33];
  std::unique_ptr<PosixCommPort> ports_[33];
};

}  // namespace orn::platform
