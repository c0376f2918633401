#include "ResultNames.h"

#include <span>

namespace orn::bench {
namespace {

struct CodeName {
  int32_t value;
  const wchar_t* name;
};

constexpr CodeName kResultCodes[] = {
    {0, L"OPOS_SUCCESS"},          {101, L"OPOS_E_CLOSED"},      {102, L"OPOS_E_CLAIMED"},
    {103, L"OPOS_E_NOTCLAIMED"},   {104, L"OPOS_E_NOSERVICE"},   {105, L"OPOS_E_DISABLED"},
    {106, L"OPOS_E_ILLEGAL"},      {107, L"OPOS_E_NOHARDWARE"},  {108, L"OPOS_E_OFFLINE"},
    {109, L"OPOS_E_NOEXIST"},      {110, L"OPOS_E_EXISTS"},      {111, L"OPOS_E_FAILURE"},
    {112, L"OPOS_E_TIMEOUT"},      {113, L"OPOS_E_BUSY"},        {114, L"OPOS_E_EXTENDED"},
    {301, L"OPOS_OR_ALREADYOPEN"}, {302, L"OPOS_OR_REGBADNAME"}, {303, L"OPOS_OR_REGPROGID"},
    {304, L"OPOS_OR_CREATE"},      {305, L"OPOS_OR_BADIF"},      {306, L"OPOS_OR_FAILEDOPEN"},
    {307, L"OPOS_OR_BADVERSION"},  {401, L"OPOS_ORS_NOPORT"},    {402, L"OPOS_ORS_NOTSUPPORTED"},
    {403, L"OPOS_ORS_CONFIG"},     {450, L"OPOS_ORS_SPECIFIC"},
};

constexpr CodeName kExtendedCodes[] = {
    {201, L"OPOS_EFPTR_COVER_OPEN"},
    {202, L"OPOS_EFPTR_JRN_EMPTY"},
    {203, L"OPOS_EFPTR_REC_EMPTY"},
    {204, L"OPOS_EFPTR_SLP_EMPTY"},
    {205, L"OPOS_EFPTR_SLP_FORM"},
    {206, L"OPOS_EFPTR_MISSING_DEVICES"},
    {207, L"OPOS_EFPTR_WRONG_STATE"},
    {208, L"OPOS_EFPTR_TECHNICAL_ASSISTANCE"},
    {209, L"OPOS_EFPTR_CLOCK_ERROR"},
    {210, L"OPOS_EFPTR_FISCAL_MEMORY_FULL"},
    {211, L"OPOS_EFPTR_FISCAL_MEMORY_DISCONNECTED"},
    {212, L"OPOS_EFPTR_FISCAL_TOTALS_ERROR"},
    {213, L"OPOS_EFPTR_BAD_ITEM_QUANTITY"},
    {214, L"OPOS_EFPTR_BAD_ITEM_AMOUNT"},
    {215, L"OPOS_EFPTR_BAD_ITEM_DESCRIPTION"},
    {216, L"OPOS_EFPTR_RECEIPT_TOTAL_OVERFLOW"},
    {217, L"OPOS_EFPTR_BAD_VAT"},
    {218, L"OPOS_EFPTR_BAD_PRICE"},
    {219, L"OPOS_EFPTR_BAD_DATE"},
    {220, L"OPOS_EFPTR_NEGATIVE_TOTAL"},
    {221, L"OPOS_EFPTR_WORD_NOT_ALLOWED"},
    {222, L"OPOS_EFPTR_BAD_LENGTH"},
    {223, L"OPOS_EFPTR_MISSING_SET_CURRENCY"},
};

constexpr CodeName kPrinterStates[] = {
    {1, L"FPTR_PS_MONITOR"},
    {2, L"FPTR_PS_FISCAL_RECEIPT"},
    {3, L"FPTR_PS_FISCAL_RECEIPT_TOTAL"},
    {4, L"FPTR_PS_FISCAL_RECEIPT_ENDING"},
    {5, L"FPTR_PS_FISCAL_DOCUMENT"},
    {6, L"FPTR_PS_FIXED_OUTPUT"},
    {7, L"FPTR_PS_ITEM_LIST"},
    {8, L"FPTR_PS_LOCKED"},
    {9, L"FPTR_PS_NONFISCAL"},
    {10, L"FPTR_PS_REPORT"},
};

std::wstring NameIn(std::span<const CodeName> table, int32_t value) {
  for (const CodeName& entry : table) {
    if (entry.value == value) return entry.name;
  }
  return std::to_wstring(value);
}

}  // namespace

std::wstring ResultCodeName(int32_t code) {
  return NameIn(kResultCodes, code);
}
std::wstring ExtendedCodeName(int32_t code) {
  return NameIn(kExtendedCodes, code);
}
std::wstring PrinterStateName(int32_t state) {
  return NameIn(kPrinterStates, state);
}

}  // namespace orn::bench
