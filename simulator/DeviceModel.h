#pragma once
// What the register says about itself in the GetDeviceType answer, and the presets for the
// model bytes the driver tells apart.

#include <cstdint>
#include <string>

namespace orn::simulator {

struct DeviceModel {
  uint8_t type = 0;  // 0 = cash register
  uint8_t subtype = 0;
  uint8_t protocolVersion = 1;
  uint8_t protocolSubversion = 0;
  uint8_t model = 0;
  uint8_t language = 0;  // 0 = Russian
  std::string name;      // Windows-1251, sent without a terminator
};

// The preset of a model byte; bytes without a preset of their own get a generic name.
DeviceModel ModelPreset(uint8_t model);

}  // namespace orn::simulator
