#include "device/ResultCodes.h"

#include <cstdio>

#include "device/DeviceErrors.h"

namespace orn::device {

namespace {

struct CodeName {
  int code;
  const char* name;
};

constexpr CodeName kResultCodeNames[] = {
    {0, "OPOS_SUCCESS"},          {101, "OPOS_E_CLOSED"},      {102, "OPOS_E_CLAIMED"},
    {103, "OPOS_E_NOTCLAIMED"},   {104, "OPOS_E_NOSERVICE"},   {105, "OPOS_E_DISABLED"},
    {106, "OPOS_E_ILLEGAL"},      {107, "OPOS_E_NOHARDWARE"},  {108, "OPOS_E_OFFLINE"},
    {109, "OPOS_E_NOEXIST"},      {110, "OPOS_E_EXISTS"},      {111, "OPOS_E_FAILURE"},
    {112, "OPOS_E_TIMEOUT"},      {113, "OPOS_E_BUSY"},        {114, "OPOS_E_EXTENDED"},
    {301, "OPOS_OR_ALREADYOPEN"}, {302, "OPOS_OR_REGBADNAME"}, {303, "OPOS_OR_REGPROGID"},
    {304, "OPOS_OR_CREATE"},      {305, "OPOS_OR_BADIF"},      {306, "OPOS_OR_FAILEDOPEN"},
    {307, "OPOS_OR_BADVERSION"},  {401, "OPOS_ORS_NOPORT"},    {402, "OPOS_ORS_NOTSUPPORTED"},
    {403, "OPOS_ORS_CONFIG"},     {450, "OPOS_ORS_SPECIFIC"},
};

constexpr CodeName kExtendedCodeNames[] = {
    {201, "OPOS_EFPTR_COVER_OPEN"},
    {202, "OPOS_EFPTR_JRN_EMPTY"},
    {203, "OPOS_EFPTR_REC_EMPTY"},
    {204, "OPOS_EFPTR_SLP_EMPTY"},
    {205, "OPOS_EFPTR_SLP_FORM"},
    {206, "OPOS_EFPTR_MISSING_DEVICES"},
    {207, "OPOS_EFPTR_WRONG_STATE"},
    {208, "OPOS_EFPTR_TECHNICAL_ASSISTANCE"},
    {209, "OPOS_EFPTR_CLOCK_ERROR"},
    {210, "OPOS_EFPTR_FISCAL_MEMORY_FULL"},
    {211, "OPOS_EFPTR_FISCAL_MEMORY_DISCONNECTED"},
    {212, "OPOS_EFPTR_FISCAL_TOTALS_ERROR"},
    {213, "OPOS_EFPTR_BAD_ITEM_QUANTITY"},
    {214, "OPOS_EFPTR_BAD_ITEM_AMOUNT"},
    {215, "OPOS_EFPTR_BAD_ITEM_DESCRIPTION"},
    {216, "OPOS_EFPTR_RECEIPT_TOTAL_OVERFLOW"},
    {217, "OPOS_EFPTR_BAD_VAT"},
    {218, "OPOS_EFPTR_BAD_PRICE"},
    {219, "OPOS_EFPTR_BAD_DATE"},
    {220, "OPOS_EFPTR_NEGATIVE_TOTAL"},
    {221, "OPOS_EFPTR_WORD_NOT_ALLOWED"},
    {222, "OPOS_EFPTR_BAD_LENGTH"},
    {223, "OPOS_EFPTR_MISSING_SET_CURRENCY"},
};

// The texts of the extended codes that the driver sets by itself.
constexpr CodeName kExtendedErrorTexts[] = {
    {202, "Нет контрольной ленты"},
    {203, "Нет чековой ленты"},
    {204, "Нет слипа"},
    {207, "Неверное состояние."},
    {213, "Неверное значение количества"},
    {214, "Неверное значение количества"},
    {215, "Неверное описание. Слишком длинная строка."},
    {218, "Неверное значение цены."},
    {219, "Неверное значение даты"},
    {220, "Отрицальный подитог"},
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
