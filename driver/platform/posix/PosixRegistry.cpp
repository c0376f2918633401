#include "platform/posix/PosixRegistry.h"

#include <fstream>
#include <sstream>

namespace orn::platform {

PosixRegistry::PosixRegistry(std::string path) : path_(std::move(path)) {
  if (path_.empty()) return;
  std::ifstream in(path_, std::ios::binary);
  if (!in) return;
  std::stringstream text;
  text << in.rdbuf();
  loaded_ = ImportReg(text.str());
}

long PosixRegistry::CreateKey(std::string_view path, RegAccess access, RegKey& key) {
  const bool existed = KeyExists(path);
  long code = MemoryRegistry::CreateKey(path, access, key);
  if (code == kErrorSuccess && !existed) Save();
  return code;
}

long PosixRegistry::SetValue(RegKey key, const char* name, uint32_t type, const uint8_t* data,
                             uint32_t size) {
  long code = MemoryRegistry::SetValue(key, name, type, data, size);
  if (code == kErrorSuccess) Save();
  return code;
}

void PosixRegistry::Save() {
  if (path_.empty()) return;  // a registry for this run only
  const std::string temporary = path_ + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return;
    out << ExportReg();
    if (!out) return;
  }
  std::rename(temporary.c_str(), path_.c_str());
}

}  // namespace orn::platform
