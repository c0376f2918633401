#pragma once
// The bundle of OS services handed to the driver when it is made: the Win32 one in the
// product, the memory one in tests, the POSIX one in native tools.

#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/TextConverter.h"

namespace orn::platform {

struct Platform {
  Clock& clock;
  TextConverter& text;
  FileSystem& files;
  Registry& registry;
};

}  // namespace orn::platform
