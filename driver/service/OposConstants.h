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
inline constexpr int32_t FPTR_PS_FISCAL_DOCUMENT = 5;
inline constexpr int32_t FPTR_PS_NONFISCAL = 9;
inline constexpr int32_t FPTR_PS_REPORT = 10;

// Stations of PrintNormal, combinable.
inline constexpr int32_t FPTR_S_JOURNAL = 1;
inline constexpr int32_t FPTR_S_RECEIPT = 2;
inline constexpr int32_t FPTR_S_SLIP = 4;

// ReportType of PrintReport.
inline constexpr int32_t FPTR_RT_ORDINAL = 1;
inline constexpr int32_t FPTR_RT_DATE = 2;

// DataItem of GetData.
inline constexpr int32_t FPTR_GD_CURRENT_TOTAL = 1;
inline constexpr int32_t FPTR_GD_DAILY_TOTAL = 2;
inline constexpr int32_t FPTR_GD_RECEIPT_NUMBER = 3;
inline constexpr int32_t FPTR_GD_REFUND = 4;
inline constexpr int32_t FPTR_GD_Z_REPORT = 7;
inline constexpr int32_t FPTR_GD_PRINTER_ID = 9;
inline constexpr int32_t FPTR_GD_FIRMWARE = 10;
inline constexpr int32_t FPTR_GD_DESCRIPTION_LENGTH = 28;

// TotalizerType, and the totalizers of GetTotalizer.
inline constexpr int32_t FPTR_TT_DOCUMENT = 1;
inline constexpr int32_t FPTR_TT_DAY = 2;
inline constexpr int32_t FPTR_TT_RECEIPT = 3;
inline constexpr int32_t FPTR_GT_GROSS = 1;
inline constexpr int32_t FPTR_GT_DISCOUNT = 3;
inline constexpr int32_t FPTR_GT_ITEM = 5;
inline constexpr int32_t FPTR_GT_REFUND = 8;
inline constexpr int32_t FPTR_GT_SURCHARGE = 14;

// Timeout of the slip waits that waits without a limit.
inline constexpr int32_t OPOS_FOREVER = -1;

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
inline constexpr bool IsDiscount(int32_t adjustmentType) {
  return adjustmentType == FPTR_AT_AMOUNT_DISCOUNT || adjustmentType == FPTR_AT_PERCENTAGE_DISCOUNT;
}
inline constexpr bool IsPercentage(int32_t adjustmentType) {
  return adjustmentType == FPTR_AT_PERCENTAGE_DISCOUNT ||
         adjustmentType == FPTR_AT_PERCENTAGE_SURCHARGE;
}

// DateType.
inline constexpr int32_t FPTR_DT_EOD = 2;
inline constexpr int32_t FPTR_DT_RTC = 4;

// DirectIO commands of this service: set and read the department of the sale commands.
inline constexpr int32_t kDirectIOSetDepartment = 1;
inline constexpr int32_t kDirectIOGetDepartment = 2;

}  // namespace orn::service
