#include "FileVersion.h"

#include <windows.h>

#include <vector>

namespace orn::bench {
namespace {

std::wstring ProgramPath() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

}  // namespace

std::wstring FileVersionText() {
  const std::wstring path = ProgramPath();
  DWORD handle = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &handle);
  DWORD high = 0;
  DWORD low = 0;
  if (size) {
    std::vector<BYTE> data(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (::GetFileVersionInfoW(path.c_str(), 0, size, data.data()) &&
        ::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
      high = fixed->dwFileVersionMS;
      low = fixed->dwFileVersionLS;
    }
  }
  wchar_t text[64];
  ::wsprintfW(text, L"%d.%d.%d.%d", HIWORD(high), LOWORD(high), HIWORD(low), LOWORD(low));
  return text;
}

std::wstring FileDateText() {
  WIN32_FILE_ATTRIBUTE_DATA attributes;
  FILETIME local;
  SYSTEMTIME time;
  if (!::GetFileAttributesExW(ProgramPath().c_str(), GetFileExInfoStandard, &attributes) ||
      !::FileTimeToLocalFileTime(&attributes.ftLastWriteTime, &local) ||
      !::FileTimeToSystemTime(&local, &time)) {
    return L"неизвестна";
  }
  wchar_t date[64] = {};
  wchar_t clock[64] = {};
  ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, 64);
  ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, 64);
  return std::wstring(date) + L" " + clock;
}

}  // namespace orn::bench
