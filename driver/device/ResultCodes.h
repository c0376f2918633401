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
// Open results of the control (3xx) and of the service object (4xx).
inline constexpr int OPOS_OR_ALREADYOPEN = 301;
inline constexpr int OPOS_OR_REGBADNAME = 302;
inline constexpr int OPOS_OR_REGPROGID = 303;
inline constexpr int OPOS_OR_CREATE = 304;
inline constexpr int OPOS_OR_BADIF = 305;
inline constexpr int OPOS_OR_FAILEDOPEN = 306;
inline constexpr int OPOS_OR_BADVERSION = 307;
inline constexpr int OPOS_ORS_NOPORT = 401;
inline constexpr int OPOS_ORS_NOTSUPPORTED = 402;
inline constexpr int OPOS_ORS_CONFIG = 403;
inline constexpr int OPOS_ORS_SPECIFIC = 450;

inline constexpr int OPOS_EFPTR_COVER_OPEN = 201;
inline constexpr int OPOS_EFPTR_JRN_EMPTY = 202;
inline constexpr int OPOS_EFPTR_REC_EMPTY = 203;
inline constexpr int OPOS_EFPTR_SLP_EMPTY = 204;
inline constexpr int OPOS_EFPTR_SLP_FORM = 205;
inline constexpr int OPOS_EFPTR_MISSING_DEVICES = 206;
inline constexpr int OPOS_EFPTR_WRONG_STATE = 207;
inline constexpr int OPOS_EFPTR_TECHNICAL_ASSISTANCE = 208;
inline constexpr int OPOS_EFPTR_CLOCK_ERROR = 209;
inline constexpr int OPOS_EFPTR_FISCAL_MEMORY_FULL = 210;
inline constexpr int OPOS_EFPTR_FISCAL_MEMORY_DISCONNECTED = 211;
inline constexpr int OPOS_EFPTR_FISCAL_TOTALS_ERROR = 212;
inline constexpr int OPOS_EFPTR_BAD_ITEM_QUANTITY = 213;
inline constexpr int OPOS_EFPTR_BAD_ITEM_AMOUNT = 214;
inline constexpr int OPOS_EFPTR_BAD_ITEM_DESCRIPTION = 215;
inline constexpr int OPOS_EFPTR_RECEIPT_TOTAL_OVERFLOW = 216;
inline constexpr int OPOS_EFPTR_BAD_VAT = 217;
inline constexpr int OPOS_EFPTR_BAD_PRICE = 218;
inline constexpr int OPOS_EFPTR_BAD_DATE = 219;
inline constexpr int OPOS_EFPTR_NEGATIVE_TOTAL = 220;
inline constexpr int OPOS_EFPTR_WORD_NOT_ALLOWED = 221;
inline constexpr int OPOS_EFPTR_BAD_LENGTH = 222;
inline constexpr int OPOS_EFPTR_MISSING_SET_CURRENCY = 223;

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
