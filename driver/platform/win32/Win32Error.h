#pragma once
// GetLastError() as an OsError, with the system's text for it.

#include <windows.h>

#include "platform/OsError.h"

namespace orn::platform {

OsError Win32Error(DWORD code);

}  // namespace orn::platform
