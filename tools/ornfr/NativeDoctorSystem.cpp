#include "NativeDoctorSystem.h"

#include <fstream>

#include "device/FiscalDevice.h"
#include "platform/posix/PosixPlatform.h"
#include "platform/posix/PosixPortProvider.h"
#include "service/FptrService.h"

namespace orn::ornfr {

namespace {

// The service object's ErrorString property.
constexpr int32_t kErrorStringIndex = 1016001;

// Only the ports given on the command line exist: the driver's search must not probe the
// host's own serial devices.
class GivenPorts : public platform::PortProvider {
 public:
  void Give(int number, const std::string& path) {
    paths_[number] = path;
    ports_.SetPath(number, path);
  }
  const std::string& PathOf(int number) const { return paths_[number]; }

  platform::CommPort* Acquire(int number) override {
    lastError_.Clear();
    if (number < 1 || number > 32 || paths_[number].empty()) {
      lastError_.code = 2;
      lastError_.text = "No such file or directory";
      return nullptr;
    }
    platform::CommPort* port = ports_.Acquire(number);
    lastError_ = ports_.LastError();
    return port;
  }
  bool Release(int number) override { return ports_.Release(number); }

 private:
  platform::PosixPortProvider ports_;
  std::string paths_[33];
};

class NativeDoctorSystem : public DoctorSystem {
 public:
  NativeDoctorSystem(const DoctorOptions& options, Environment& env)
      : options_(options), env_(env), platform_(options.registryFile) {
    for (const auto& [number, path] : options.ports)
      if (number != 0) ports_.Give(number, path);
  }

  int OwnBits() const override { return int(sizeof(void*) * 8); }
  std::vector<int> Views() const override { return {OwnBits()}; }
  platform::Registry& RegistryOf(int) override { return platform_.registry; }
  std::string RegistryName(int) const override {
    return "реестр из файла " + options_.registryFile;
  }
  bool HasCom() const override { return false; }
  Finding CheckServiceClass(int, const std::string&) override { return {}; }
  Finding CheckControl(int) override { return {}; }

  OpenOutcome OpenServiceObject(const std::string&, const std::string& device) override {
    MapConfiguredPort(device);
    OpenOutcome outcome;
    outcome.ran = true;
    outcome.where = "служебный объект (код драйвера в этом процессе)";
    service::FptrService fptr(platform_.Bundle(), ports_);
    outcome.resultCode =
        fptr.OpenService(u"FiscalPrinter", platform_.text.Utf16FromAnsi(device), nullptr);
    outcome.openResult = fptr.GetOpenResult();
    std::u16string text;
    fptr.GetPropertyString(kErrorStringIndex, text);
    outcome.errorText = platform_.text.AnsiFromUtf16(text);
    if (outcome.resultCode == 0) fptr.CloseService();
    return outcome;
  }

  platform::PortProvider& Ports(int configuredPort) override {
    for (const auto& [number, path] : options_.ports)
      if (number == 0 && configuredPort >= 1 && configuredPort <= 32)
        ports_.Give(configuredPort, path);
    return ports_;
  }
  std::string PortName(int port) const override {
    if (port >= 1 && port <= 32 && !ports_.PathOf(port).empty())
      return "COM" + std::to_string(port) + " (" + ports_.PathOf(port) + ")";
    return "COM" + std::to_string(port);
  }

 private:
  // The unnumbered --port is the port the device key names.
  void MapConfiguredPort(const std::string& device) {
    config::DriverLog quiet(env_.files, env_.clock);
    config::DriverParams params(platform_.registry, quiet);
    params.ReadDeviceParams(device);
    Ports(params.ComNumber());
  }

  const DoctorOptions& options_;
  Environment& env_;
  platform::PosixPlatform platform_;
  GivenPorts ports_;
};

}  // namespace

std::unique_ptr<DoctorSystem> MakeNativeDoctorSystem(const DoctorOptions& options, Environment& env,
                                                     std::string& error) {
  if (options.registryFile.empty()) {
    error = "doctor needs --registry FILE here (the registry is a REGEDIT4 file)";
    return nullptr;
  }
  if (!std::ifstream(options.registryFile)) {
    error = "cannot read " + options.registryFile;
    return nullptr;
  }
  if (options.arch != 0 && options.arch != int(sizeof(void*) * 8)) {
    error = "--arch names the registry view of a Windows application; here there is one";
    return nullptr;
  }
  auto system = std::make_unique<NativeDoctorSystem>(options, env);
  return system;
}

}  // namespace orn::ornfr
