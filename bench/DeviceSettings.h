#pragma once
// What the page "Настройки устройства" edits, as the texts its fields show: the values of
// the OPOS device key that the driver reads (named and typed by the driver's own table),
// the payment types of its PayTypes key, and the log values of the driver's own key. They
// are read by the driver's own reading, and checked before anything is written by the
// driver's and the doctor's reading of a copy of the keys in memory.

#include <optional>
#include <string>
#include <vector>

#include "Environment.h"
#include "SettingsStore.h"
#include "config/DriverParams.h"
#include "platform/Clock.h"

namespace orn::bench {

// A value as its field shows it: ANSI text, a DWORD in decimal; empty: no value.
struct TextValue {
  std::string name;
  std::optional<std::string> text;
};

struct DeviceSettings {
  std::vector<TextValue> device;    // the driver's values of the device key, in its order
  std::vector<TextValue> payTypes;  // name: the payment type; text: its code
  // LogEnabled, LogFileName, LogFileMaxSize; none: the driver key is left as it is.
  std::vector<TextValue> log;
};

// The values of the driver's key that its ReadLogParams reads.
struct LogValue {
  const char* name;
  config::ValueType type;
};
inline constexpr LogValue kLogValues[] = {
    {"LogEnabled", config::ValueType::kDword},
    {"LogFileName", config::ValueType::kString},
    {"LogFileMaxSize", config::ValueType::kDword},
};

struct SettingsKeys {
  std::string device;    // SOFTWARE\OLEforRetail\ServiceOPOS\FiscalPrinter\<device name>
  std::string payTypes;  // its PayTypes sub key
  std::string driver;    // the driver's own key, with the log values
};
SettingsKeys KeysOf(const std::string& deviceName,
                    const std::string& driverKeyPath = config::kDriverKeyPath);

struct SettingsRead {
  long code = 0;  // of opening the device key: 0, or the Win32 code
  DeviceSettings settings;
  bool driverKey = false;  // the driver's key is there (else its log values are defaults)
  // The values the driver cannot read as they stand, with why: "ComNumber (не DWORD)".
  std::vector<std::string> unreadable;
};
// Reads the keys as the driver does: each value of the device key by the driver's reading
// of it, and the log values the driver would use (its defaults where its key has none).
SettingsRead ReadSettings(platform::Registry& registry, const SettingsKeys& keys,
                          platform::Clock& clock);

// The writes that make the keys hold `settings`: the values of the device key, the
// payment types listed, the log values given, then what goes: an optional value of the
// device key left empty, the payment types of `payTypesNow` no longer listed. Returns what keeps a
// text from being its value ("ComNumber: \"4x\" не число..."), empty when nothing does.
std::string PlanWrites(const DeviceSettings& settings, const SettingsKeys& keys,
                       const std::vector<std::string>& payTypesNow,
                       std::vector<ValueWrite>& writes);

// The driver's reading of the keys once `writes` are made, on a copy in memory: its own
// reader of the device key and of the log values, and the doctor's check of each value.
// Empty when they find nothing wrong; otherwise what they found.
std::string CheckAsTheDriverReads(const std::vector<ValueWrite>& writes,
                                  const std::string& deviceName, const SettingsKeys& keys,
                                  ornfr::Environment& env);

// Payment type names are registry value names: one name in two cases is one value.
bool SameValueName(const std::string& a, const std::string& b);

}  // namespace orn::bench
