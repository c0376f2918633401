#pragma once
// What the register says about itself in the GetDeviceType answer, its printer (line width,
// journal, slip station, the rows of its text table), and the presets of the model bytes.

#include <cstdint>
#include <string>

namespace orn::simulator {

// The printer mechanism of a model.
struct PrinterTraits {
  uint8_t lineWidth = 36;  // characters per line of the receipt tape
  bool hasJournal = true;
  bool hasSlip = false;
  // Table 4: rows 1..trailerLines are the trailer printed at the end of a document, rows
  // headerFirstRow.. the header printed at its start.
  uint16_t textRows = 14;
  uint16_t headerFirstRow = 4;
  uint8_t headerLines = 3;
  uint8_t trailerLines = 3;
};

struct DeviceModel {
  uint8_t type = 0;  // 0 = cash register
  uint8_t subtype = 0;
  uint8_t protocolVersion = 1;
  uint8_t protocolSubversion = 0;
  uint8_t model = 0;
  uint8_t language = 0;  // 0 = Russian
  std::string name;      // Windows-1251, sent without a terminator
  PrinterTraits printer;
};

// The preset of a model byte (0..14 are the models made; other bytes get a generic name and
// the traits of model 0). `protocolSubversion` 4 is model 0's second version.
DeviceModel ModelPreset(uint8_t model, uint8_t protocolSubversion = 0);

}  // namespace orn::simulator
