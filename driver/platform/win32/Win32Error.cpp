#include "platform/win32/Win32Error.h"

namespace orn::platform {

OsError Win32Error(DWORD code) {
  OsError error;
  error.code = code;
  // A COM port that another program has open refuses a second CreateFile.
  error.portInUse = code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION;
  if (code == 0) return error;
  char text[256] = {};
  const DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, text, sizeof text, nullptr);
  error.text.assign(text, length);
  // The system's texts end in a line break (and often a full stop before it).
  while (!error.text.empty() && (error.text.back() == '\n' || error.text.back() == '\r' ||
                                 error.text.back() == ' ' || error.text.back() == '.'))
    error.text.pop_back();
  return error;
}

}  // namespace orn::platform
