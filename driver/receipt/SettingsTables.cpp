#include "receipt/SettingsTables.h"

#include "device/FiscalDevice.h"

namespace orn::receipt {

namespace {

// Header and trailer lines of table 4 by model family; other families have none.
// First header row 0: found from the size of table 4.
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

constexpr uint8_t kTextField = 1;
constexpr uint8_t kTaxRateField = 1;
constexpr uint8_t kTaxRateSize = 2;

}  // namespace

bool ReadTextRows(device::FiscalDevice& device, TextRows& rows) {
  rows = TextRowsOfFamily(device.ModelFamily());
  if (rows.firstHeaderRow != 0 || rows.headerLines == 0) return true;
  if (!device.GetTableStructure(kTextTable)) return false;
  rows.firstHeaderRow =
      device.TableRowCount() == kShortTextTableRows ? kShortTableHeaderRow : kLongTableHeaderRow;
  return true;
}

bool WriteTextRow(device::FiscalDevice& device, uint16_t row, const std::string& text) {
  const device::TableCell cell{kTextTable, row, kTextField, device::FieldKind::kString,
                               uint8_t(device.LineWidth())};
  return device.WriteTable(cell,
                           device::TableValue::Text(text.empty() ? std::string_view(" ") : text));
}

bool WriteTaxRate(device::FiscalDevice& device, int32_t group, uint16_t rate) {
  const device::TableCell cell{kTaxTable, uint16_t(group), kTaxRateField,
                               device::FieldKind::kNumber, kTaxRateSize};
  return device.WriteTable(cell, device::TableValue::Number(rate));
}

}  // namespace orn::receipt
