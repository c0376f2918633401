#pragma once
// Entry lists that several pages show; a list's value is the position of the chosen entry,
// counting from 1.

namespace orn::bench {

inline constexpr const wchar_t* kAdjustmentTypes4[] = {
    L"FPTR_AT_AMOUNT_DISCOUNT", L"FPTR_AT_AMOUNT_SURCHARGE", L"FPTR_AT_PERCENTAGE_DISCOUNT",
    L"FPTR_AT_PERCENTAGE_SURCHARGE"};
inline constexpr const wchar_t* kAdjustmentTypes2[] = {L"FPTR_AT_DISCOUNT", L"FPTR_AT_SURCHARGE"};
inline constexpr const wchar_t* kDateTypes[] = {L"FPTR_DT_CONF", L"FPTR_DT_EOD", L"FPTR_DT_RESET",
                                                L"FPTR_DT_RTC", L"FPTR_DT_VAT"};
inline constexpr const wchar_t* kReceiptStations[] = {L"FPTR_RS_RECEIPT", L"FPTR_RS_SLIP"};
inline constexpr const wchar_t* kReceiptTypes[] = {L"FPTR_RT_CASH_IN", L"FPTR_RT_CASH_OUT",
                                                   L"FPTR_RT_GENERIC", L"FPTR_RT_SALES",
                                                   L"FPTR_RT_SERVICE", L"FPTR_RT_SIMPLE_INVOICE"};

// The texts of the line fields wherever a page has them.
inline constexpr wchar_t kPreLineDefault[] = L"    Строка PreLine";
inline constexpr wchar_t kPostLineDefault[] = L"    Строка PostLine";

}  // namespace orn::bench
