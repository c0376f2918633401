#pragma once
// The bundle of native Linux tools: system clock and files, table code pages, and a
// registry kept in a REGEDIT4 file.

#include <string>

#include "platform/Platform.h"
#include "platform/portable/TableTextConverter.h"
#include "platform/posix/PosixClock.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixRegistry.h"

namespace orn::platform {

struct PosixPlatform {
  explicit PosixPlatform(std::string registryFile) : registry(std::move(registryFile)) {}

  PosixClock clock;
  TableTextConverter text;
  PosixFileSystem files;
  PosixRegistry registry;

  Platform Bundle() { return Platform{clock, text, files, registry}; }
};

}  // namespace orn::platform
