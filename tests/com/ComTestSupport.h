#pragma once
// What the COM server's tests under wine share: the DLL beside the test program, regsvr32,
// the registry read back as a tree, and owned COM pointers and strings.

#include <windows.h>

#include <oleauto.h>

#include <map>
#include <string>

namespace orn::comtest {

// The full path of OrnDriver.dll (in the test program's folder).
std::wstring DriverPath();

// Runs "regsvr32 /s [/u] DLL" and returns its exit code (or -1 when it could not be run).
int RunRegsvr32(bool unregister);

// Every key below HKEY_CLASSES_ROOT\<path> (its own path included, relative to HKCR) with its
// values: text as is, numbers as "#n". Read in the server's own view of the registry.
using Values = std::map<std::wstring, std::wstring>;
using KeyTree = std::map<std::wstring, Values>;
KeyTree ReadTree(const std::wstring& path);
bool KeyExists(const std::wstring& path);

// "{XXXXXXXX-...}" of a GUID.
std::wstring GuidText(REFGUID guid);

// The server's platform in the type library: SYS_WIN32 or SYS_WIN64.
constexpr SYSKIND kSysKind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { Reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  T* operator->() const { return pointer_; }
  T* Get() const { return pointer_; }
  T** Out() {
    Reset();
    return &pointer_;
  }
  void** OutVoid() { return reinterpret_cast<void**>(Out()); }
  void Reset() {
    if (pointer_) pointer_->Release();
    pointer_ = nullptr;
  }

 private:
  T* pointer_ = nullptr;
};

class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(const wchar_t* text) : text_(::SysAllocString(text)) {}
  ~Bstr() { ::SysFreeString(text_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR Get() const { return text_; }
  BSTR* Out() {
    ::SysFreeString(text_);
    text_ = nullptr;
    return &text_;
  }
  std::wstring Text() const { return text_ ? std::wstring(text_, ::SysStringLen(text_)) : L""; }

 private:
  BSTR text_ = nullptr;
};

}  // namespace orn::comtest
