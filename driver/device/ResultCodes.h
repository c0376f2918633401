#pragma once
// OPOS result codes and fiscal-printer extended codes that the driver reports, with the
// names it writes to the log.

#include <cstdint>

namespace orn::device {

inline constexpr int OPOS_SUCCESS = 0;
inline constexpr int OPOS_E_CLOSED = 101;
inline constexpr int OPOS_E_CLAIMED = 102;
inline constexpr int OPOS_E_NOTCLAIMED = 103;
inline constexpr int OPOS_E_NOSERVICE = 104;
inline constexpr int OPOS_E_DISABLED = 105;
inline constexpr int OPOS_E_ILLEGAL = 106;
inline constexpr int OPOS_E_NOHARDWARE = 107;
inline constexpr int OPOS_E_OFFLINE = 108;
inline constexpr int OPOS_E_NOEXIST = 109;
inline constexpr int OPOS_E_EXISTS = 110;
inline constexpr int OPOS_E_FAILURE = 111;
inline constexpr int OPOS_E_TIMEOUT = 112;
inline constexpr int OPOS_E_BUSY = 113;
inline constexpr int OPOS_E_EXTENDED = 114;
inline constexpr int OPOS_ORS_NOPORT = 401;
inline constexpr int OPOS_ORS_CONFIG = 403;

inline constexpr int OPOS_EFPTR_COVER_OPEN = 201;
inline constexpr int OPOS_EFPTR_JRN_EMPTY = 202;
inline constexpr int OPOS_EFPTR_REC_EMPTY = 203;
inline constexpr int OPOS_EFPTR_SLP_EMPTY = 204;
inline constexpr int OPOS_EFPTR_SLP_FORM = 205;
inline constexpr int OPOS_EFPTR_WRONG_STATE = 207;
inline constexpr int OPOS_EFPTR_BAD_ITEM_QUANTITY = 213;
inline constexpr int OPOS_EFPTR_BAD_ITEM_AMOUNT = 214;
inline constexpr int OPOS_EFPTR_BAD_ITEM_DESCRIPTION = 215;
inline constexpr int OPOS_EFPTR_BAD_PRICE = 218;
inline constexpr int OPOS_EFPTR_BAD_DATE = 219;
inline constexpr int OPOS_EFPTR_NEGATIVE_TOTAL = 220;

// Extended codes above this carry a register error code: 300 + code.
inline constexpr int kDeviceErrorBase = 300;

// "OPOS_SUCCESS", "OPOS_E_TIMEOUT", ...; "Неизвестная ошибка" for a code without a name.
const char* ResultCodeName(int code);
// "OPOS_EFPTR_REC_EMPTY", ...; for any other code "Ошибка ФР: " and the register's text
// for code - 300, written into `buffer`.
const char* ExtendedCodeName(int code, char* buffer, unsigned size);
// The driver's own text for an extended code it sets itself; empty when it has none.
const char* ExtendedErrorText(int code);

}  // namespace orn::device
