// The register's settings tables: a field written or read, a table's structure.

#include <algorithm>
#include <cstring>

#include "device/DeviceErrors.h"
#include "device/FiscalDevice.h"
#include "device/ResultCodes.h"

namespace orn::device {

size_t FiscalDevice::PutTableCell(const Command& command, const TableCell& cell) {
  size_t at = Start(command);
  at = PutByte(at, cell.table);
  at = PutInteger(at, cell.row, 2);
  return PutByte(at, cell.field);
}

bool FiscalDevice::WriteTable(const TableCell& cell, TableValue value) {
  size_t at = PutTableCell(command::kWriteTable, cell);
  // The value fills the field: a string cut or padded with zeros, a number's low bytes.
  const size_t size = std::min<size_t>(cell.size, kMaxRequest - at);
  if (cell.kind == FieldKind::kString) {
    const size_t copied = std::min(size, value.text.size());
    PutBytes(at, reinterpret_cast<const uint8_t*>(value.text.data()), copied);
    std::memset(request_ + at + copied, 0, size - copied);
    at += size;
  } else {
    at = PutInteger(at, value.number, int(std::min<size_t>(size, 4)));
    for (size_t i = 4; i < size; ++i) at = PutByte(at, 0);
  }
  return SendCommand(at);
}

std::optional<TableValue> FiscalDevice::ReadTable(const TableCell& cell) {
  readCell_ = cell;
  tableNumber_ = 0;
  tableTextLength_ = 0;
  if (!SendCommand(PutTableCell(command::kReadTable, cell))) return std::nullopt;
  if (cell.kind == FieldKind::kNumber) return TableValue::Number(tableNumber_);
  return TableValue::Text(std::string_view(tableText_, tableTextLength_));
}

bool FiscalDevice::GetTableStructure(uint8_t table) {
  size_t at = Start(command::kGetTableStructure);
  at = PutByte(at, table);
  return SendCommand(at);
}

}  // namespace orn::device
