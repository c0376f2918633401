#pragma once
// The register's condition as the status answer reports it. Tests and ornsim set it up;
// commands change it as the register would.

#include <array>
#include <cstdint>

#include "platform/Clock.h"

namespace orn::simulator {

// Bits of the 16-bit flags word.
inline constexpr uint16_t kFlagJournalNotNearEnd = 1u << 0;
inline constexpr uint16_t kFlagReceiptNotNearEnd = 1u << 1;
inline constexpr uint16_t kFlagTwoDecimals = 1u << 4;
inline constexpr uint16_t kFlagJournalPaper = 1u << 6;
inline constexpr uint16_t kFlagReceiptPaper = 1u << 7;
inline constexpr uint16_t kFlagJournalLeverDown = 1u << 8;
inline constexpr uint16_t kFlagReceiptLeverDown = 1u << 9;
inline constexpr uint16_t kFlagRightSensorFailed = 1u << 12;
inline constexpr uint16_t kFlagLeftSensorFailed = 1u << 13;
inline constexpr uint16_t kFlagJournalUnitAlmostFull = 1u << 14;

// A healthy register: paper in both stations, levers down, counting kopecks.
inline constexpr uint16_t kHealthyFlags = kFlagJournalNotNearEnd | kFlagReceiptNotNearEnd |
                                          kFlagTwoDecimals | kFlagJournalPaper | kFlagReceiptPaper |
                                          kFlagJournalLeverDown | kFlagReceiptLeverDown;

// Bits of the fiscal memory flags byte (all of them report trouble).
inline constexpr uint8_t kFiscalMemoryOverflow = 1u << 3;
inline constexpr uint8_t kFiscalMemoryBatteryLow = 1u << 4;
inline constexpr uint8_t kFiscalMemoryLastRecordBroken = 1u << 5;
inline constexpr uint8_t kFiscalMemory24HoursOver = 1u << 7;

inline constexpr uint8_t kModeShiftOpen = 2;
inline constexpr uint8_t kModeShiftClosed = 4;

struct RegisterState {
  uint32_t operatorPassword = 30;
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
  uint16_t lastClosedShift = 0;
  uint16_t freeFiscalRecords = 2100;
  uint64_t identificationNumber = 7701234567;  // 48 bits on the wire
};

}  // namespace orn::simulator
