#include "SettingsStore.h"

#include <utility>

#include "config/RegistryKey.h"

namespace orn::bench {

using platform::kErrorFileNotFound;
using platform::kErrorSuccess;
using platform::RegAccess;

StoredValue DwordValue(uint32_t number) {
  return {platform::kRegDword,
          {uint8_t(number), uint8_t(number >> 8), uint8_t(number >> 16), uint8_t(number >> 24)}};
}

StoredValue StringValue(const std::string& text) {
  StoredValue value{platform::kRegSz, {text.begin(), text.end()}};
  value.data.push_back(0);
  return value;
}

long RegistrySettingsStore::Read(const std::string& key, const std::string& name, Slot& value) {
  value.reset();
  config::RegistryKey opened(registry_);
  long code = opened.Open(key, RegAccess::kRead);
  if (code == kErrorFileNotFound) return kErrorSuccess;
  if (code != kErrorSuccess) return code;
  StoredValue stored;
  uint32_t size = 0;
  code = registry_.QueryValue(opened.Handle(), name.c_str(), &stored.type, nullptr, &size);
  if (code == kErrorFileNotFound) return kErrorSuccess;
  if (code != kErrorSuccess) return code;
  stored.data.resize(size);
  code =
      registry_.QueryValue(opened.Handle(), name.c_str(), &stored.type, stored.data.data(), &size);
  if (code != kErrorSuccess) return code;
  stored.data.resize(size);
  value = std::move(stored);
  return kErrorSuccess;
}

long RegistrySettingsStore::Write(const std::string& key, const std::string& name,
                                  const Slot& value) {
  if (!value) return DeleteValue(key, name);
  config::RegistryKey opened(registry_);
  const long code = opened.Open(key, RegAccess::kWrite);
  if (code != kErrorSuccess) return code;
  return registry_.SetValue(opened.Handle(), name.c_str(), value->type, value->data.data(),
                            uint32_t(value->data.size()));
}

bool RegistrySettingsStore::KeyExists(const std::string& key) {
  config::RegistryKey opened(registry_);
  return opened.Open(key, RegAccess::kRead) == kErrorSuccess;
}

long RegistrySettingsStore::CreateKey(const std::string& key) {
  config::RegistryKey created(registry_);
  return created.Create(key, RegAccess::kReadWrite);
}

long RegistrySettingsStore::ValueNames(const std::string& key, std::vector<std::string>& names) {
  names.clear();
  config::RegistryKey opened(registry_);
  const long code = opened.Open(key, RegAccess::kRead);
  if (code == kErrorFileNotFound) return kErrorSuccess;
  if (code != kErrorSuccess) return code;
  return registry_.ValueNames(opened.Handle(), names);
}

long MemorySettingsStore::DeleteValue(const std::string& key, const std::string& name) {
  config::RegistryKey opened(memory_);
  const long code = opened.Open(key, RegAccess::kWrite);
  if (code != kErrorSuccess) return code;
  memory_.DeleteValue(key, name.c_str());
  return kErrorSuccess;
}

long MemorySettingsStore::DeleteKey(const std::string& key) {
  memory_.DeleteKey(key);
  return kErrorSuccess;
}

namespace {

// The key above `key`; empty above the top.
std::string Parent(const std::string& key) {
  const size_t slash = key.find_last_of('\\');
  return slash == std::string::npos ? std::string() : key.substr(0, slash);
}

}  // namespace

WriteOutcome ApplyWrites(SettingsStore& store, const std::vector<ValueWrite>& writes) {
  WriteOutcome outcome;
  // What each value written held before: what goes back after a refusal.
  std::vector<std::pair<const ValueWrite*, Slot>> done;
  std::vector<std::string> created;
  const auto refuse = [&](const ValueWrite& write, long code) {
    outcome.refused = write.label;
    outcome.refusedKey = write.key;
    outcome.code = code;
    for (auto at = done.rbegin(); at != done.rend(); ++at) {
      if (store.Write(at->first->key, at->first->name, at->second))
        outcome.notRestored.push_back(at->first->label);
    }
    for (auto key = created.rbegin(); key != created.rend(); ++key)
      if (store.DeleteKey(*key)) outcome.notRestored.push_back(*key);
    return outcome;
  };

  // Each value is read just before it is written, so that a name deleted earlier in the
  // list (a payment type renamed in its case alone) is seen gone.
  for (const ValueWrite& write : writes) {
    Slot before;
    if (const long code = store.Read(write.key, write.name, before)) return refuse(write, code);
    if (before == write.value) continue;
    // A missing key is made with the missing keys above it, each of which goes again after
    // a refusal.
    std::vector<std::string> missing;  // from the top down
    for (std::string key = write.key; !key.empty() && !store.KeyExists(key); key = Parent(key))
      missing.insert(missing.begin(), key);
    if (!missing.empty()) {
      if (const long code = store.CreateKey(write.key)) return refuse(write, code);
      created.insert(created.end(), missing.begin(), missing.end());
    }
    if (const long code = store.Write(write.key, write.name, write.value))
      return refuse(write, code);
    done.emplace_back(&write, std::move(before));
  }
  for (const auto& [write, before] : done) outcome.written.push_back(write->label);
  return outcome;
}

}  // namespace orn::bench
