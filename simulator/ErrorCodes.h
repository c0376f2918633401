#pragma once
// The error codes the register puts in the second byte of an answer, for the failures it
// detects itself.

#include <cstdint>

namespace orn::simulator {

// "Ошибок нет"
inline constexpr uint8_t kErrorNone = 0x00;
// "Некорректная длина команды": the request is not as long as its command needs.
inline constexpr uint8_t kErrorCommandLength = 0x09;
// "Некорректные параметры в команде": a parameter is out of range.
inline constexpr uint8_t kErrorBadParameters = 0x33;
// "Команда не поддерживается в данной реализации ФР"
inline constexpr uint8_t kErrorUnknownCommand = 0x37;
// "Неверный пароль"
inline constexpr uint8_t kErrorWrongPassword = 0x4F;

}  // namespace orn::simulator
