#pragma once
// errno as an OsError.

#include "platform/OsError.h"

namespace orn::platform {

OsError ErrnoError(int code);

}  // namespace orn::platform
