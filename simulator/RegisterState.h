#pragma once
// The register's condition as the status answer reports it, its registers and its fiscal
// memory. Tests and ornsim set it up (also between commands); commands change it as the
// register would. The mode and submode bytes are the register's own: commands and the
// printer move them, and a value put here is taken as it is.

#include <array>
#include <cstdint>
#include <optional>

#include "platform/Clock.h"
#include "simulator/FiscalMemory.h"
#include "simulator/Registers.h"

namespace orn::simulator {

// Bits of the 16-bit flags word.
namespace flag {
inline constexpr uint16_t kJournalNotNearEnd = 1u << 0;
inline constexpr uint16_t kReceiptNotNearEnd = 1u << 1;
inline constexpr uint16_t kSlipTopSensor = 1u << 2;  // with bit 3: a slip is in the station
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

// A healthy register: paper in both stations, levers down, counting kopecks.
inline constexpr uint16_t kHealthyFlags =
    flag::kJournalNotNearEnd | flag::kReceiptNotNearEnd | flag::kTwoDecimals | flag::kJournalPaper |
    flag::kReceiptPaper | flag::kJournalLeverDown | flag::kReceiptLeverDown;

// Bits of the fiscal memory flags byte (all of them report trouble).
inline constexpr uint8_t kFiscalMemoryOverflow = 1u << 3;
inline constexpr uint8_t kFiscalMemoryBatteryLow = 1u << 4;
inline constexpr uint8_t kFiscalMemoryLastRecordDamaged = 1u << 5;
inline constexpr uint8_t kFiscalMemoryShiftOver24Hours = 1u << 7;

// Mode numbers (the low nibble of the mode byte).
inline constexpr uint8_t kModeDataOutput = 1;
inline constexpr uint8_t kModeShiftOpen = 2;
inline constexpr uint8_t kModeShiftOpenOver24Hours = 3;
inline constexpr uint8_t kModeShiftClosed = 4;
inline constexpr uint8_t kModeLockedTaxPassword = 5;  // until the tax inspector password is given
inline constexpr uint8_t kModeDateConfirmation = 6;
inline constexpr uint8_t kModeReceiptOpen = 8;  // the receipt type in the high nibble
inline constexpr uint8_t kModeDateToBeSet = 9;
inline constexpr uint8_t kModeTestRun = 10;
inline constexpr uint8_t kModeXReport = 11;
inline constexpr uint8_t kModeZReport = 12;
inline constexpr uint8_t kModeSlipDocument = 13;
inline constexpr uint8_t kModeFiscalReport = 14;

// Submodes.
inline constexpr uint8_t kSubmodePaperPresent = 0;
inline constexpr uint8_t kSubmodePassivePaperOut = 1;        // passive: taken away while idle
inline constexpr uint8_t kSubmodeActivePaperOut = 2;     // active: ran out while printing
inline constexpr uint8_t kSubmodeAfterActivePaperOut = 3;   // paper back, waiting for ContinuePrint
inline constexpr uint8_t kSubmodePrintingLongReport = 4;  // a long report
inline constexpr uint8_t kSubmodePrinting = 5;

struct RegisterState {
  uint32_t operatorPassword = 30;
  uint32_t taxPassword = 0;  // the tax inspector's
  uint8_t operatorNumber = 30;
  std::array<uint8_t, 2> firmwareVersion = {'1', '0'};
  uint16_t firmwareBuild = 100;
  uint16_t documentNumber = 1;
  uint16_t flags = kHealthyFlags;
  uint8_t mode = kModeShiftClosed;  // low nibble mode, high nibble detail
  uint8_t submode = 0;
  std::array<uint8_t, 2> fiscalMemoryVersion = {'1', '0'};
  uint16_t fiscalMemoryBuild = 100;
  // The register's clock reads this at line time 0 and runs on from there.
  platform::LocalTime clockAtStart = {2026, 1, 15, 10, 30, 0, 0};
  uint8_t fiscalMemoryFlags = 0;
  uint32_t registerNumber = 12345678;
  uint64_t identificationNumber = 7701234567;  // 48 bits on the wire
  // When the open shift began, on the register's clock; the register fills it in when it
  // opens a shift (or finds one open) and clears it at the Z report.
  std::optional<platform::LocalTime> shiftOpenedAt;
  MoneyRegisters money = {};
  OperationRegisters operations = {};
  // The last closed shift and the free records of the status come from here.
  FiscalMemory fiscalMemory;
};

}  // namespace orn::simulator
