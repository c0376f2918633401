#pragma once
// The register's error codes and submodes as texts.

#include <string>

namespace orn::device {

inline constexpr char kUnknownErrorText[] = "Неизвестная ошибка";

// The register's text for an error code (any int; unknown codes give kUnknownErrorText).
const char* ErrorText(int code);
// The text of a submode; "Неизвестный код подрежима ФР (%d)." for one the driver does not know.
std::string SubmodeText(int submode);

}  // namespace orn::device
