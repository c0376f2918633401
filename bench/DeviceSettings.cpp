#include "DeviceSettings.h"

#include <windows.h>

#include <algorithm>

#include "Doctor.h"
#include "DoctorChecks.h"
#include "DriverText.h"
#include "config/DeviceValues.h"
#include "config/DriverLog.h"
#include "config/RegistryKey.h"

namespace orn::bench {

namespace {

using config::ValueProblem;
using config::ValueType;
using platform::RegAccess;

constexpr char kPayTypesLabel[] = "PayTypes\\";

// The device key's values in the order the driver reads them.
std::vector<const config::DeviceValue*> DeviceValuesInOrder() {
  std::vector<const config::DeviceValue*> values;
  for (const config::DeviceValue& value : config::kDeviceValues) values.push_back(&value);
  for (const config::DeviceValue& value : config::kPayTypeNameValues) values.push_back(&value);
  return values;
}

const config::DeviceValue* DeviceValueNamed(const std::string& name) {
  for (const config::DeviceValue* value : DeviceValuesInOrder())
    if (name == value->name) return value;
  return nullptr;
}

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

// Why the driver does not read a value, as the doctor says it.
std::string Why(const config::DeviceValue& value, ValueProblem problem, long code) {
  switch (problem) {
    case ValueProblem::kWrongType:
      return value.type == ValueType::kDword ? "не DWORD" : "не строка";
    case ValueProblem::kTooLong:
      return "длиннее " + std::to_string(config::kStringValueCapacity - 1) + " байт";
    default:
      return "не читается, код " + std::to_string(code);
  }
}

// A DWORD from its decimal text: digits only, at most 4294967295.
bool ParseDword(const std::string& text, uint32_t& number) {
  if (text.empty() || text.size() > 10) return false;
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + uint64_t(c - '0');
  }
  if (value > 0xFFFFFFFFu) return false;
  number = uint32_t(value);
  return true;
}

// The registry value a text of `type` stands for. Returns what keeps it from being one.
std::string ValueOf(const std::string& label, ValueType type, const std::string& text,
                    Slot& value) {
  if (type == ValueType::kString) {
    value = StringValue(text);
    return {};
  }
  uint32_t number = 0;
  if (!ParseDword(text, number))
    return label + ": " + (text.empty() ? "пусто" : Quoted(text)) +
           " - нужно число от 0 до 4294967295";
  value = DwordValue(number);
  return {};
}

const TextValue* Find(const std::vector<TextValue>& values, const std::string& name) {
  for (const TextValue& value : values)
    if (value.name == name) return &value;
  return nullptr;
}

}  // namespace

bool SameValueName(const std::string& a, const std::string& b) {
  const std::wstring wideA = FromAnsi(a);
  const std::wstring wideB = FromAnsi(b);
  return ::CompareStringOrdinal(wideA.c_str(), int(wideA.size()), wideB.c_str(), int(wideB.size()),
                                TRUE) == CSTR_EQUAL;
}

SettingsKeys KeysOf(const std::string& deviceName, const std::string& driverKeyPath) {
  const std::string device =
      std::string(config::kOposRoot) + "\\" + config::kOposDeviceClass + "\\" + deviceName;
  return {device, device + "\\PayTypes", driverKeyPath};
}

SettingsRead ReadSettings(platform::Registry& registry, const SettingsKeys& keys,
                          platform::Clock& clock) {
  SettingsRead read;
  config::RegistryKey key(registry);
  read.code = key.Open(keys.device, RegAccess::kRead);
  for (const config::DeviceValue* value : DeviceValuesInOrder()) {
    TextValue shown{value->name, std::nullopt};
    if (read.code == platform::kErrorSuccess) {
      uint32_t number = 0;
      std::string text;
      const long code = config::ReadDeviceValue(registry, key.Handle(), *value, number, text);
      const ValueProblem problem = config::ProblemOf(*value, code);
      if (problem == ValueProblem::kNone)
        shown.text = value->type == ValueType::kDword ? std::to_string(number) : text;
      else if (problem != ValueProblem::kMissing)
        read.unreadable.push_back(std::string(value->name) + " (" + Why(*value, problem, code) +
                                  ")");
    }
    read.settings.device.push_back(shown);
  }

  config::RegistryKey payTypes(registry);
  if (read.code == platform::kErrorSuccess &&
      payTypes.Open(keys.payTypes, RegAccess::kRead) == platform::kErrorSuccess) {
    std::vector<std::string> names;
    registry.ValueNames(payTypes.Handle(), names);
    for (const std::string& name : names) {
      TextValue shown{name, std::nullopt};
      uint32_t code = 0;
      if (registry.QueryDword(payTypes.Handle(), name.c_str(), code) == platform::kErrorSuccess)
        shown.text = std::to_string(code);
      else
        read.unreadable.push_back(kPayTypesLabel + name + " (не DWORD)");
      read.settings.payTypes.push_back(shown);
    }
  } else if (read.code == platform::kErrorSuccess) {
    read.unreadable.push_back("PayTypes (нет ключа)");
  }

  // The log as the driver would write it.
  ornfr::NoFiles noFiles;
  config::DriverLog log(noFiles, clock);
  config::DriverParams params(registry, log, keys.driver);
  params.ReadLogParams();
  read.driverKey =
      config::RegistryKey(registry).Open(keys.driver, RegAccess::kRead) == platform::kErrorSuccess;
  read.settings.log = {
      {kLogValues[0].name, log.Enabled() ? "1" : "0"},
      {kLogValues[1].name, log.FileName()},
      {kLogValues[2].name, std::to_string(log.SizeLimit() / config::kBytesPerMegabyte)},
  };
  return read;
}

