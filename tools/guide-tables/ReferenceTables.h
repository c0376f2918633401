#pragma once
// The reference tables of the integrator's guide, as Markdown, printed from the driver's
// own tables: the IFptr methods (the type library's source and the service's method list),
// the property indexes, the OPOS result and extended codes with the driver's texts, and the
// register's error texts. Texts come out in UTF-8.

#include <optional>
#include <string>
#include <string_view>

namespace orn::guide {

// Methods need the text of FPTRLib.idl.in; a method the service's list does not name is an
// error, returned in `error`.
std::string MethodTable(std::string_view idl, std::string& error);
std::string NumberPropertyTable();
std::string StringPropertyTable();
std::string ResultCodeTable();
std::string ExtendedCodeTable();
std::string DeviceErrorTable();

// The table called `name` ("methods", "number-properties", "string-properties",
// "result-codes", "extended-codes", "device-errors"), or nothing.
std::optional<std::string> ReferenceTable(std::string_view name, std::string_view idl,
                                          std::string& error);

}  // namespace orn::guide
