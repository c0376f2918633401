#pragma once
// The register's commands: code, the password a request carries, the request length (for
// commands with a text or value of their own length: the length before it), the data
// bytes its answer must carry, and whether it records something the register keeps (a
// fiscal operation, a document, a report). The request builder checks every request it
// built against its length; the answer decoder refuses an answer shorter than its data.

#include <cstdint>

namespace orn::device {

enum class PasswordKind : uint8_t { kNone, kOperator, kTaxInspector };

enum class Tail : uint8_t {
  kNone,      // the request is exactly `length` bytes
  kVariable,  // a text or table value of its own length follows the `length` bytes
};

// A recording command is never sent twice for one call: once the register has taken its
// frame, only the register's own answer settles what happened. A command that makes a
// document (a receipt closed, cash in or out, an X or Z report) moves the register's
// document number, so that number can settle it too: such a frame is not sent again while
// the register may have taken it, even when no ACK said so.
enum class Effect : uint8_t { kReads, kRecords, kMakesDocument };

struct Command {
  uint8_t code;
  PasswordKind password;
  uint8_t length;  // code included
  Tail tail;
  uint8_t answerData;  // data bytes after the code and error bytes, at least
  Effect effect;
};

namespace command {
using P = PasswordKind;
constexpr Tail kFixed = Tail::kNone;
constexpr Tail kTail = Tail::kVariable;
constexpr Effect kRead = Effect::kReads;
constexpr Effect kRec = Effect::kRecords;
constexpr Effect kDoc = Effect::kMakesDocument;
// clang-format off
inline constexpr Command kInterruptDataOutput  {0x03, P::kOperator,      5, kFixed,  0, kRead};
inline constexpr Command kGetStatus            {0x11, P::kOperator,      5, kFixed, 46, kRead};
inline constexpr Command kSetExchangeParams    {0x14, P::kOperator,      8, kFixed,  0, kRead};
inline constexpr Command kPrintString          {0x17, P::kOperator,      6, kTail,  0, kRead};
inline constexpr Command kStartTestRun         {0x19, P::kOperator,      6, kFixed,  0, kRead};
inline constexpr Command kGetCashRegister      {0x1A, P::kOperator,      6, kFixed,  7, kRead};
inline constexpr Command kGetOperationRegister {0x1B, P::kOperator,      6, kFixed,  3, kRead};
inline constexpr Command kWriteTable           {0x1E, P::kOperator,      9, kTail,  0, kRead};
inline constexpr Command kReadTable            {0x1F, P::kOperator,      9, kFixed,  0, kRead};
inline constexpr Command kSetDeviceTime        {0x21, P::kOperator,      8, kFixed,  0, kRead};
inline constexpr Command kSetDeviceDate        {0x22, P::kOperator,      8, kFixed,  0, kRead};
inline constexpr Command kConfirmDate          {0x23, P::kOperator,      8, kFixed,  0, kRead};
inline constexpr Command kCutPaper             {0x25, P::kOperator,      6, kFixed,  0, kRead};
inline constexpr Command kInterruptTest        {0x2B, P::kOperator,      5, kFixed,  0, kRead};
inline constexpr Command kGetTableStructure    {0x2D, P::kOperator,      6, kFixed, 43, kRead};
inline constexpr Command kPrintStringWithFont  {0x2F, P::kOperator,      7, kTail,  0, kRead};
inline constexpr Command kPrintReportX         {0x40, P::kOperator,      5, kFixed,  0, kDoc };
inline constexpr Command kPrintReportZ         {0x41, P::kOperator,      5, kFixed,  0, kDoc };
inline constexpr Command kCashIn               {0x50, P::kOperator,     10, kFixed,  0, kDoc };
inline constexpr Command kCashOut              {0x51, P::kOperator,     10, kFixed,  0, kDoc };
inline constexpr Command kGetLastFiscalRecordDate{0x63, P::kOperator,    5, kFixed,  5, kRead};
inline constexpr Command kEnterTaxPassword     {0x64, P::kTaxInspector,  5, kFixed,  0, kRead};
inline constexpr Command kFiscalReportByDates  {0x66, P::kTaxInspector, 12, kFixed,  0, kRec };
inline constexpr Command kFiscalReportByShifts {0x67, P::kTaxInspector, 10, kFixed,  0, kRec };
inline constexpr Command kOpenSlipDocument     {0x71, P::kOperator,     13, kFixed,  0, kRec };
inline constexpr Command kSlipOperation        {0x73, P::kOperator,     21, kTail,  0, kRec };
inline constexpr Command kSlipAdjustment       {0x75, P::kOperator,     16, kTail,  0, kRec };
inline constexpr Command kCloseSlipReceipt     {0x77, P::kOperator,     32, kTail,  0, kRec };
inline constexpr Command kFillSlipBuffer       {0x7A, P::kOperator,      6, kTail,  0, kRead};
inline constexpr Command kPrintSlip            {0x7D, P::kOperator,      7, kFixed,  0, kRec };
inline constexpr Command kSale                 {0x80, P::kOperator,     20, kTail,  0, kRec };
inline constexpr Command kReturnSale           {0x82, P::kOperator,     20, kTail,  0, kRec };
inline constexpr Command kStorno               {0x84, P::kOperator,     20, kTail,  0, kRec };
inline constexpr Command kCloseReceipt         {0x85, P::kOperator,     31, kTail,  0, kDoc };
inline constexpr Command kDiscount             {0x86, P::kOperator,     14, kTail,  0, kRec };
inline constexpr Command kSurcharge            {0x87, P::kOperator,     14, kTail,  0, kRec };
inline constexpr Command kAnnulReceipt         {0x88, P::kOperator,      5, kFixed,  0, kRec };
inline constexpr Command kSubtotal             {0x89, P::kOperator,      5, kFixed,  6, kRead};
inline constexpr Command kStornoDiscount       {0x8A, P::kOperator,     14, kTail,  0, kRec };
inline constexpr Command kStornoSurcharge      {0x8B, P::kOperator,     14, kTail,  0, kRec };
inline constexpr Command kRepeatDocument       {0x8C, P::kOperator,      5, kFixed,  0, kRec };
inline constexpr Command kContinuePrint        {0xB0, P::kOperator,      5, kFixed,  0, kRead};
inline constexpr Command kGetDeviceType        {0xFC, P::kNone,          1, kFixed,  6, kRead};
// clang-format on
}  // namespace command

}  // namespace orn::device
