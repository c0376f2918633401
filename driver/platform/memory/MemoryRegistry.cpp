#include "platform/memory/MemoryRegistry.h"

#include <cstdio>
#include <cstring>

namespace orn::platform {

namespace {

constexpr std::string_view kRoot = "HKEY_LOCAL_MACHINE\\";

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// Reads a quoted REGEDIT4 string starting at text[pos] == '"'; pos ends after the quote.
bool ReadQuoted(std::string_view text, size_t& pos, std::string& out) {
  if (pos >= text.size() || text[pos] != '"') return false;
  out.clear();
  for (++pos; pos < text.size(); ++pos) {
    char c = text[pos];
    if (c == '"') {
      ++pos;
      return true;
    }
    if (c == '\\' && pos + 1 < text.size()) c = text[++pos];
    out.push_back(c);
  }
  return false;
}

std::string Quote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out.push_back('\\');
    out.push_back(c);
  }
  return out + "\"";
}

}  // namespace

std::string MemoryRegistry::Fold(std::string_view path) {
  std::string out;
  for (char c : path) {
    if (c == '\\' && (out.empty() || out.back() == '\\')) continue;
    out.push_back(c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c);
  }
  while (!out.empty() && out.back() == '\\') out.pop_back();
  return out;
}

MemoryRegistry::Key* MemoryRegistry::Find(RegKey key) {
  auto handle = handles_.find(key);
  if (handle == handles_.end()) return nullptr;
  auto it = keys_.find(handle->second.id);
  return it == keys_.end() ? nullptr : &it->second;
}

MemoryRegistry::Value* MemoryRegistry::FindValue(Key& key, const char* name) {
  std::string_view wanted = name ? name : "";
  for (Value& value : key.values)
    if (SameName(value.name, wanted)) return &value;
  return nullptr;
}

long MemoryRegistry::OpenKey(std::string_view path, RegAccess access, RegKey& key) {
  auto it = keys_.find(Fold(path));
  if (it == keys_.end()) return kErrorFileNotFound;
  if (access != RegAccess::kRead && it->second.readOnly) return kErrorAccessDenied;
  key = nextHandle_++;
  handles_[key] = Handle{it->first, access};
  return kErrorSuccess;
}

long MemoryRegistry::CreateKey(std::string_view path, RegAccess access, RegKey& key) {
  std::string folded = Fold(path);
  if (folded.empty()) return kErrorAccessDenied;
  // Every parent exists as a key of its own, as in the real registry. A key that refuses
  // writes refuses new sub keys too.
  const Key* parent = nullptr;
  for (size_t end = folded.find('\\');; end = folded.find('\\', end + 1)) {
    const std::string id = folded.substr(0, end);
    auto it = keys_.find(id);
    if (it == keys_.end()) {
      if (parent && parent->readOnly) return kErrorAccessDenied;
      it = keys_.emplace(id, Key{}).first;
      it->second.path = std::string(path).substr(0, id.size());
    }
    parent = &it->second;
    if (end == std::string::npos) break;
  }
  return OpenKey(path, access, key);
}

long MemoryRegistry::QueryValue(RegKey key, const char* name, uint32_t* type, uint8_t* data,
                                uint32_t* size) {
  Key* found = Find(key);
  if (!found) return kErrorInvalidHandle;
  if (handles_[key].access == RegAccess::kWrite) return kErrorAccessDenied;
  Value* value = FindValue(*found, name);
  if (!value) return kErrorFileNotFound;
  if (type) *type = value->type;
  const uint32_t needed = uint32_t(value->data.size());
  if (data && size && *size < needed) {
    *size = needed;
    return kErrorMoreData;
  }
  if (data && needed) std::memcpy(data, value->data.data(), needed);
  if (size) *size = needed;
  return kErrorSuccess;
}

long MemoryRegistry::SetValue(RegKey key, const char* name, uint32_t type, const uint8_t* data,
                              uint32_t size) {
  Key* found = Find(key);
  if (!found) return kErrorInvalidHandle;
  if (handles_[key].access == RegAccess::kRead || found->readOnly) return kErrorAccessDenied;
  Value* value = FindValue(*found, name);
  if (!value) {
    found->values.push_back(Value{name ? name : "", type, {}});
    value = &found->values.back();
  }
  value->type = type;
  value->data.assign(data, data + size);
  ++writes_;
  return kErrorSuccess;
}

