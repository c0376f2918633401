#pragma once
// A system without COM under ornfr doctor: one registry (a REGEDIT4 file on Linux, the
// memory registry in tests), the ports of a port provider, and OpenService run on the
// service object's own code in this process.

#include <string>

#include "Doctor.h"
#include "platform/Platform.h"

namespace orn::ornfr {

class InProcessDoctorSystem : public DoctorSystem {
 public:
  InProcessDoctorSystem(const platform::Platform& platform, platform::PortProvider& ports,
                        std::string registryName);

  int OwnBits() const override { return int(sizeof(void*) * 8); }
  std::vector<int> Views() const override { return {OwnBits()}; }
  platform::Registry& RegistryOf(int) override { return platform_.registry; }
  std::string RegistryName(int) const override { return registryName_; }
  bool HasCom() const override { return false; }
  Finding CheckServiceClass(int, const std::string&) override { return {}; }
  Finding CheckControl(int) override { return {}; }
  OpenOutcome OpenServiceObject(const std::string& progId, const std::string& device) override;
  platform::PortProvider& Ports() override { return ports_; }
  std::string PortName(int port) const override { return "COM" + std::to_string(port); }

 protected:
  platform::Platform platform_;
  platform::PortProvider& ports_;
  std::string registryName_;
};

}  // namespace orn::ornfr
