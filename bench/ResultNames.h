#pragma once
// The OPOS constant names the result panel shows for result codes, extended codes and
// printer states; a value missing from its table shows as its signed decimal number.

#include <cstdint>
#include <string>

namespace orn::bench {

std::wstring ResultCodeName(int32_t code);
std::wstring ExtendedCodeName(int32_t code);
std::wstring PrinterStateName(int32_t state);

}  // namespace orn::bench
