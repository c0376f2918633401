#include "config/DriverParams.h"

#include <limits>

namespace orn::config {

namespace {

using platform::RegAccess;

constexpr char kPayTypesSubKey[] = "\\PayTypes";
constexpr char kParamsSubKey[] = "\\Params";

// The size limit is 32-bit: a limit of 4096 MB or more means the largest one.
uint32_t MegabytesToBytes(uint32_t megabytes) {
  const uint64_t bytes = uint64_t(megabytes) * kBytesPerMegabyte;
  return bytes > std::numeric_limits<uint32_t>::max() ? std::numeric_limits<uint32_t>::max()
                                                      : uint32_t(bytes);
}

}  // namespace

DriverParams::DriverParams(platform::Registry& registry, DriverLog& log, std::string driverKeyPath)
    : registry_(registry), log_(log), driverKeyPath_(std::move(driverKeyPath)) {}

const std::string& DriverParams::PayTypeName(int number) const {
  static const std::string kNone;
  if (number < kFirstNamedPayType || number > kLastNamedPayType) return kNone;
  return payTypeNames_[size_t(number - kFirstNamedPayType)];
}

bool DriverParams::CheckOpen(long code, const std::string& path) {
  if (code == platform::kErrorSuccess) return true;
  log_.LogDetailF("Ошибка открытия ключа %s.", path.c_str());
  log_.LogDetailF("Код ошибки: %d.", int(code));
  return false;
}

bool DriverParams::CheckRead(long code, const char* name) {
  if (code == platform::kErrorSuccess) return true;
  log_.LogDetailF("Ошибка чтения значения %s.", name);
  log_.LogDetailF("Код ошибки: %d.", int(code));
  return false;
}

bool DriverParams::ReadDword(RegistryKey& key, const char* name, uint32_t& value,
                             const char* logName) {
  uint32_t read = 0;
  if (!CheckRead(registry_.QueryDword(key.Handle(), name, read), logName ? logName : name))
    return false;
  value = read;
  return true;
}

bool DriverParams::ReadString(RegistryKey& key, const char* name, std::string& value) {
  std::string read;
  if (!CheckRead(registry_.QueryString(key.Handle(), name, read, kStringValueCapacity), name))
    return false;
  value = std::move(read);
  return true;
}

bool DriverParams::ReadValue(RegistryKey& key, const DeviceValue& value) {
  uint32_t number = 0;
  std::string text;
  const long code = ReadDeviceValue(registry_, key.Handle(), value, number, text);
  if (value.field == DeviceField::kPasswordNI) hasPasswordNI_ = code == platform::kErrorSuccess;
  if (code != platform::kErrorSuccess) return !value.required || CheckRead(code, value.logName);
  Store(value.field, number, std::move(text));
  return true;
}

static_assert(int(DeviceField::kPayTypeName4) - int(DeviceField::kPayTypeName2) ==
              kLastNamedPayType - kFirstNamedPayType);

void DriverParams::Store(DeviceField field, uint32_t number, std::string&& text) {
  switch (field) {
    case DeviceField::kCodepage866:
      codepage866_ = number != 0;
      break;
    case DeviceField::kComNumber:
      comNumber_ = number;
      break;
    case DeviceField::kBaudRate:
      baudRate_ = number;
      break;
    case DeviceField::kPassword:
      password_ = number;
      break;
    case DeviceField::kPasswordNI:
      passwordNI_ = number;
      break;
    case DeviceField::kSubtotalName:
      subtotalName_ = std::move(text);
      break;
    case DeviceField::kCloseRecText:
      closeRecText_ = std::move(text);
      break;
    case DeviceField::kFontNumber:
      fontNumber_ = number;
      break;
    case DeviceField::kPayTypeName2:
    case DeviceField::kPayTypeName3:
    case DeviceField::kPayTypeName4:
      payTypeNames_[size_t(field) - size_t(DeviceField::kPayTypeName2)] = std::move(text);
      break;
  }
}

bool DriverParams::ReadDeviceParams(std::string_view deviceName) {
  deviceKeyPath_ =
      std::string(kOposRoot) + "\\" + kOposDeviceClass + "\\" + std::string(deviceName);
  paramsKeyPath_ = deviceKeyPath_ + kParamsSubKey;

  RegistryKey key(registry_);
  if (!CheckOpen(key.Open(deviceKeyPath_, RegAccess::kRead), deviceKeyPath_)) return false;

  for (const DeviceValue& value : kDeviceValues)
    if (!ReadValue(key, value)) return false;

  if (!ReadPayTypes()) return false;
  ReadLogParams();
  return true;
}

bool DriverParams::ReadPayTypes() {
  payTypes_.clear();
  const std::string payTypesPath = deviceKeyPath_ + kPayTypesSubKey;
  RegistryKey key(registry_);
  if (!CheckOpen(key.Open(payTypesPath, RegAccess::kRead), payTypesPath)) return false;
  std::vector<std::string> names;
  if (registry_.ValueNames(key.Handle(), names) != platform::kErrorSuccess) return false;
  for (std::string& name : names) {
    uint32_t code = 0;
    if (registry_.QueryDword(key.Handle(), name.c_str(), code) != platform::kErrorSuccess)
      return false;
    if (code <= kMaxPayTypeCode) payTypes_.push_back(PayType{code, std::move(name)});
  }

  if (!CheckOpen(key.Open(deviceKeyPath_, RegAccess::kRead), deviceKeyPath_)) return false;
  for (const DeviceValue& value : kPayTypeNameValues)
    if (!ReadValue(key, value)) return false;
  return true;
}

bool DriverParams::ReadLogParams() {
  log_.SetEnabled(true);
  log_.SetSizeLimit(MegabytesToBytes(kDefaultLogSizeMegabytes));
  log_.SetFileName(kDefaultLogFileName);

  RegistryKey key(registry_);
  if (key.Open(driverKeyPath_, RegAccess::kRead) != platform::kErrorSuccess) return false;
  bool all = true;
  uint32_t enabled = 0;
  if (ReadDword(key, "LogEnabled", enabled))
    log_.SetEnabled(enabled != 0);
  else
    all = false;
  std::string fileName;
  if (ReadString(key, "LogFileName", fileName))
    log_.SetFileName(std::move(fileName));
  else
    all = false;
  uint32_t megabytes = 0;
  if (ReadDword(key, "LogFileMaxSize", megabytes))
    log_.SetSizeLimit(MegabytesToBytes(megabytes));
  else
    all = false;
  return all;
}

bool DriverParams::SaveComNumber(int port) {
  comNumber_ = uint32_t(port);
  if (deviceKeyPath_.empty()) return false;  // no device was opened
  RegistryKey key(registry_);
  if (key.Open(deviceKeyPath_, RegAccess::kWrite) != platform::kErrorSuccess) return false;
  return registry_.SetDword(key.Handle(), "ComNumber", uint32_t(port)) == platform::kErrorSuccess;
}

}  // namespace orn::config
