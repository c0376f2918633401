// The register's settings tables: a field written or read, a table's structure.

#include <algorithm>
#include <cstring>

#include "device/DeviceErrors.h"
#include "device/FiscalDevice.h"
#include "device/ResultCodes.h"

namespace orn::device {

bool FiscalDevice::WriteTable() {
  size_t at = Start(command::kWriteTable);
  at = PutByte(at, TableNumber);
  at = PutInteger(at, TableRow, 2);
  at = PutByte(at, TableField);
  // The value fills the field: a string cut or padded with zeros, a number's low bytes.
  const size_t size = std::min<size_t>(TableFieldSize, kMaxRequest - at);
  if (TableFieldKind == FieldKind::kString) {
    const size_t copied = std::min(size, TableStringValue.size());
    std::memcpy(request_ + at, TableStringValue.data(), copied);
    std::memset(request_ + at + copied, 0, size - copied);
    at += size;
  } else {
    at = PutInteger(at, TableNumberValue, int(std::min<size_t>(size, 4)));
    for (size_t i = 4; i < size; ++i) at = PutByte(at, 0);
  }
  return SendCommand(at);
}

bool FiscalDevice::ReadTable() {
  size_t at = Start(command::kReadTable);
  at = PutByte(at, TableNumber);
  at = PutInteger(at, TableRow, 2);
  at = PutByte(at, TableField);
  if (TableFieldKind == FieldKind::kNumber) TableNumberValue = 0;
  return SendCommand(at);
}

bool FiscalDevice::GetTableStructure(uint8_t table) {
  size_t at = Start(command::kGetTableStructure);
  at = PutByte(at, table);
  return SendCommand(at);
}

}  // namespace orn::device
