#pragma once
// The register's settings tables that the service and the engineer's tool both write: table
// 4 with the trailer lines (rows 1..trailerLines) and the header lines (from the model
// family's first header row on), and table 6 with the tax rates of groups 1..4.

#include <cstdint>
#include <string>

namespace orn::device {
class FiscalDevice;
}

namespace orn::receipt {

inline constexpr uint8_t kTextTable = 4;
inline constexpr uint8_t kTaxTable = 6;
inline constexpr int32_t kTaxGroups = 4;
inline constexpr uint16_t kMaxTaxRate = 9999;  // 99.99 %

struct TextRows {
  int32_t headerLines = 0;
  int32_t trailerLines = 0;
  int32_t firstHeaderRow = 0;
};

// The rows of the register's model family (known once its type was read). Two families
// come with a short or a long table; for them the table's size is asked. False with the
// error triple set when that fails.
bool ReadTextRows(device::FiscalDevice& device, TextRows& rows);

// A line of table 4 as a field of the line width: an empty text as one blank (an empty
// field reads back as no line at all), a shorter one padded with 00h.
bool WriteTextRow(device::FiscalDevice& device, uint16_t row, const std::string& text);
// The rate of tax group 1..4 in 0.01 %.
bool WriteTaxRate(device::FiscalDevice& device, int32_t group, uint16_t rate);

}  // namespace orn::receipt
