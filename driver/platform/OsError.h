#pragma once
// An OS failure as the OS reported it, kept where it happened so that the layers above
// can log it and tell a port held by another program from a register that does not answer.

#include <cstdint>
#include <string>

namespace orn::platform {

struct OsError {
  uint32_t code = 0;       // GetLastError() or errno; 0 when the OS reported nothing
  std::string text;        // the OS's own text for the code, where it has one
  bool portInUse = false;  // the port is held by another program

  void Clear() {
    code = 0;
    text.clear();
    portInUse = false;
  }
};

}  // namespace orn::platform
