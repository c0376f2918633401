#include "ClassesRootRegistry.h"

#include <windows.h>

#include <string>

namespace orn::com {

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16");

std::wstring Wide(std::u16string_view text) {
  return std::wstring(text.begin(), text.end());
}

// An open key of HKEY_CLASSES_ROOT, closed when it goes out of scope.
class OpenedKey {
 public:
  OpenedKey(std::u16string_view path, REGSAM access) {
    result_ = ::RegOpenKeyExW(HKEY_CLASSES_ROOT, Wide(path).c_str(), 0, access, &key_);
  }
  ~OpenedKey() {
    if (result_ == ERROR_SUCCESS) ::RegCloseKey(key_);
  }
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;

  LONG Result() const { return result_; }
  HKEY Handle() const { return key_; }

 private:
  HKEY key_ = nullptr;
  LONG result_ = ERROR_INVALID_HANDLE;
};

bool SetValue(std::u16string_view path, std::u16string_view name, DWORD type, const void* data,
              DWORD size) {
  OpenedKey key(path, KEY_SET_VALUE);
  if (key.Result() != ERROR_SUCCESS) return false;
  std::wstring valueName = Wide(name);
  return ::RegSetValueExW(key.Handle(), valueName.empty() ? nullptr : valueName.c_str(), 0, type,
                          static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

}  // namespace

bool ClassesRootRegistry::CreateKey(std::u16string_view path) {
  HKEY key = nullptr;
  LONG result = ::RegCreateKeyExW(HKEY_CLASSES_ROOT, Wide(path).c_str(), 0, nullptr,
                                  REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key, nullptr);
  if (result != ERROR_SUCCESS) return false;
  ::RegCloseKey(key);
  return true;
}

bool ClassesRootRegistry::KeyExists(std::u16string_view path) {
  return OpenedKey(path, KEY_READ).Result() == ERROR_SUCCESS;
}

bool ClassesRootRegistry::SetString(std::u16string_view path, std::u16string_view name,
                                    std::u16string_view value) {
  std::wstring text = Wide(value);
  return SetValue(path, name, REG_SZ, text.c_str(),
                  static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

bool ClassesRootRegistry::SetNumber(std::u16string_view path, std::u16string_view name,
                                    uint32_t value) {
  DWORD number = value;
  return SetValue(path, name, REG_DWORD, &number, sizeof number);
}

bool ClassesRootRegistry::DeleteTree(std::u16string_view path) {
  LONG result = ::RegDeleteTreeW(HKEY_CLASSES_ROOT, Wide(path).c_str());
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

bool ClassesRootRegistry::DeleteValue(std::u16string_view path, std::u16string_view name) {
  OpenedKey key(path, KEY_SET_VALUE);
  if (key.Result() == ERROR_FILE_NOT_FOUND) return true;
  if (key.Result() != ERROR_SUCCESS) return false;
  std::wstring valueName = Wide(name);
  LONG result = ::RegDeleteValueW(key.Handle(), valueName.empty() ? nullptr : valueName.c_str());
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

}  // namespace orn::com
