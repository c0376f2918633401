// What the register's type answer and last status mean for the properties: capabilities
// by model category, line width, the open day, the description and where register table 4
// keeps the header and trailer.

#include <cstdio>

#include "device/DeviceStatus.h"
#include "device/ModelTable.h"
#include "receipt/SettingsTables.h"
#include "service/FptrService.h"

namespace orn::service {

namespace {

bool In(int value, std::initializer_list<int> set) {
  for (int member : set)
    if (member == value) return true;
  return false;
}

uint32_t Le32(const uint8_t* bytes) {
  return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
         uint32_t(bytes[3]) << 24;
}

}  // namespace

bool FptrService::ApplyDeviceType() {
  const int category = device_.ModelCategory();
  const device::DeviceType& type = device_.Type();

  caps_ = Capabilities{};
  caps_.recPresent = caps_.recEmptySensor = true;
  caps_.recNearEndSensor = In(category, {1, 4, 7});
  caps_.jrnPresent = caps_.jrnEmptySensor = caps_.jrnNearEndSensor = In(category, {1, 4});
  caps_.slpPresent = caps_.slpEmptySensor = caps_.slpFiscalDocument = In(category, {4, 7});
  caps_.slpNearEndSensor = false;
  caps_.coverSensor = In(category, {1, 4, 6, 7});
  caps_.doubleWidth = device_.ModelFamily() == 2;
  caps_.duplicateReceipt = int8_t(type.protocolVersion) >= 1 && type.protocolSubversion >= 2;

  device_.SetLineWidth(device::LineWidthForCategory(category));
  const int modeNumber = device::mode::Number(device_.ModeByte());
  dayOpened_ = In(modeNumber, {2, 3, 8, 13});

  char description[160];
  std::snprintf(description, sizeof description, "%s № %u", type.name.c_str(),
                unsigned(Le32(device_.StatusBlock() + device::status::kRegisterNumber)));
  deviceDescription_ = description;

  receipt::TextRows rows;
  if (!receipt::ReadTextRows(device_, rows)) return false;
  numHeaderLines_ = rows.headerLines;
  numTrailerLines_ = rows.trailerLines;
  firstHeaderRow_ = rows.firstHeaderRow;
  return true;
}

}  // namespace orn::service
