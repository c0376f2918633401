#include "receipt/StateStore.h"

#include "config/RegistryKey.h"

namespace orn::receipt {

using platform::kErrorSuccess;
using platform::RegAccess;

StateStore::StateStore(platform::Registry& registry, const config::DriverParams& params)
    : registry_(registry), params_(params) {}

void StateStore::WriteDword(const char* subKey, const char* name, uint32_t value) {
  Write(subKey, [&](platform::RegKey key) { return registry_.SetDword(key, name, value); });
}

void StateStore::WriteString(const char* subKey, const char* name, const std::string& text) {
  Write(subKey, [&](platform::RegKey key) { return registry_.SetString(key, name, text); });
}

void StateStore::Write(const char* subKey, const std::function<long(platform::RegKey)>& set) {
  if (params_.ParamsKeyPath().empty()) return;
  // The Params key's own path is used as it is: most writes go there.
  std::string subKeyPath;
  if (*subKey != '\0') subKeyPath = params_.ParamsKeyPath() + subKey;
  const std::string& keyPath = *subKey != '\0' ? subKeyPath : params_.ParamsKeyPath();
  config::RegistryKey key(registry_);
  long code = key.Create(keyPath, RegAccess::kReadWrite);
  if (code == kErrorSuccess) code = set(key.Handle());
  if (code != kErrorSuccess && !failure_) failure_ = Failure{code, keyPath};
}

bool StateStore::Read(const char* subKey,
                      const std::function<void(platform::Registry&, platform::RegKey)>& read) {
  if (params_.ParamsKeyPath().empty()) return false;
  config::RegistryKey key(registry_);
  if (key.Open(params_.ParamsKeyPath() + subKey, RegAccess::kRead) != kErrorSuccess) return false;
  read(registry_, key.Handle());
  return true;
}

std::optional<StateStore::Failure> StateStore::FailureToReport() {
  if (!failure_ || failureReported_) return std::nullopt;
  failureReported_ = true;
  return failure_;
}

void StateStore::ForgetFailure() {
  failure_.reset();
  failureReported_ = false;
}

}  // namespace orn::receipt
