#pragma once
// The product's bundle: thin wrappers over the Win32 API.

#include "platform/Platform.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32TextConverter.h"

namespace orn::platform {

struct Win32Platform {
  Win32Clock clock;
  Win32TextConverter text;
  Win32FileSystem files;
  Win32Registry registry;

  Platform Bundle() { return Platform{clock, text, files, registry}; }
};

}  // namespace orn::platform
