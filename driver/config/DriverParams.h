#pragma once
// The driver's configuration, read from the registry under HKEY_LOCAL_MACHINE at every
// OpenService: the OPOS device key of the opened device (port, baud rate, passwords, texts,
// font, code page), its PayTypes sub key, and the driver's own key with the log settings.
// Registry errors go to the driver log as detail lines with their Win32 code.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/DeviceValues.h"
#include "config/DriverLog.h"
#include "config/RegistryKey.h"
#include "platform/Registry.h"

namespace orn::config {

// The device key is kOposRoot\kOposDeviceClass\<device name>.
inline constexpr char kOposRoot[] = "SOFTWARE\\OLEforRetail\\ServiceOPOS";
inline constexpr char kOposDeviceClass[] = "FiscalPrinter";
inline constexpr char kDriverKeyPath[] =
    "SOFTWARE\\Ornita\\OLEforRetail\\ServiceOPOS\\FiscalPrinter\\Ornita-OPOS-1";

// Held until `Password` is read: 30, the system administrator's factory password, which a
// register accepts for every operator command. `Password` is required, so this value never
// reaches a register that was opened.
inline constexpr uint32_t kDefaultOperatorPassword = 30;
inline constexpr uint32_t kDefaultFontNumber = 1;
inline constexpr uint32_t kDefaultLogSizeMegabytes = 2;
inline constexpr uint32_t kBytesPerMegabyte = 1048576;
// Payment type codes 0 (cash) to 3; the register's own payment types 2..4 carry names.
inline constexpr uint32_t kMaxPayTypeCode = 3;
inline constexpr int kFirstNamedPayType = 2;
inline constexpr int kLastNamedPayType = 4;

struct PayType {
  uint32_t code;
  std::string name;  // the text by which payments name their type
};

class DriverParams {
 public:
  // `driverKeyPath` is fixed in the product; tests give a key of their own.
  DriverParams(platform::Registry& registry, DriverLog& log,
               std::string driverKeyPath = kDriverKeyPath);

  // The device key of `deviceName` with all required values (kDeviceValues), its payment
  // types and the three payment type names; then the log settings. The first failure ends it.
  bool ReadDeviceParams(std::string_view deviceName);
  // The payment types key of the device (the list is emptied first, so a second open does
  // not list them twice) and the PayTypeName2..4 values of the device key.
  bool ReadPayTypes();
  // Sets the log's defaults, then what the driver key overrides. True when all three
  // values were read.
  bool ReadLogParams();
  // Writes the port a scan found into the device key (existing key, write access only),
  // so the next open goes straight to it. The held ComNumber follows in any case.
  bool SaveComNumber(int port);

  const std::string& DeviceKeyPath() const { return deviceKeyPath_; }
  const std::string& ParamsKeyPath() const { return paramsKeyPath_; }
  const std::string& DriverKeyPath() const { return driverKeyPath_; }

  bool Codepage866() const { return codepage866_; }
  int ComNumber() const { return int(comNumber_); }
  uint32_t BaudRate() const { return baudRate_; }
  uint32_t Password() const { return password_; }
  bool HasPasswordNI() const { return hasPasswordNI_; }
  uint32_t PasswordNI() const { return passwordNI_; }
  const std::string& SubtotalName() const { return subtotalName_; }
  const std::string& CloseRecText() const { return closeRecText_; }
  uint32_t FontNumber() const { return fontNumber_; }
  const std::vector<PayType>& PayTypes() const { return payTypes_; }
  // The register's name of payment type 2, 3 or 4; empty for any other number.
  const std::string& PayTypeName(int number) const;

 private:
  // Each logs the failure and returns whether `code` is success.
  bool CheckOpen(long code, const std::string& path);
  bool CheckRead(long code, const char* name);
  // A failed read is logged (under `logName` when given) and keeps `value` as it was.
  bool ReadDword(RegistryKey& key, const char* name, uint32_t& value,
                 const char* logName = nullptr);
  bool ReadString(RegistryKey& key, const char* name, std::string& value);
  // One value of the device key into its field; false when a required one cannot be read.
  bool ReadValue(RegistryKey& key, const DeviceValue& value);
  void Store(DeviceField field, uint32_t number, std::string&& text);

  platform::Registry& registry_;
  DriverLog& log_;
  const std::string driverKeyPath_;

  std::string deviceKeyPath_;
  std::string paramsKeyPath_;
  bool codepage866_ = false;
  uint32_t comNumber_ = 0;
  uint32_t baudRate_ = 0;
  uint32_t password_ = kDefaultOperatorPassword;
  bool hasPasswordNI_ = false;
  uint32_t passwordNI_ = 0;
  std::string subtotalName_;
  std::string closeRecText_;
  uint32_t fontNumber_ = kDefaultFontNumber;
  std::vector<PayType> payTypes_;
  std::array<std::string, kLastNamedPayType - kFirstNamedPayType + 1> payTypeNames_;
};

}  // namespace orn::config
