#pragma once
// ornfr doctor: the whole chain a point-of-sale application goes through to print a
// receipt, checked link by link: the device key, the service object's and the OPOS
// control's registration (Windows), OpenService, the port, the register's state, the log
// and the receipt state's key. The portable checks live here; what only Windows has is
// behind DoctorSystem, in Windows-only files.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "DoctorReport.h"
#include "Environment.h"
#include "platform/CommPort.h"
#include "platform/Registry.h"

namespace orn::ornfr {

inline constexpr int kExitDoctorFound = 5;  // something a receipt needs is broken
inline constexpr char kDefaultDevice[] = "Ornita-OPOS-1";
inline constexpr char kOurProgId[] = "Ornita.FiscalPrinter";

struct DoctorOptions {
  std::string device = kDefaultDevice;
  int arch = 0;              // the application's bitness, 32 or 64; 0: this program's own
  std::string registryFile;  // natively: the REGEDIT4 file that stands for the registry
  // Natively: device paths of COM ports; number 0 stands for the device key's ComNumber.
  std::vector<std::pair<int, std::string>> ports;
};

// What OpenService did in this process.
struct OpenOutcome {
  bool ran = false;        // false: the service object could not be made
  std::string failure;     // why not, with the system's code and text
  std::string advice;      // what to do about that
  std::string where;       // what ran: "64-разрядный OrnDriver.dll", ...
  int32_t resultCode = 0;  // OpenService's result
  int32_t openResult = 0;  // GetOpenResult
  std::string errorText;   // the driver's ErrorString
};

// The system under the checks.
class DoctorSystem {
 public:
  virtual ~DoctorSystem() = default;
  virtual int OwnBits() const = 0;
  // The registry views there are (32-bit Windows has one); natively the one registry file.
  virtual std::vector<int> Views() const = 0;
  virtual platform::Registry& RegistryOf(int bits) = 0;
  // "32-разрядный реестр", "реестр из файла X", ...
  virtual std::string RegistryName(int bits) const = 0;
  // Whether there is COM to check: the checks of the registration and of the control.
  virtual bool HasCom() const = 0;
  // The class the ProgID names, its DLL and its type library, in the view of `bits`.
  virtual Finding CheckServiceClass(int bits, const std::string& progId) = 0;
  // The OPOS FiscalPrinter control in the view of `bits`.
  virtual Finding CheckControl(int bits) = 0;
  // The service object made in this process and OpenService run, then CloseService.
  virtual OpenOutcome OpenServiceObject(const std::string& progId, const std::string& device) = 0;
  // The COM ports (the driver's search looks at 1..32 of them).
  virtual platform::PortProvider& Ports() = 0;
  // "COM3", or natively the device path.
  virtual std::string PortName(int port) const = 0;
};

using DoctorSystemFactory =
    std::function<std::unique_ptr<DoctorSystem>(const DoctorOptions&, std::string& error)>;

// argv[0] is the program name, argv[1] "doctor". Returns the exit status.
int RunDoctor(int argc, const char* const* argv, Environment& env,
              const DoctorSystemFactory& makeSystem);

}  // namespace orn::ornfr
