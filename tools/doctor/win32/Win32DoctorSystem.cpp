#include "win32/Win32DoctorSystem.h"

#include <windows.h>

#include "platform/win32/Win32Registry.h"
#include "win32/ComChain.h"

namespace orn::ornfr {

namespace {

bool WindowsIs64Bit() {
#ifdef _WIN64
  return true;
#else
  BOOL wow64 = FALSE;
  return ::IsWow64Process(::GetCurrentProcess(), &wow64) && wow64;
#endif
}

class Win32DoctorSystem : public DoctorSystem {
 public:
  explicit Win32DoctorSystem(platform::PortProvider& ports)
      : ports_(ports),
        twoViews_(WindowsIs64Bit()),
        registry32_(twoViews_ ? KEY_WOW64_32KEY : 0),
        registry64_(KEY_WOW64_64KEY) {}

  int OwnBits() const override { return int(sizeof(void*) * 8); }
  std::vector<int> Views() const override {
    if (twoViews_) return {32, 64};
    return {32};
  }
  platform::Registry& RegistryOf(int bits) override {
    return bits == 64 ? registry64_ : registry32_;
  }
  std::string RegistryName(int bits) const override {
    return std::to_string(bits) + "-разрядный реестр";
  }
  bool HasCom() const override { return true; }
  Finding CheckServiceClass(int bits, const std::string& progId) override {
    return win32::CheckServiceClass(ViewOf(bits), progId);
  }
  Finding CheckControl(int bits) override { return win32::CheckControl(ViewOf(bits)); }
  OpenOutcome OpenServiceObject(const std::string& progId, const std::string& device) override {
    return win32::OpenInProcess(ViewOf(OwnBits()), progId, device);
  }
  platform::PortProvider& Ports() override { return ports_; }
  std::string PortName(int port) const override { return "COM" + std::to_string(port); }

 private:
  win32::View ViewOf(int bits) const {
    if (!twoViews_) return {bits, 0, false};
    return {bits,
            bits == 64 ? static_cast<unsigned long>(KEY_WOW64_64KEY)
                       : static_cast<unsigned long>(KEY_WOW64_32KEY),
            true};
  }

  platform::PortProvider& ports_;
  bool twoViews_;
  platform::Win32Registry registry32_;
  platform::Win32Registry registry64_;
};

}  // namespace

std::unique_ptr<DoctorSystem> MakeWin32DoctorSystem(const DoctorOptions& options, Environment&,
                                                    platform::PortProvider& ports,
                                                    std::string& error) {
  if (!options.registryFile.empty() || !options.ports.empty()) {
    error = "--registry and --port are for Linux; Windows has its registry and COM ports";
    return nullptr;
  }
  return std::make_unique<Win32DoctorSystem>(ports);
}

}  // namespace orn::ornfr
