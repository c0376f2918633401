// The settings tables: write a field, read a field, the structure of a table.

#include <cstring>

#include "simulator/ErrorCodes.h"
#include "simulator/RegisterCommands.h"
#include "simulator/Wire.h"

namespace orn::simulator {

namespace {

constexpr size_t kTableNameSize = 40;
constexpr size_t kCoordinates = 4;  // table, row (2), field

}  // namespace

// Table, row (2), field, the value in the field's size.
uint8_t RegisterCommands::WriteTable(const Request& request, Answer&) {
  const uint8_t* p = request.params;
  return tables_.Write(p[0], uint16_t(GetLe(p + 1, 2)), p[3], p + kCoordinates,
                       request.length - kCoordinates);
}

// Table, row (2), field. Answer: the field's bytes.
uint8_t RegisterCommands::ReadTable(const Request& request, Answer& answer) {
  const uint8_t* p = request.params;
  std::vector<uint8_t> value;
  const uint8_t error = tables_.Read(p[0], uint16_t(GetLe(p + 1, 2)), p[3], value);
  if (error != kErrorNone) return error;
  std::memcpy(answer.data, value.data(), value.size());
  answer.length = value.size();
  return kErrorNone;
}

// Table. Answer: name (40 bytes, padded with 00h), row count (2), field count.
uint8_t RegisterCommands::GetTableStructure(const Request& request, Answer& answer) {
  const Table* table = tables_.Find(request.params[0]);
  if (table == nullptr) return kErrorNoSuchTable;
  std::memset(answer.data, 0, kTableNameSize);
  std::memcpy(answer.data, table->name.data(),
              table->name.size() < kTableNameSize ? table->name.size() : kTableNameSize);
  PutLe(answer.data + kTableNameSize, table->rows, 2);
  answer.data[kTableNameSize + 2] = uint8_t(table->fields.size());
  answer.length = kTableNameSize + 3;
  return kErrorNone;
}

}  // namespace orn::simulator
