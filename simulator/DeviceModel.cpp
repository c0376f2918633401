#include "simulator/DeviceModel.h"

namespace orn::simulator {

namespace {

struct Preset {
  uint8_t model;
  const char* name;
};

// One name per model byte the driver distinguishes (family, category, line width).
constexpr Preset kPresets[] = {
    {0, "ОРНИТА-ФР-Ф"},       {1, "ОРНИТА-ФР-Ф (Казахстан)"},
    {2, "ОРНИТА-ФР-К"},       {3, "ОРНИТА-ФР-01"},
    {4, "ОРНИТА-ФР-02"},      {5, "ОРНИТА-МИНИ-ФР"},
    {6, "ОРНИТА-ФР-Т"},       {7, "ОРНИТА-ПОРТ-ФР"},
    {8, "ОРНИТА-ФР-03"},      {9, "ОРНИТА-ФР-Ш"},
    {10, "ОРНИТА-ФР-Ш2"},     {11, "ОРНИТА-МИНИ-ФР-2"},
    {12, "ОРНИТА-ФР-Ш3"},     {13, "ОРНИТА-ФР-04"},
    {14, "ОРНИТА-ПОРТ-ФР-2"},
};

}  // namespace

DeviceModel ModelPreset(uint8_t model) {
  DeviceModel device;
  device.model = model;
  device.name = "ОРНИТА-ФР";
  for (const Preset& preset : kPresets) {
    if (preset.model == model) device.name = preset.name;
  }
  return device;
}

}  // namespace orn::simulator
