#include "platform/posix/PosixError.h"

#include <cerrno>
#include <cstring>

namespace orn::platform {

OsError ErrnoError(int code) {
  OsError error;
  error.code = uint32_t(code);
  error.text = std::strerror(code);
  // EWOULDBLOCK: another program's lock; EBUSY: a device opened exclusively elsewhere.
  error.portInUse = code == EWOULDBLOCK || code == EBUSY;
  return error;
}

}  // namespace orn::platform
