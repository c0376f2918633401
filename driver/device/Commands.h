#pragma once
// The register's commands: code, the password a request carries, and the request length
// (for commands with a text field: the length before the text).

#include <cstdint>

namespace orn::device {

enum class PasswordKind : uint8_t { kNone, kOperator, kTaxInspector };

struct Command {
  uint8_t code;
  PasswordKind password;
  uint8_t length;  // code included; the header before the text for text commands
};

namespace command {
using P = PasswordKind;
// clang-format off
inline constexpr Command kInterruptDataOutput  {0x03, P::kOperator,      5};
inline constexpr Command kGetStatus            {0x11, P::kOperator,      5};
inline constexpr Command kSetExchangeParams    {0x14, P::kOperator,      8};
inline constexpr Command kPrintString          {0x17, P::kOperator,      6};
inline constexpr Command kStartTestRun         {0x19, P::kOperator,      6};
inline constexpr Command kGetCashRegister      {0x1A, P::kOperator,      6};
inline constexpr Command kGetOperationRegister {0x1B, P::kOperator,      6};
inline constexpr Command kWriteTable           {0x1E, P::kOperator,      9};
inline constexpr Command kReadTable            {0x1F, P::kOperator,      9};
inline constexpr Command kSetDeviceTime        {0x21, P::kOperator,      8};
inline constexpr Command kSetDeviceDate        {0x22, P::kOperator,      8};
inline constexpr Command kConfirmDate          {0x23, P::kOperator,      8};
inline constexpr Command kCutPaper             {0x25, P::kOperator,      6};
inline constexpr Command kInterruptTest        {0x2B, P::kOperator,      5};
inline constexpr Command kGetTableStructure    {0x2D, P::kOperator,      6};
inline constexpr Command kPrintStringWithFont  {0x2F, P::kOperator,      7};
inline constexpr Command kPrintReportX         {0x40, P::kOperator,      5};
inline constexpr Command kPrintReportZ         {0x41, P::kOperator,      5};
inline constexpr Command kCashIn               {0x50, P::kOperator,     10};
inline constexpr Command kCashOut              {0x51, P::kOperator,     10};
inline constexpr Command kGetLastFiscalRecordDate{0x63, P::kOperator,    5};
inline constexpr Command kEnterTaxPassword     {0x64, P::kTaxInspector,  5};
inline constexpr Command kFiscalReportByDates  {0x66, P::kTaxInspector, 12};
inline constexpr Command kFiscalReportByShifts {0x67, P::kTaxInspector, 10};
inline constexpr Command kOpenSlipDocument     {0x71, P::kOperator,     13};
inline constexpr Command kSlipOperation        {0x73, P::kOperator,     21};
inline constexpr Command kSlipAdjustment       {0x75, P::kOperator,     16};
inline constexpr Command kCloseSlipReceipt     {0x77, P::kOperator,     32};
inline constexpr Command kFillSlipBuffer       {0x7A, P::kOperator,      6};
inline constexpr Command kPrintSlip            {0x7D, P::kOperator,      7};
inline constexpr Command kSale                 {0x80, P::kOperator,     20};
inline constexpr Command kReturnSale           {0x82, P::kOperator,     20};
inline constexpr Command kStorno               {0x84, P::kOperator,     20};
inline constexpr Command kCloseReceipt         {0x85, P::kOperator,     31};
inline constexpr Command kDiscount             {0x86, P::kOperator,     14};
inline constexpr Command kSurcharge            {0x87, P::kOperator,     14};
inline constexpr Command kAnnulReceipt         {0x88, P::kOperator,      5};
inline constexpr Command kSubtotal             {0x89, P::kOperator,      5};
inline constexpr Command kStornoDiscount       {0x8A, P::kOperator,     14};
inline constexpr Command kStornoSurcharge      {0x8B, P::kOperator,     14};
inline constexpr Command kRepeatDocument       {0x8C, P::kOperator,      5};
inline constexpr Command kContinuePrint        {0xB0, P::kOperator,      5};
inline constexpr Command kGetDeviceType        {0xFC, P::kNone,          1};
// clang-format on
}  // namespace command

}  // namespace orn::device
