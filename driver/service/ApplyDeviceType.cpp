// What the register's type answer and last status mean for the properties: capabilities
// by model category, line width, the open day, the description and where register table 4
// keeps the header and trailer of each model family.

#include <cstdio>

#include "device/DeviceStatus.h"
#include "device/ModelTable.h"
#include "service/FptrService.h"

namespace orn::service {

namespace {

struct TextRows {
  int32_t headerLines;
  int32_t trailerLines;
  int32_t firstHeaderRow;  // 0: found from the size of table 4
};

// Header and trailer lines of table 4 by model family; other families have none.
TextRows TextRowsOfFamily(int family) {
  switch (family) {
    case 1:
    case 5:
      return {3, 3, 4};
    case 2:
    case 3:
    case 6:
    case 12:
      return {4, 3, 6};
    case 4:
      return {5, 4, 6};
    case 7:
    case 8:
      return {11, 3, 4};
    case 9:
      return {6, 3, 4};
    case 10:
    case 11:
      return {4, 3, 0};
    case 13:
    case 14:
      return {5, 3, 10};
    default:
      return {0, 0, 0};
  }
}

// Families 10 and 11 come with a short table 4 (header from row 6) or a long one.
constexpr uint16_t kShortTextTableRows = 9;
constexpr int32_t kShortTableHeaderRow = 6;
constexpr int32_t kLongTableHeaderRow = 23;
constexpr uint8_t kTextTable = 4;

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

  device_.LineWidth = device::LineWidthForCategory(category);
  const int modeNumber = device::mode::Number(device_.ModeByte());
  dayOpened_ = In(modeNumber, {2, 3, 8, 13});

  char description[160];
  std::snprintf(description, sizeof description, "%s № %u", type.name.c_str(),
                unsigned(Le32(device_.StatusBlock() + device::status::kRegisterNumber)));
  deviceDescription_ = description;

  const TextRows rows = TextRowsOfFamily(device_.ModelFamily());
  numHeaderLines_ = rows.headerLines;
  numTrailerLines_ = rows.trailerLines;
  firstHeaderRow_ = rows.firstHeaderRow;
  if (firstHeaderRow_ == 0 && numHeaderLines_ != 0) {
    if (!device_.GetTableStructure(kTextTable)) return false;
    firstHeaderRow_ =
        device_.TableRowCount() == kShortTextTableRows ? kShortTableHeaderRow : kLongTableHeaderRow;
  }
  return true;
}

}  // namespace orn::service
