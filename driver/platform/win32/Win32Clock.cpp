#include "platform/win32/Win32Clock.h"

#include <windows.h>

namespace orn::platform {

uint32_t Win32Clock::TickCount() {
  return ::GetTickCount();
}

void Win32Clock::Sleep(uint32_t milliseconds) {
  ::Sleep(milliseconds);
}

LocalTime Win32Clock::Now() {
  SYSTEMTIME t{};
  ::GetLocalTime(&t);
  return LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

}  // namespace orn::platform
