#include "simulator/DeviceModel.h"

namespace orn::simulator {

namespace {

struct Preset {
  uint8_t model;
  const char* name;
  uint8_t lineWidth;
  bool journal;
  bool slip;
  uint16_t textRows;
  uint16_t headerFirstRow;
  uint8_t headerLines;
  uint8_t trailerLines;
};

// The models made. Table 4 holds the trailer from row 1 and the header from the first
// header row on; the two portable models have a short table of nine rows.
constexpr Preset kPresets[] = {
    // model, name,                    width, journal, slip, rows, header row, lines
    {0, "ОРНИТА-ФР-Ф", 36, true, false, 14, 4, 3, 3},
    {1, "ОРНИТА-ФР-Ф (Казахстан)", 36, true, false, 14, 6, 4, 3},
    {2, "ОРНИТА-ФР-К", 36, false, false, 14, 6, 5, 4},
    {3, "ОРНИТА-ФР-01", 36, false, false, 14, 4, 3, 3},
    {4, "ОРНИТА-ФР-02", 36, true, false, 14, 6, 4, 3},
    {5, "ОРНИТА-МИНИ-ФР", 36, true, true, 14, 4, 11, 3},
    {6, "ОРНИТА-ФР-Т", 32, false, false, 14, 4, 6, 3},
    {7, "ОРНИТА-ПОРТ-ФР", 36, false, false, 9, 6, 4, 3},
    {8, "ОРНИТА-ФР-03", 36, true, false, 14, 6, 4, 3},
    {9, "ОРНИТА-ФР-Ш", 48, false, true, 14, 10, 5, 3},
    {10, "ОРНИТА-ФР-Ш2", 36, false, false, 14, 6, 4, 3},
    {11, "ОРНИТА-МИНИ-ФР-2", 36, true, true, 14, 4, 11, 3},
    {12, "ОРНИТА-ФР-Ш3", 48, false, true, 14, 10, 5, 3},
    {13, "ОРНИТА-ФР-04", 36, false, false, 14, 4, 3, 3},
    {14, "ОРНИТА-ПОРТ-ФР-2", 36, false, false, 9, 6, 4, 3},
};

}  // namespace

DeviceModel ModelPreset(uint8_t model, uint8_t protocolSubversion) {
  DeviceModel device;
  device.model = model;
  device.protocolSubversion = protocolSubversion;
  const Preset* found = &kPresets[0];
  device.name = "ОРНИТА-ФР";
  for (const Preset& preset : kPresets) {
    if (preset.model != model) continue;
    found = &preset;
    device.name = preset.name;
  }
  device.printer = {found->lineWidth,      found->journal,     found->slip,        found->textRows,
                    found->headerFirstRow, found->headerLines, found->trailerLines};
  // The second version of model 0 has a four-line header from row 6.
  if (model == 0 && protocolSubversion == 4) {
    device.printer.headerFirstRow = 6;
    device.printer.headerLines = 4;
  }
  return device;
}

}  // namespace orn::simulator
