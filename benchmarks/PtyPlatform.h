#pragma once
// The bundle of the measurements on pseudo-terminals: the system clock (they run in real
// time); registry and log in memory.

#include "platform/Platform.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/portable/TableTextConverter.h"
#include "platform/posix/PosixClock.h"

namespace orn::benchmarks {

struct PtyPlatform {
  platform::PosixClock clock;
  platform::TableTextConverter text;
  platform::MemoryFileSystem files;
  platform::MemoryRegistry registry;
  platform::Platform Bundle() { return platform::Platform{clock, text, files, registry}; }
};

}  // namespace orn::benchmarks
