#pragma once
// OPOS constants of the common and fiscal-printer device classes that the service uses
// (result codes are in device/ResultCodes.h).

#include <cstdint>

namespace orn::service {

// Property index of DeviceEnabled, which a tool on the service object itself sets as the
// control would.
inline constexpr int32_t PIDX_DeviceEnabled = 3;

// State.
inline constexpr int32_t OPOS_S_CLOSED = 1;
inline constexpr int32_t OPOS_S_IDLE = 2;

// CheckHealth levels.
inline constexpr int32_t OPOS_CH_INTERNAL = 1;
inline constexpr int32_t OPOS_CH_EXTERNAL = 2;
inline constexpr int32_t OPOS_CH_INTERACTIVE = 3;

// PrinterState.
inline constexpr int32_t FPTR_PS_MONITOR = 1;
inline constexpr int32_t FPTR_PS_FISCAL_RECEIPT = 2;
inline constexpr int32_t FPTR_PS_FISCAL_RECEIPT_TOTAL = 3;
inline constexpr int32_t FPTR_PS_FISCAL_RECEIPT_ENDING = 4;
inline constexpr int32_t FPTR_PS_NONFISCAL = 9;

// FiscalReceiptStation.
inline constexpr int32_t FPTR_RS_RECEIPT = 1;
inline constexpr int32_t FPTR_RS_SLIP = 2;

// FiscalReceiptType.
inline constexpr int32_t FPTR_RT_CASH_IN = 1;
inline constexpr int32_t FPTR_RT_CASH_OUT = 2;
inline constexpr int32_t FPTR_RT_SALES = 4;

// AdjustmentType of the item and subtotal adjustments; the package adjustments use 1 and 2
// as FPTR_AT_DISCOUNT and FPTR_AT_SURCHARGE.
inline constexpr int32_t FPTR_AT_AMOUNT_DISCOUNT = 1;
inline constexpr int32_t FPTR_AT_AMOUNT_SURCHARGE = 2;
inline constexpr int32_t FPTR_AT_PERCENTAGE_DISCOUNT = 3;
inline constexpr int32_t FPTR_AT_PERCENTAGE_SURCHARGE = 4;

// DateType.
inline constexpr int32_t FPTR_DT_EOD = 2;
inline constexpr int32_t FPTR_DT_RTC = 4;

// DirectIO commands of this service: set and read the department of the sale commands.
inline constexpr int32_t kDirectIOSetDepartment = 1;
inline constexpr int32_t kDirectIOGetDepartment = 2;

}  // namespace orn::service
