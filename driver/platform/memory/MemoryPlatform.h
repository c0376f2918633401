#pragma once
// The memory bundle for tests: virtual clock, table code pages, in-memory files and
// registry, all inspectable.

#include "platform/Platform.h"
#include "platform/memory/MemoryClock.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/portable/TableTextConverter.h"

namespace orn::platform {

struct MemoryPlatform {
  MemoryClock clock;
  TableTextConverter text;
  MemoryFileSystem files;
  MemoryRegistry registry;

  Platform Bundle() { return Platform{clock, text, files, registry}; }
};

}  // namespace orn::platform
