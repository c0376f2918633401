#pragma once
// The property tables of the "Параметры" and "Свойства" pages, and the text each shows for a
// property's value.

#include <span>
#include <string>

namespace orn::bench {

class TOPOSFiscalPrinter;

std::span<const wchar_t* const> PropertyNames();   // 118, in list order
bool IsBooleanProperty(const std::wstring& name);  // shown as "true" or "false"

// The value read by name; the error's message when it cannot be read or converted.
std::wstring PropertyValueText(TOPOSFiscalPrinter& printer, const std::wstring& name);

}  // namespace orn::bench
