#pragma once
// The portable checks of ornfr doctor, one function a link of the chain.

#include <string>

#include "Doctor.h"
#include "DoctorReport.h"
#include "config/DriverLog.h"
#include "config/DriverParams.h"
#include "platform/FileSystem.h"

namespace orn::ornfr {

// The files of the log of the doctor's own reading of the registry: its settings are the
// driver's, but nothing the doctor does may end up in the shop's log.
class NoFiles : public platform::FileSystem {
 public:
  platform::FileHandle OpenForAppend(const std::string&) override { return platform::kInvalidFile; }
  uint32_t Size(platform::FileHandle) override { return platform::kInvalidFileSize; }
  bool Write(platform::FileHandle, const void*, uint32_t) override { return false; }
  void Close(platform::FileHandle) override {}
  bool Rename(const std::string&, const std::string&) override { return false; }
  bool Delete(const std::string&) override { return false; }
};

// 1. The device key in one registry: present, its ProgID, each value by the driver's own
// reading rules, the payment types, and the driver's verdict on the whole key.
struct DeviceKeyCheck {
  Finding finding;     // what the driver will use, then what is wrong
  Finding problems;    // what is wrong alone: kOk with no text when nothing is
  std::string progId;  // empty when the key or its ProgID is missing
};
DeviceKeyCheck CheckDeviceKey(platform::Registry& registry, const std::string& device,
                              Environment& env);

// The device key's ComNumber as it stands now; 0 when it cannot be read.
int StoredPort(platform::Registry& registry, const std::string& device);

// 4. What OpenService said; `portBefore` and `portAfter` are the device key's ComNumber
// around the call (the driver writes the port its search found).
Finding DescribeOpen(const OpenOutcome& outcome, int portBefore, int portAfter);

// 5 and 6. The port and the register on it, found as the driver finds it, and the
// register's state. `nothingAnswered`: OpenService's own search found no register, so it
// is not searched for again.
void CheckRegister(const config::DriverParams& params, DoctorSystem& system, Environment& env,
                   bool nothingAnswered, DoctorReport& report);

// 7. The log as the driver would write it: on or off, where, and whether it can be
// written. `log` holds the settings the driver key gave.
Finding CheckLog(const config::DriverLog& log, bool driverKeyRead, Environment& env);

// 8. The receipt state's key opened for writing, as the driver opens it to save a receipt.
Finding CheckStateKey(platform::Registry& registry, const std::string& paramsKeyPath);

}  // namespace orn::ornfr
