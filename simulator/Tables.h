#pragma once
// The register's settings tables: their structures (name, rows, fields with kind and size)
// and contents. Numbers are stored little-endian in their field size, strings padded with
// 00h; a read answers the stored bytes, a write replaces them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "simulator/DeviceModel.h"

namespace orn::simulator {

enum class FieldKind : uint8_t { kNumber, kString };

struct FieldSpec {
  const char* name;
  FieldKind kind;
  uint8_t size;  // bytes; 0 = the model's line width (for strings)
  uint32_t max;  // numbers: the largest value accepted
  uint32_t initial;
};

struct Table {
  uint8_t number = 0;
  std::string name;  // Windows-1251
  uint16_t rows = 0;
  std::vector<FieldSpec> fields;            // field 1 first
  std::vector<uint8_t> sizes;               // resolved field sizes
  std::vector<std::vector<uint8_t>> cells;  // row-major: (row - 1) * fields + field - 1
};

class Tables {
 public:
  // The tables of a model, with their initial contents.
  explicit Tables(const DeviceModel& model);

  // Nothing for a table the register does not have.
  const Table* Find(uint8_t number) const;

  // The result is an error code of the register (0 on success).
  uint8_t Read(uint8_t table, uint16_t row, uint8_t field, std::vector<uint8_t>& value) const;
  uint8_t Write(uint8_t table, uint16_t row, uint8_t field, const uint8_t* value, size_t size);

  // For the register's own use and for tests: a cell as text or number (0 / empty when
  // there is no such cell), and setting one without the checks of Write.
  std::string Text(uint8_t table, uint16_t row, uint8_t field) const;
  uint32_t Number(uint8_t table, uint16_t row, uint8_t field) const;
  bool SetText(uint8_t table, uint16_t row, uint8_t field, const std::string& text);
  bool SetNumber(uint8_t table, uint16_t row, uint8_t field, uint32_t value);

 private:
  // The cell's index in its table's cells; nothing when there is no such cell.
  std::optional<size_t> CellIndex(const Table& table, uint16_t row, uint8_t field) const;
  const std::vector<uint8_t>* Cell(uint8_t table, uint16_t row, uint8_t field) const;
  std::vector<uint8_t>* Cell(uint8_t table, uint16_t row, uint8_t field);

  std::vector<Table> tables_;
};

// Table numbers and the cells the register itself reads.
inline constexpr uint8_t kTableSettings = 1;
inline constexpr uint8_t kTableText = 4;      // field 1: trailer and header lines
inline constexpr uint8_t kTablePayments = 5;  // rows 1..4, field 1: payment type names
inline constexpr uint8_t kTableTaxes = 6;     // rows 1..4: field 1 rate (0.01 %), field 2 name
inline constexpr uint8_t kTableSlip = 12;
inline constexpr uint8_t kTableSlipOperation = 13;  // row 1, field 2: lines per operation

}  // namespace orn::simulator
