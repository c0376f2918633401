#pragma once
// The values of the OPOS device key as the driver reads them: one table, followed by
// DriverParams at every OpenService and by ornfr doctor when it checks a key, so that the
// check can never hold other rules than the driver.

#include <cstdint>
#include <string>

#include "platform/Registry.h"

namespace orn::config {

// Strings are read into a buffer of this many bytes, terminating zero included.
inline constexpr uint32_t kStringValueCapacity = 1000;

enum class ValueType { kDword, kString };

// Where DriverParams keeps a value once read.
enum class DeviceField {
  kCodepage866,
  kComNumber,
  kBaudRate,
  kPassword,
  kPasswordNI,
  kSubtotalName,
  kCloseRecText,
  kFontNumber,
  kPayTypeName2,
  kPayTypeName3,
  kPayTypeName4,
};

struct DeviceValue {
  DeviceField field;
  const char* name;     // the value's name in the key
  const char* logName;  // how the log names it when it cannot be read
  ValueType type;
  bool required;  // one that cannot be read fails OpenService; an optional one keeps its field
};

// The device key's own values, in the order ReadDeviceParams reads them.
inline constexpr DeviceValue kDeviceValues[] = {
    {DeviceField::kCodepage866, "Codepage866", "Codepage866", ValueType::kDword, true},
    {DeviceField::kComNumber, "ComNumber", "COMPort", ValueType::kDword, true},
    {DeviceField::kBaudRate, "BaudRate", "BaudRate", ValueType::kDword, true},
    {DeviceField::kPassword, "Password", "Password", ValueType::kDword, true},
    {DeviceField::kPasswordNI, "PasswordNI", "PasswordNI", ValueType::kDword, false},
    {DeviceField::kSubtotalName, "SubtotalName", "SubtotalName", ValueType::kString, true},
    {DeviceField::kCloseRecText, "CloseRecText", "CloseRecText", ValueType::kString, true},
    {DeviceField::kFontNumber, "FontNumber", "FontNumber", ValueType::kDword, false},
};

// The register's names of payment types 2..4, read after the PayTypes sub key.
inline constexpr DeviceValue kPayTypeNameValues[] = {
    {DeviceField::kPayTypeName2, "PayTypeName2", "PayTypeName2", ValueType::kString, true},
    {DeviceField::kPayTypeName3, "PayTypeName3", "PayTypeName3", ValueType::kString, true},
    {DeviceField::kPayTypeName4, "PayTypeName4", "PayTypeName4", ValueType::kString, true},
};

// One value as the driver reads it: a DWORD of exactly four bytes into `number`, a string
// that fits kStringValueCapacity into `text`. Returns the Win32 code of the read.
long ReadDeviceValue(platform::Registry& registry, platform::RegKey key, const DeviceValue& value,
                     uint32_t& number, std::string& text);

// What keeps a value from being read, told by the code of its read. A DWORD read into four
// bytes meets a longer value as "more data": for a DWORD that is the wrong type too.
enum class ValueProblem { kNone, kMissing, kWrongType, kTooLong, kUnreadable };
ValueProblem ProblemOf(const DeviceValue& value, long readCode);

}  // namespace orn::config
