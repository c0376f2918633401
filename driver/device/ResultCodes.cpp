#include "device/ResultCodes.h"

#include <cstdio>

#include "device/DeviceErrors.h"

namespace orn::device {

namespace {

struct CodeName {
  int code;
  const char* name;
};

// A row of a name table: the constant and its own name, so that the two cannot disagree.
#define ORN_CODE_NAME(constant) \
  { constant, #constant }

constexpr CodeName kResultCodeNames[] = {
    ORN_CODE_NAME(OPOS_SUCCESS),       ORN_CODE_NAME(OPOS_E_CLOSED),
    ORN_CODE_NAME(OPOS_E_CLAIMED),     ORN_CODE_NAME(OPOS_E_NOTCLAIMED),
    ORN_CODE_NAME(OPOS_E_NOSERVICE),   ORN_CODE_NAME(OPOS_E_DISABLED),
    ORN_CODE_NAME(OPOS_E_ILLEGAL),     ORN_CODE_NAME(OPOS_E_NOHARDWARE),
    ORN_CODE_NAME(OPOS_E_OFFLINE),     ORN_CODE_NAME(OPOS_E_NOEXIST),
    ORN_CODE_NAME(OPOS_E_EXISTS),      ORN_CODE_NAME(OPOS_E_FAILURE),
    ORN_CODE_NAME(OPOS_E_TIMEOUT),     ORN_CODE_NAME(OPOS_E_BUSY),
    ORN_CODE_NAME(OPOS_E_EXTENDED),    ORN_CODE_NAME(OPOS_OR_ALREADYOPEN),
    ORN_CODE_NAME(OPOS_OR_REGBADNAME), ORN_CODE_NAME(OPOS_OR_REGPROGID),
    ORN_CODE_NAME(OPOS_OR_CREATE),     ORN_CODE_NAME(OPOS_OR_BADIF),
    ORN_CODE_NAME(OPOS_OR_FAILEDOPEN), ORN_CODE_NAME(OPOS_OR_BADVERSION),
    ORN_CODE_NAME(OPOS_ORS_NOPORT),    ORN_CODE_NAME(OPOS_ORS_NOTSUPPORTED),
    ORN_CODE_NAME(OPOS_ORS_CONFIG),    ORN_CODE_NAME(OPOS_ORS_SPECIFIC),
};

constexpr CodeName kExtendedCodeNames[] = {
    ORN_CODE_NAME(OPOS_EFPTR_COVER_OPEN),
    ORN_CODE_NAME(OPOS_EFPTR_JRN_EMPTY),
    ORN_CODE_NAME(OPOS_EFPTR_REC_EMPTY),
    ORN_CODE_NAME(OPOS_EFPTR_SLP_EMPTY),
    ORN_CODE_NAME(OPOS_EFPTR_SLP_FORM),
    ORN_CODE_NAME(OPOS_EFPTR_MISSING_DEVICES),
    ORN_CODE_NAME(OPOS_EFPTR_WRONG_STATE),
    ORN_CODE_NAME(OPOS_EFPTR_TECHNICAL_ASSISTANCE),
    ORN_CODE_NAME(OPOS_EFPTR_CLOCK_ERROR),
    ORN_CODE_NAME(OPOS_EFPTR_FISCAL_MEMORY_FULL),
    ORN_CODE_NAME(OPOS_EFPTR_FISCAL_MEMORY_DISCONNECTED),
    ORN_CODE_NAME(OPOS_EFPTR_FISCAL_TOTALS_ERROR),
    ORN_CODE_NAME(OPOS_EFPTR_BAD_ITEM_QUANTITY),
    ORN_CODE_NAME(OPOS_EFPTR_BAD_ITEM_AMOUNT),
    ORN_CODE_NAME(OPOS_EFPTR_BAD_ITEM_DESCRIPTION),
    ORN_CODE_NAME(OPOS_EFPTR_RECEIPT_TOTAL_OVERFLOW),
    ORN_CODE_NAME(OPOS_EFPTR_BAD_VAT),
    ORN_CODE_NAME(OPOS_EFPTR_BAD_PRICE),
    ORN_CODE_NAME(OPOS_EFPTR_BAD_DATE),
    ORN_CODE_NAME(OPOS_EFPTR_NEGATIVE_TOTAL),
    ORN_CODE_NAME(OPOS_EFPTR_WORD_NOT_ALLOWED),
    ORN_CODE_NAME(OPOS_EFPTR_BAD_LENGTH),
    ORN_CODE_NAME(OPOS_EFPTR_MISSING_SET_CURRENCY),
};

#undef ORN_CODE_NAME

// The texts of the extended codes that the driver sets by itself.
constexpr CodeName kExtendedErrorTexts[] = {
    {OPOS_EFPTR_JRN_EMPTY, "Нет контрольной ленты"},
    {OPOS_EFPTR_REC_EMPTY, "Нет чековой ленты"},
    {OPOS_EFPTR_SLP_EMPTY, "Нет слипа"},
    {OPOS_EFPTR_WRONG_STATE, "Неверное состояние."},
    {OPOS_EFPTR_BAD_ITEM_QUANTITY, "Неверное значение количества"},
    {OPOS_EFPTR_BAD_ITEM_AMOUNT, "Неверное значение количества"},
    {OPOS_EFPTR_BAD_ITEM_DESCRIPTION, "Неверное описание. Слишком длинная строка."},
    {OPOS_EFPTR_BAD_PRICE, "Неверное значение цены."},
    {OPOS_EFPTR_BAD_DATE, "Неверное значение даты"},
    {OPOS_EFPTR_NEGATIVE_TOTAL, "Отрицальный подитог"},
};

template <size_t N>
const char* Find(const CodeName (&table)[N], int code) {
  for (const CodeName& entry : table)
    if (entry.code == code) return entry.name;
  return nullptr;
}

}  // namespace

const char* ResultCodeName(int code) {
  const char* name = Find(kResultCodeNames, code);
  return name ? name : kUnknownErrorText;
}

const char* ExtendedCodeName(int code, char* buffer, unsigned size) {
  if (const char* name = Find(kExtendedCodeNames, code)) return name;
  std::snprintf(buffer, size, "Ошибка ФР: %s", ErrorText(code - kDeviceErrorBase));
  return buffer;
}

const char* ExtendedErrorText(int code) {
  const char* text = Find(kExtendedErrorTexts, code);
  return text ? text : "";
}

}  // namespace orn::device
