#include "ReferenceTables.h"

#include <cstdio>

#include "InterfaceMethods.h"
#include "device/DeviceErrors.h"
#include "device/ErrorTriple.h"
#include "device/ResultCodes.h"
#include "platform/portable/TableTextConverter.h"
#include "service/FptrService.h"
#include "service/MethodList.h"

namespace orn::guide {

namespace {

// The driver's texts are Windows-1251.
std::string Utf8(std::string_view ansi) {
  platform::TableTextConverter converter;
  return platform::Utf8FromUtf16(converter.Utf16FromAnsi(ansi));
}

// A text as one cell: Markdown's own characters are escaped.
std::string Cell(std::string_view text) {
  std::string cell;
  for (char c : text) {
    if (std::string_view("\\|*_`<[").find(c) != std::string_view::npos) cell += '\\';
    cell += c;
  }
  return cell;
}

std::string Code(std::string_view name) {
  return "`" + std::string(name) + "`";
}

std::string Row(std::initializer_list<std::string> cells) {
  std::string row = "|";
  for (const std::string& cell : cells) row += " " + cell + " |";
  return row + "\n";
}

std::string Argument(const MethodArgument& argument) {
  std::string text = Code(argument.name) + " " + argument.type;
  if (argument.direction != "in") text += " (" + argument.direction + ")";
  return text;
}

}  // namespace

std::string MethodTable(std::string_view idl, std::string& error) {
  std::string table = Row({"DISPID", "Метод", "Аргументы", "Результат", "Строка журнала"}) +
                      "|---:|---|---|---|---|\n";
  for (const InterfaceMethod& method : ReadInterfaceMethods(idl)) {
    const char* logName = service::MethodLogName(service::Method(method.dispid));
    if (*logName == '\0') {
      error = "the method list has no method " + std::to_string(method.dispid) + " (" +
              method.name + ")";
      return {};
    }
    std::string arguments;
    std::string result = "—";
    for (const MethodArgument& argument : method.arguments) {
      if (argument.direction == "out, retval") {
        result = Code(argument.name) + " " + argument.type;
        continue;
      }
      arguments += (arguments.empty() ? "" : ", ") + Argument(argument);
    }
    const std::string name = Code(method.name) + (method.propertyGet ? " (свойство)" : "");
    table += Row({std::to_string(method.dispid), name, arguments.empty() ? "—" : arguments, result,
                  Cell(logName)});
  }
  return table;
}

std::string NumberPropertyTable() {
  std::string table = Row({"Индекс", "Свойство", "Значение", "Запись"}) + "|---:|---|---|---|\n";
  for (const auto& property : service::FptrService::NumberProperties()) {
    const std::string_view name = property.name;
    std::string value = std::to_string(property.constant);
    // A capability with a getter follows the register model found at ClaimDevice.
    if (property.get) value = name.substr(0, 3) == "Cap" ? "по модели ФР" : "по состоянию";
    table += Row({std::to_string(property.index), Code(name), value, property.set ? "да" : "—"});
  }
  return table;
}

std::string StringPropertyTable() {
  std::string table = Row({"Индекс", "Свойство", "Запись"}) + "|---:|---|---|\n";
  for (const auto& property : service::FptrService::StringProperties())
    table +=
        Row({std::to_string(property.index), Code(property.name), property.settable ? "да" : "—"});
  return table;
}

std::string ResultCodeTable() {
  std::string table = Row({"Код", "Имя"}) + "|---:|---|\n";
  // Result codes of OPOS lie below 500.
  for (int code = 0; code < 500; ++code) {
    const char* name = device::ResultCodeName(code);
    if (std::string_view(name) != device::kUnknownErrorText)
      table += Row({std::to_string(code), Code(name)});
  }
  return table;
}

std::string ExtendedCodeTable() {
  std::string table = Row({"Код", "Имя", "ErrorString"}) + "|---:|---|---|\n";
  for (int code = 200; code < device::kDeviceErrorBase; ++code) {
    char buffer[160];
    const char* name = device::ExtendedCodeName(code, buffer, sizeof buffer);
    if (name == buffer) continue;  // not a name of its own: no such code
    const std::string text = Utf8(device::ExtendedErrorText(code));
    table += Row({std::to_string(code), Code(name), text.empty() ? "—" : Cell(text)});
  }
  return table;
}

std::string DeviceErrorTable() {
  std::string table = Row({"Код ФР", "ResultCodeExtended", "ErrorString"}) + "|---|---:|---|\n";
  for (int code = 1; code < 256; ++code) {
    const char* text = device::ErrorText(code);
    if (std::string_view(text) == device::kUnknownErrorText) continue;
    device::ErrorTriple triple;
    triple.MapDeviceError(uint8_t(code));
    char hex[8];
    std::snprintf(hex, sizeof hex, "%.2Xh", unsigned(code));
    table += Row({hex, std::to_string(triple.ResultCodeExtended()), Cell(Utf8(text))});
  }
  return table;
}

std::optional<std::string> ReferenceTable(std::string_view name, std::string_view idl,
                                          std::string& error) {
  if (name == "methods") return MethodTable(idl, error);
  if (name == "number-properties") return NumberPropertyTable();
  if (name == "string-properties") return StringPropertyTable();
  if (name == "result-codes") return ResultCodeTable();
  if (name == "extended-codes") return ExtendedCodeTable();
  if (name == "device-errors") return DeviceErrorTable();
  return std::nullopt;
}

}  // namespace orn::guide
