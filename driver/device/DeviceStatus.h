#pragma once
// What the register's status means to the driver: the layout of the status block, the
// modes and submodes, the flag bits, and the error codes the driver reacts to.

#include <cstdint>

namespace orn::device {

// Offsets in the 46 data bytes of the status answer.
namespace status {
inline constexpr int kOperator = 0;
inline constexpr int kFirmwareVersion = 1;  // two characters
inline constexpr int kFirmwareBuild = 3;    // 16-bit
inline constexpr int kDocumentNumber = 9;   // 16-bit
inline constexpr int kFlags = 11;           // 16-bit
inline constexpr int kMode = 13;
inline constexpr int kSubmode = 14;
inline constexpr int kMemoryFirmwareVersion = 16;  // two characters
inline constexpr int kMemoryFirmwareBuild = 18;    // 16-bit
inline constexpr int kDate = 23;                   // day, month, year - 2000
inline constexpr int kTime = 26;                   // hour, minute, second
inline constexpr int kMemoryFlags = 29;
inline constexpr int kRegisterNumber = 30;     // 32-bit
inline constexpr int kLastClosedShift = 34;    // 16-bit
inline constexpr int kFreeMemoryRecords = 36;  // 16-bit
inline constexpr int kIdentification = 40;     // 48-bit
inline constexpr int kSize = 46;
}  // namespace status

// Mode numbers (low nibble of the mode byte).
namespace mode {
inline constexpr int kDataOutput = 1;
inline constexpr int kShiftOpen = 2;
inline constexpr int kShiftOpenOver24Hours = 3;
inline constexpr int kShiftClosed = 4;
inline constexpr int kLockedTaxPassword = 5;
inline constexpr int kDateConfirmation = 6;
inline constexpr int kReceiptOpen = 8;
inline constexpr int kDateToBeSet = 9;
inline constexpr int kTestRun = 10;
inline constexpr int kXReport = 11;
inline constexpr int kZReport = 12;
inline constexpr int kSlipDocument = 13;
inline constexpr int kFiscalReport = 14;
inline constexpr int kSlipDocument15 = 15;

inline constexpr int Number(uint8_t modeByte) {
  return modeByte & 0x0F;
}
inline constexpr int Detail(uint8_t modeByte) {
  return modeByte >> 4;
}
// Modes in which the register may still be printing a long document.
inline constexpr bool IsPrinting(int number) {
  return number == kXReport || number == kZReport || number == kFiscalReport;
}
}  // namespace mode

namespace submode {
inline constexpr int kPaperPresent = 0;
inline constexpr int kPassivePaperOut = 1;
inline constexpr int kActivePaperOut = 2;
inline constexpr int kAfterActivePaperOut = 3;
inline constexpr int kPrintingLongReport = 4;
inline constexpr int kPrinting = 5;
}  // namespace submode

// Bits of the 16-bit flags word.
namespace flag {
inline constexpr uint16_t kJournalNotNearEnd = 1u << 0;
inline constexpr uint16_t kReceiptNotNearEnd = 1u << 1;
inline constexpr uint16_t kSlipTopSensor = 1u << 2;
inline constexpr uint16_t kSlipBottomSensor = 1u << 3;
inline constexpr uint16_t kTwoDecimals = 1u << 4;
inline constexpr uint16_t kJournalPaper = 1u << 6;
inline constexpr uint16_t kReceiptPaper = 1u << 7;
inline constexpr uint16_t kJournalLeverDown = 1u << 8;
inline constexpr uint16_t kReceiptLeverDown = 1u << 9;
inline constexpr uint16_t kRightSensorFailed = 1u << 12;
inline constexpr uint16_t kLeftSensorFailed = 1u << 13;
inline constexpr uint16_t kJournalUnitAlmostFull = 1u << 14;
}  // namespace flag

// Bits of the fiscal memory flags byte.
namespace memory_flag {
inline constexpr uint8_t kOverflow = 1u << 3;
inline constexpr uint8_t kBatteryLow = 1u << 4;
inline constexpr uint8_t kLastRecordDamaged = 1u << 5;
inline constexpr uint8_t kShiftOver24Hours = 1u << 7;
}  // namespace memory_flag

// Register error codes the driver reacts to.
namespace device_error {
inline constexpr uint8_t kDateBeforeLastRecord = 0x13;
inline constexpr uint8_t kWaitingForContinuePrint = 0x58;
inline constexpr uint8_t kNoReceiptPaper = 0x6B;
inline constexpr uint8_t kNoJournalPaper = 0x6C;
inline constexpr uint8_t kNoSlip = 0xC6;
}  // namespace device_error

}  // namespace orn::device
