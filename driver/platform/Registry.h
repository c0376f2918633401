#pragma once
// The registry under HKEY_LOCAL_MACHINE, shaped like the Reg*A calls: every call returns
// the Win32 error code (0 on success) so that callers can log it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orn::platform {

using RegKey = uintptr_t;
inline constexpr RegKey kNoKey = 0;

enum class RegAccess { kRead, kWrite, kReadWrite };

// Win32 error codes and value types used across the seam.
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorInvalidData = 13;
inline constexpr long kErrorMoreData = 234;
inline constexpr long kErrorNoMoreItems = 259;

inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegDword = 4;

class Registry {
 public:
  virtual ~Registry() = default;

  // RegOpenKeyExA(HKEY_LOCAL_MACHINE, path): an existing key only.
  virtual long OpenKey(std::string_view path, RegAccess access, RegKey& key) = 0;
  // RegCreateKeyExA(HKEY_LOCAL_MACHINE, path): creates missing keys on the way.
  virtual long CreateKey(std::string_view path, RegAccess access, RegKey& key) = 0;
  // RegQueryValueExA: `size` is the buffer size in, the data size out. kErrorMoreData when
  // the value does not fit. `type` and `data` may be null.
  virtual long QueryValue(RegKey key, const char* name, uint32_t* type, uint8_t* data,
                          uint32_t* size) = 0;
  // RegSetValueExA. A key opened for reading only gives kErrorAccessDenied.
  virtual long SetValue(RegKey key, const char* name, uint32_t type, const uint8_t* data,
                        uint32_t size) = 0;
  // RegQueryInfoKeyA and one RegEnumValueA per index: every value name, in the order the
  // registry enumerates them.
  virtual long ValueNames(RegKey key, std::vector<std::string>& names) = 0;
  virtual void CloseKey(RegKey key) = 0;

  // A REG_DWORD value of exactly four bytes; anything else fails like a missing value.
  long QueryDword(RegKey key, const char* name, uint32_t& value);
  // A REG_SZ value into a buffer of `capacity` bytes, terminating zero included; a value
  // that does not fit fails with kErrorMoreData.
  long QueryString(RegKey key, const char* name, std::string& value, uint32_t capacity);
  long SetDword(RegKey key, const char* name, uint32_t value);
  long SetString(RegKey key, const char* name, std::string_view value);
};

}  // namespace orn::platform
