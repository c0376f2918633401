#pragma once
// An in-memory registry for tests: keys and value names compare without regard to case,
// values enumerate in the order they were first written (as Windows does), and any key can
// be made read-only to test write failures. It reads and writes REGEDIT4 text, so a sample
// .reg file can preload it.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace orn::platform {

class MemoryRegistry : public Registry {
 public:
  long OpenKey(std::string_view path, RegAccess access, RegKey& key) override;
  long CreateKey(std::string_view path, RegAccess access, RegKey& key) override;
  long QueryValue(RegKey key, const char* name, uint32_t* type, uint8_t* data,
                  uint32_t* size) override;
  long SetValue(RegKey key, const char* name, uint32_t type, const uint8_t* data,
                uint32_t size) override;
  long ValueNames(RegKey key, std::vector<std::string>& names) override;
  void CloseKey(RegKey key) override;

  // Test controls and inspection.
  bool KeyExists(std::string_view path) const;
  void DeleteKey(std::string_view path);  // with its sub keys
  void DeleteValue(std::string_view path, const char* name);
  // A read-only key refuses writes of its values and new sub keys.
  void SetReadOnly(std::string_view path, bool readOnly);
  int OpenKeyCount() const { return int(handles_.size()); }
  int WriteCount() const { return writes_; }

  // REGEDIT4 text (keys under [HKEY_LOCAL_MACHINE\...], "name"="text" and
  // "name"=dword:xxxxxxxx values, @ for the default value). Returns false on a line it
  // cannot read; what came before it is kept.
  bool ImportReg(std::string_view text);
  std::string ExportReg() const;

 private:
  struct Value {
    std::string name;
    uint32_t type = 0;
    std::vector<uint8_t> data;
  };
  struct Key {
    std::string path;  // as first written
    std::vector<Value> values;
    bool readOnly = false;
  };
  struct Handle {
    std::string id;  // folded path
    RegAccess access;
  };

  static std::string Fold(std::string_view path);
  Key* Find(RegKey key);
  Value* FindValue(Key& key, const char* name);

  std::map<std::string, Key> keys_;  // by folded path
  std::map<RegKey, Handle> handles_;
  RegKey nextHandle_ = 1;
  int writes_ = 0;
};

}  // namespace orn::platform
