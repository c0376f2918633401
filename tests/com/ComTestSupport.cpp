#include "ComTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace orn::comtest {

namespace {

// The server's own view of the registry, named explicitly so that a 64-bit test reads the
// 64-bit view and a 32-bit one the 32-bit view.
constexpr REGSAM kView = sizeof(void*) == 8 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;

void ReadInto(HKEY parent, const std::wstring& path, KeyTree& tree) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ | kView, &key) != ERROR_SUCCESS) return;
  Values& values = tree[path];
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD nameLength = 256;
    BYTE data[2048];
    DWORD size = sizeof data;
    DWORD type = 0;
    if (::RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS)
      break;
    if (type == REG_DWORD) {
      values[name] = L"#" + std::to_wstring(*reinterpret_cast<DWORD*>(data));
    } else {
      values[name] = std::wstring(reinterpret_cast<wchar_t*>(data), size / sizeof(wchar_t));
      while (!values[name].empty() && values[name].back() == L'\0') values[name].pop_back();
    }
  }
  std::vector<std::wstring> subkeys;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD nameLength = 256;
    if (::RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    subkeys.push_back(name);
  }
  ::RegCloseKey(key);
  for (const std::wstring& subkey : subkeys) ReadInto(parent, path + L"\\" + subkey, tree);
}

}  // namespace

std::wstring DriverPath() {
  wchar_t path[MAX_PATH];
  DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  folder.erase(folder.find_last_of(L"\\/") + 1);
  return folder + L"OrnDriver.dll";
}

int RunRegsvr32(bool unregister) {
  std::wstring command = L"regsvr32.exe /s ";
  if (unregister) command += L"/u ";
  command += L"\"" + DriverPath() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    return -1;
  }
  DWORD code = static_cast<DWORD>(-1);
  if (::WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
    ::GetExitCodeProcess(process.hProcess, &code);
  } else {
    ::TerminateProcess(process.hProcess, code);
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

KeyTree ReadTree(const std::wstring& path) {
  KeyTree tree;
  ReadInto(HKEY_CLASSES_ROOT, path, tree);
  return tree;
}

bool KeyExists(const std::wstring& path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ | kView, &key) != ERROR_SUCCESS)
    return false;
  ::RegCloseKey(key);
  return true;
}

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40];
  int length = ::StringFromGUID2(guid, text, 40);
  return std::wstring(text, length > 0 ? length - 1 : 0);
}

namespace {

// COM for the whole program, and the server registered as an installation leaves it.
class ComEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    ASSERT_EQ(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    ASSERT_EQ(RunRegsvr32(false), 0);
  }
  void TearDown() override { ::CoUninitialize(); }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new ComEnvironment);

}  // namespace

}  // namespace orn::comtest
