#pragma once
// The properties the "Свойства" page writes, with the type the control holds each in: a
// typed value is written as soon as the control can take it as that type, and otherwise
// only when the person is done with it (Enter, or leaving the field).

#include <string>

namespace orn::bench {

bool IsWritableProperty(const std::wstring& name);
// Whether the control would take the text as a value of the property, converting it the
// way the control's dispatch converts an argument (in the user's locale).
bool IsValueOfProperty(const std::wstring& name, const std::wstring& text);

}  // namespace orn::bench
