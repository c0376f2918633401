#include "simulator/Tables.h"

#include <algorithm>
#include <cstring>

#include "simulator/ErrorCodes.h"
#include "simulator/Wire.h"

namespace orn::simulator {

namespace {

constexpr FieldKind N = FieldKind::kNumber;
constexpr FieldKind S = FieldKind::kString;

// Table 1, "Тип и режимы кассы": switches of the register, one row.
const FieldSpec kSettingsFields[] = {
    {"Номер кассы в магазине", N, 1, 99, 1},
    {"Автоматическое обнуление наличности", N, 1, 1, 0},
    {"Работа с денежным ящиком", N, 1, 1, 0},
    {"Отрезка чека", N, 1, 1, 1},
    {"Печать рекламного текста", N, 1, 1, 1},
    {"Печать необнуляемой суммы", N, 1, 1, 0},
    {"Звуковой сигнал", N, 1, 1, 1},
    {"Промотка ленты перед отрезкой", N, 1, 1, 0},
    {"Печать заголовка документа", N, 1, 1, 1},
    {"Количество строк рекламного текста", N, 1, 3, 3},
    {"Печать на контрольной ленте", N, 1, 1, 1},
    {"Печать даты и времени", N, 1, 1, 1},
    {"Шрифт по умолчанию", N, 1, 7, 1},
    {"Яркость печати", N, 1, 15, 8},
    {"Печать отдела", N, 1, 1, 1},
    {"Длинный заводской номер", N, 1, 1, 0},
    {"Печать заголовка в начале чека", N, 1, 1, 1},
    {"Сжатый шрифт на контрольной ленте", N, 1, 1, 0},
    {"Работа с весами", N, 1, 1, 0},
    {"Открывать ящик при закрытии чека", N, 1, 1, 0},
};

// Table 4, "Текст в чеке": one line per row, as wide as the tape.
const FieldSpec kTextFields[] = {{"Строка", S, 0, 0, 0}};

// Table 5, "Наименования типов оплаты": rows 1..4.
const FieldSpec kPaymentFields[] = {{"Наименование типа оплаты", S, 0, 0, 0}};

// Table 6, "Налоговые ставки": rows 1..4 = tax groups 1..4; the rate in 0.01 %.
const FieldSpec kTaxFields[] = {
    {"Налоговая ставка", N, 2, 9999, 0},
    {"Наименование налога", S, 10, 0, 0},
};

// Table 12, "Подкладной документ": the slip page, one row.
const FieldSpec kSlipFields[] = {
    {"Ширина поля печати", N, 1, 255, 80}, {"Первая строка документа", N, 1, 255, 1},
    {"Строк в документе", N, 1, 255, 40},  {"Шрифт", N, 1, 7, 1},
    {"Отступ слева", N, 1, 255, 0},        {"Межстрочный интервал", N, 1, 255, 5},
    {"Автовыброс документа", N, 1, 1, 0},  {"Копия на контрольной ленте", N, 1, 1, 0},
};

// Table 13, "Операция на подкладном документе": line counts, one row.
const FieldSpec kSlipOperationFields[] = {
    {"Смещение строки операции", N, 1, 255, 0},
    {"Строк на операцию", N, 1, 10, 2},
    {"Строк на скидку или надбавку", N, 1, 10, 1},
    {"Строк на итог", N, 1, 20, 4},
};

struct TableLayout {
  uint8_t number;
  const char* name;
  uint16_t rows;  // 0 = the model's text rows
  const FieldSpec* fields;
  size_t fieldCount;
};

template <size_t n>
constexpr TableLayout Layout(uint8_t number, const char* name, uint16_t rows,
                             const FieldSpec (&fields)[n]) {
  return {number, name, rows, fields, n};
}

const TableLayout kTableLayouts[] = {
    Layout(kTableSettings, "Тип и режимы кассы", 1, kSettingsFields),
    Layout(kTableText, "Текст в чеке", 0, kTextFields),
    Layout(kTablePayments, "Наименования типов оплаты", 4, kPaymentFields),
    Layout(kTableTaxes, "Налоговые ставки", 4, kTaxFields),
    Layout(kTableSlip, "Подкладной документ", 1, kSlipFields),
    Layout(kTableSlipOperation, "Операция на подкладном документе", 1, kSlipOperationFields),
};

struct InitialText {
  uint8_t table;
  uint16_t row;  // with headerRow: counted from the model's first header row (0 = it)
  bool headerRow;
  uint8_t field;
  const char* text;
};

const InitialText kInitialTexts[] = {
    {kTableText, 1, false, 1, "СПАСИБО ЗА ПОКУПКУ"},
    {kTableText, 0, true, 1, "ООО \"ОРНИТА\""},
    {kTableText, 1, true, 1, "г. Москва, ул. Примерная, 1"},
    {kTableText, 2, true, 1, "ДОБРО ПОЖАЛОВАТЬ"},
    {kTablePayments, 1, false, 1, "НАЛИЧНЫМИ"},
    {kTablePayments, 2, false, 1, "КРЕДИТОМ"},
    {kTablePayments, 3, false, 1, "ТАРОЙ"},
    {kTablePayments, 4, false, 1, "ПЛАТ. КАРТОЙ"},
    {kTableTaxes, 1, false, 2, "НДС 18%"},
    {kTableTaxes, 2, false, 2, "НДС 10%"},
    {kTableTaxes, 3, false, 2, "НДС 0%"},
    {kTableTaxes, 4, false, 2, "БЕЗ НДС"},
};

constexpr uint32_t kInitialRates[] = {1800, 1000, 0, 0};

}  // namespace

Tables::Tables(const DeviceModel& model) {
  for (const TableLayout& layout : kTableLayouts) {
    Table table;
    table.number = layout.number;
    table.name = layout.name;
    table.rows = layout.rows != 0 ? layout.rows : model.printer.textRows;
    table.fields.assign(layout.fields, layout.fields + layout.fieldCount);
    for (const FieldSpec& field : table.fields)
      table.sizes.push_back(field.size != 0 ? field.size : model.printer.lineWidth);
    for (uint16_t row = 0; row < table.rows; ++row) {
      for (size_t f = 0; f < table.fields.size(); ++f) {
        std::vector<uint8_t> cell(table.sizes[f], 0);
        if (table.fields[f].kind == FieldKind::kNumber)
          PutLe(cell.data(), table.fields[f].initial, cell.size());
        table.cells.push_back(std::move(cell));
      }
    }
    tables_.push_back(std::move(table));
  }
  for (const InitialText& initial : kInitialTexts) {
    const uint16_t row =
        initial.headerRow ? uint16_t(model.printer.headerFirstRow + initial.row) : initial.row;
    SetText(initial.table, row, initial.field, initial.text);
  }
  for (uint16_t row = 1; row <= 4; ++row) SetNumber(kTableTaxes, row, 1, kInitialRates[row - 1]);
}

const Table* Tables::Find(uint8_t number) const {
  for (const Table& table : tables_) {
    if (table.number == number) return &table;
  }
  return nullptr;
}

std::optional<size_t> Tables::CellIndex(const Table& table, uint16_t row, uint8_t field) const {
  if (row < 1 || row > table.rows || field < 1 || field > table.fields.size()) return std::nullopt;
  return size_t(row - 1) * table.fields.size() + (field - 1);
}

const std::vector<uint8_t>* Tables::Cell(uint8_t number, uint16_t row, uint8_t field) const {
  const Table* table = Find(number);
  if (table == nullptr) return nullptr;
  const std::optional<size_t> index = CellIndex(*table, row, field);
  return index ? &table->cells[*index] : nullptr;
}

std::vector<uint8_t>* Tables::Cell(uint8_t number, uint16_t row, uint8_t field) {
  for (Table& table : tables_) {
    if (table.number != number) continue;
    const std::optional<size_t> index = CellIndex(table, row, field);
    return index ? &table.cells[*index] : nullptr;
  }
  return nullptr;
}

uint8_t Tables::Read(uint8_t table, uint16_t row, uint8_t field,
                     std::vector<uint8_t>& value) const {
  if (Find(table) == nullptr) return kErrorNoSuchTable;
  const std::vector<uint8_t>* cell = Cell(table, row, field);
  if (cell == nullptr) return kErrorBadParameters;
  value = *cell;
  return kErrorNone;
}

uint8_t Tables::Write(uint8_t table, uint16_t row, uint8_t field, const uint8_t* value,
                      size_t size) {
  const Table* found = Find(table);
  if (found == nullptr) return kErrorNoSuchTable;
  std::vector<uint8_t>* cell = Cell(table, row, field);
  if (cell == nullptr) return kErrorBadParameters;
  if (size != cell->size()) return kErrorCommandLength;
  const FieldSpec& layout = found->fields[field - 1];
  if (layout.kind == FieldKind::kNumber && GetLe(value, size) > layout.max)
    return kErrorBadParameters;
  cell->assign(value, value + size);
  return kErrorNone;
}

std::string Tables::Text(uint8_t table, uint16_t row, uint8_t field) const {
  const std::vector<uint8_t>* cell = Cell(table, row, field);
  return cell == nullptr ? std::string() : FieldText(cell->data(), cell->size());
}

uint32_t Tables::Number(uint8_t table, uint16_t row, uint8_t field) const {
  const std::vector<uint8_t>* cell = Cell(table, row, field);
  return cell == nullptr ? 0 : uint32_t(GetLe(cell->data(), cell->size()));
}

bool Tables::SetText(uint8_t table, uint16_t row, uint8_t field, const std::string& text) {
  std::vector<uint8_t>* cell = Cell(table, row, field);
  if (cell == nullptr) return false;
  std::fill(cell->begin(), cell->end(), 0);
  std::memcpy(cell->data(), text.data(), std::min(text.size(), cell->size()));
  return true;
}

bool Tables::SetNumber(uint8_t table, uint16_t row, uint8_t field, uint32_t value) {
  std::vector<uint8_t>* cell = Cell(table, row, field);
  if (cell == nullptr) return false;
  PutLe(cell->data(), value, cell->size());
  return true;
}

}  // namespace orn::simulator
