#include "NativeDoctorSystem.h"

#include <fstream>

#include "DoctorChecks.h"
#include "InProcessDoctorSystem.h"
#include "platform/posix/PosixPlatform.h"
#include "platform/posix/PosixPortProvider.h"

namespace orn::ornfr {

namespace {

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
    platform::OsError& error = ErrorOf(number);
    error.Clear();
    if (!ValidPort(number) || paths_[number].empty()) {
      error.code = 2;
      error.text = "No such file or directory";
      return nullptr;
    }
    platform::CommPort* port = ports_.Acquire(number);
    error = ports_.LastError(number);
    return port;
  }
  bool Release(int number) override { return ports_.Release(number); }
  void RunSideBySide(size_t count, const std::function<void(size_t)>& job) override {
    ports_.RunSideBySide(count, job);
  }

 private:
  platform::PosixPortProvider ports_;
  std::string paths_[33];
};

// The registry is a file; --port without a number is the device key's port.
class NativeDoctorSystem : public InProcessDoctorSystem {
 public:
  NativeDoctorSystem(const DoctorOptions& options, std::unique_ptr<platform::PosixPlatform> posix,
                     std::unique_ptr<GivenPorts> ports)
      : InProcessDoctorSystem(posix->Bundle(), *ports, "реестр из файла " + options.registryFile),
        posix_(std::move(posix)),
        given_(std::move(ports)) {
    for (const auto& [number, path] : options.ports)
      if (number != 0) given_->Give(number, path);
    const int configured = StoredPort(posix_->registry, options.device);
    for (const auto& [number, path] : options.ports)
      if (number == 0 && configured >= 1 && configured <= 32) given_->Give(configured, path);
  }

  std::string PortName(int port) const override {
    if (port >= 1 && port <= 32 && !given_->PathOf(port).empty())
      return "COM" + std::to_string(port) + " (" + given_->PathOf(port) + ")";
    return "COM" + std::to_string(port);
  }

 private:
  std::unique_ptr<platform::PosixPlatform> posix_;
  std::unique_ptr<GivenPorts> given_;
};

}  // namespace

std::unique_ptr<DoctorSystem> MakeNativeDoctorSystem(const DoctorOptions& options, Environment&,
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
  return std::make_unique<NativeDoctorSystem>(
      options, std::make_unique<platform::PosixPlatform>(options.registryFile),
      std::make_unique<GivenPorts>());
}

}  // namespace orn::ornfr
