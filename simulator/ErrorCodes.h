#pragma once
// The error codes the register puts in the second byte of an answer, for the failures it
// detects itself.

#include <cstdint>

namespace orn::simulator {

inline constexpr uint8_t kErrorNone = 0x00;           // "Ошибок нет"
inline constexpr uint8_t kErrorCommandLength = 0x09;  // "Некорректная длина команды"
inline constexpr uint8_t kErrorDateBeforeRecord = 0x13;  // date before the last fiscal record
inline constexpr uint8_t kErrorShiftAreaFull = 0x14;     // no free fiscal memory record
inline constexpr uint8_t kErrorShiftNotOpen = 0x16;      // "Смена не открыта"
inline constexpr uint8_t kErrorFirstShiftAfterLast = 0x17;
inline constexpr uint8_t kErrorFirstDateAfterLast = 0x18;
inline constexpr uint8_t kErrorBadDate = 0x22;  // "Неверная дата"
inline constexpr uint8_t kErrorBadParameters = 0x33;  // "Некорректные параметры в команде"
inline constexpr uint8_t kErrorUnknownCommand = 0x37;  // not in this register
inline constexpr uint8_t kErrorPaymentsBelowTotal = 0x45;
inline constexpr uint8_t kErrorNotEnoughCash = 0x46;  // "Не хватает наличности в кассе"
inline constexpr uint8_t kErrorOtherReceiptType = 0x49;  // open receipt of another type
inline constexpr uint8_t kErrorReceiptOpen = 0x4A;  // "Открыт чек - операция невозможна"
inline constexpr uint8_t kErrorCashlessAboveTotal = 0x4D;
inline constexpr uint8_t kErrorShiftOver24Hours = 0x4E;  // "Смена превысила 24 часа"
inline constexpr uint8_t kErrorWrongPassword = 0x4F;     // "Неверный пароль"
inline constexpr uint8_t kErrorPrinting = 0x50;  // "Идет печать предыдущей команды"
inline constexpr uint8_t kErrorNothingToRepeat = 0x56;  // "Нет документа для повтора"
inline constexpr uint8_t kErrorAwaitingContinue = 0x58;  // waiting for ContinuePrint
inline constexpr uint8_t kErrorDiscountAboveReceipt = 0x5A;
inline constexpr uint8_t kErrorNoSuchTable = 0x5D;  // "Таблица не определена"
inline constexpr uint8_t kErrorNegativeTotal = 0x5F;  // "Отрицательный итог чека"
inline constexpr uint8_t kErrorMultiplyOverflow = 0x60;
inline constexpr uint8_t kErrorPriceRange = 0x61;
inline constexpr uint8_t kErrorQuantityRange = 0x62;
inline constexpr uint8_t kErrorDepartmentRange = 0x63;
inline constexpr uint8_t kErrorTaxTurnoverShort = 0x68;  // not enough tax turnover
inline constexpr uint8_t kErrorNoReceiptPaper = 0x6B;    // "Нет чековой ленты"
inline constexpr uint8_t kErrorNoJournalPaper = 0x6C;  // "Нет контрольной ленты"
inline constexpr uint8_t kErrorWrongSubmode = 0x72;    // not in this submode
inline constexpr uint8_t kErrorWrongMode = 0x73;       // not in this mode
inline constexpr uint8_t kErrorDateMismatch = 0x7C;    // "Не совпадает дата"
inline constexpr uint8_t kErrorNegativeSurcharge = 0x8C;
inline constexpr uint8_t kErrorNegativeDiscount = 0x8D;
inline constexpr uint8_t kErrorSlipBufferEmpty = 0xC5;  // "Буфер подкладного документа пуст"
inline constexpr uint8_t kErrorNoSlip = 0xC6;  // "Подкладной документ отсутствует"

}  // namespace orn::simulator