std::string PlanWrites(const DeviceSettings& settings, const SettingsKeys& keys,
                       const std::vector<std::string>& payTypesNow,
                       std::vector<ValueWrite>& writes) {
  writes.clear();
  // Values go last: a value deleted and put back after a refusal comes back at the end of
  // its key, and the order of the payment types is the driver's order of them.
  std::vector<ValueWrite> deletions;
  for (const TextValue& shown : settings.device) {
    const config::DeviceValue* value = DeviceValueNamed(shown.name);
    if (!value) return shown.name + ": драйвер не читает такого значения";
    ValueWrite write{keys.device, shown.name, std::nullopt, shown.name};
    const bool empty = !shown.text || (value->type == ValueType::kDword && shown.text->empty());
    // An optional value left empty goes: the driver then keeps its own default.
    if (empty && !value->required) {
      deletions.push_back(std::move(write));
      continue;
    }
    if (const std::string problem =
            ValueOf(shown.name, value->type, shown.text.value_or(""), write.value);
        !problem.empty())
      return problem;
    writes.push_back(std::move(write));
  }

  const std::vector<TextValue>& listed = settings.payTypes;
  for (size_t i = 0; i < listed.size(); ++i) {
    if (listed[i].name.empty()) return "способ оплаты без имени";
    for (size_t j = 0; j < i; ++j)
      if (SameValueName(listed[i].name, listed[j].name))
        return "способ оплаты " + Quoted(listed[i].name) + " указан дважды";
  }
  for (const TextValue& payType : listed) {
    // A name whose case alone changed is the same registry value: it goes, then comes anew.
    for (const std::string& now : payTypesNow)
      if (now != payType.name && SameValueName(now, payType.name))
        writes.push_back({keys.payTypes, now, std::nullopt, kPayTypesLabel + now});
    ValueWrite write{keys.payTypes, payType.name, std::nullopt, kPayTypesLabel + payType.name};
    if (const std::string problem =
            ValueOf("способ оплаты " + Quoted(payType.name), ValueType::kDword,
                    payType.text.value_or(""), write.value);
        !problem.empty())
      return problem;
    writes.push_back(std::move(write));
  }
  for (const std::string& now : payTypesNow) {
    const bool kept = std::any_of(listed.begin(), listed.end(), [&](const TextValue& payType) {
      return SameValueName(now, payType.name);
    });
    if (!kept) deletions.push_back({keys.payTypes, now, std::nullopt, kPayTypesLabel + now});
  }

  for (const LogValue& value : kLogValues) {
    if (settings.log.empty()) break;
    const TextValue* shown = Find(settings.log, value.name);
    const std::string text = shown ? shown->text.value_or("") : "";
    if (value.type == ValueType::kString && text.empty())
      return std::string(value.name) + ": пусто";
    ValueWrite write{keys.driver, value.name, std::nullopt, value.name};
    if (const std::string problem = ValueOf(value.name, value.type, text, write.value);
        !problem.empty())
      return problem;
    writes.push_back(std::move(write));
  }
  for (ValueWrite& deletion : deletions) writes.push_back(std::move(deletion));
  return {};
}

std::string CheckAsTheDriverReads(const std::vector<ValueWrite>& writes,
                                  const std::string& deviceName, const SettingsKeys& keys,
                                  ornfr::Environment& env) {
  // The device key as the setup makes it, then the page's writes.
  platform::MemoryRegistry copy;
  MemorySettingsStore store(copy);
  store.CreateKey(keys.device);
  store.CreateKey(keys.payTypes);
  store.Write(keys.device, "", StringValue(ornfr::kOurProgId));
  ApplyWrites(store, writes);

  const ornfr::DeviceKeyCheck key = ornfr::CheckDeviceKey(copy, deviceName, env);
  if (key.problems.verdict >= ornfr::Verdict::kWarning) return key.problems.text;
  // The log values, when they are written, all read.
  const bool logWritten = std::any_of(writes.begin(), writes.end(), [&](const ValueWrite& write) {
    return write.key == keys.driver;
  });
  ornfr::NoFiles noFiles;
  config::DriverLog log(noFiles, env.clock);
  config::DriverParams params(copy, log, keys.driver);
  if (logWritten && !params.ReadLogParams()) return "драйвер не читает значения журнала";
  return {};
}

}  // namespace orn::bench