long MemoryRegistry::ValueNames(RegKey key, std::vector<std::string>& names) {
  Key* found = Find(key);
  if (!found) return kErrorInvalidHandle;
  names.clear();
  for (const Value& value : found->values) names.push_back(value.name);
  return kErrorSuccess;
}

void MemoryRegistry::CloseKey(RegKey key) {
  handles_.erase(key);
}

bool MemoryRegistry::KeyExists(std::string_view path) const {
  return keys_.count(Fold(path));
}

void MemoryRegistry::DeleteKey(std::string_view path) {
  const std::string id = Fold(path);
  for (auto it = keys_.begin(); it != keys_.end();) {
    const bool inside = it->first == id ||
                        (it->first.size() > id.size() && it->first.compare(0, id.size(), id) == 0 &&
                         it->first[id.size()] == '\\');
    it = inside ? keys_.erase(it) : std::next(it);
  }
}

void MemoryRegistry::DeleteValue(std::string_view path, const char* name) {
  auto it = keys_.find(Fold(path));
  if (it == keys_.end()) return;
  std::erase_if(it->second.values,
                [name](const Value& value) { return SameName(value.name, name); });
}

void MemoryRegistry::SetReadOnly(std::string_view path, bool readOnly) {
  auto it = keys_.find(Fold(path));
  if (it != keys_.end()) it->second.readOnly = readOnly;
}

bool MemoryRegistry::ImportReg(std::string_view text) {
  RegKey current = kNoKey;
  bool ok = true;
  size_t start = 0;
  while (ok && start < text.size()) {
    size_t end = text.find('\n', start);
    std::string_view line = text.substr(start, end == std::string_view::npos ? end : end - start);
    start = end == std::string_view::npos ? text.size() : end + 1;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
    if (line.empty() || line[0] == ';' || line == "REGEDIT4" ||
        line == "Windows Registry Editor Version 5.00")
      continue;
    if (line.front() == '[' && line.back() == ']') {
      if (current != kNoKey) CloseKey(current);
      current = kNoKey;
      std::string_view path = line.substr(1, line.size() - 2);
      const bool remove = !path.empty() && path[0] == '-';
      if (remove) path.remove_prefix(1);
      if (!SameName(path.substr(0, kRoot.size()), kRoot)) {
        ok = false;
        break;
      }
      path.remove_prefix(kRoot.size());
      if (remove)
        DeleteKey(path);
      else
        ok = CreateKey(path, RegAccess::kReadWrite, current) == kErrorSuccess;
      continue;
    }
    std::string name;
    size_t pos = 0;
    if (current == kNoKey) {
      ok = false;
    } else if (line[0] == '@') {
      pos = 1;
    } else if (!ReadQuoted(line, pos, name)) {
      ok = false;
    }
    if (!ok || pos >= line.size() || line[pos] != '=') {
      ok = false;
      break;
    }
    std::string_view data = line.substr(pos + 1);
    std::string textValue;
    size_t dataPos = 0;
    if (data.substr(0, 6) == "dword:" && data.size() == 14) {
      unsigned value = 0;
      ok = std::sscanf(std::string(data.substr(6)).c_str(), "%8x", &value) == 1;
      if (ok) SetDword(current, name.c_str(), value);
    } else if (ReadQuoted(data, dataPos, textValue) && dataPos == data.size()) {
      SetString(current, name.c_str(), textValue);
    } else {
      ok = false;
    }
  }
  if (current != kNoKey) CloseKey(current);
  return ok;
}

std::string MemoryRegistry::ExportReg() const {
  std::string out = "REGEDIT4\r\n";
  for (const auto& [id, key] : keys_) {
    out += "\r\n[" + std::string(kRoot) + key.path + "]\r\n";
    for (const Value& value : key.values) {
      out += value.name.empty() ? std::string("@") : Quote(value.name);
      if (value.type == kRegDword && value.data.size() == 4) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "%08x",
                      unsigned(value.data[0] | value.data[1] << 8 | value.data[2] << 16 |
                               unsigned(value.data[3]) << 24));
        out += std::string("=dword:") + hex + "\r\n";
      } else {
        std::string textValue(value.data.begin(), value.data.end());
        while (!textValue.empty() && textValue.back() == '\0') textValue.pop_back();
        out += "=" + Quote(textValue) + "\r\n";
      }
    }
  }
  return out;
}

}  // namespace orn::platform
