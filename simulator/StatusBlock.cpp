#include "simulator/StatusBlock.h"

namespace orn::simulator {

namespace {

// Byte offsets inside the block.
constexpr size_t kOperator = 0;
constexpr size_t kFirmwareVersion = 1;
constexpr size_t kFirmwareBuild = 3;
constexpr size_t kDocumentNumber = 9;
constexpr size_t kFlags = 11;
constexpr size_t kMode = 13;
constexpr size_t kSubmode = 14;
constexpr size_t kFiscalMemoryVersion = 16;
constexpr size_t kFiscalMemoryBuild = 18;
constexpr size_t kDate = 23;
constexpr size_t kTime = 26;
constexpr size_t kFiscalMemoryFlags = 29;
constexpr size_t kRegisterNumber = 30;
constexpr size_t kLastClosedShift = 34;
constexpr size_t kFreeFiscalRecords = 36;
constexpr size_t kIdentificationNumber = 40;

// Little-endian, `count` low bytes of `value`.
void PutNumber(std::array<uint8_t, kStatusBlockSize>& block, size_t offset, uint64_t value,
               size_t count) {
  for (size_t i = 0; i < count; ++i) block[offset + i] = uint8_t(value >> (8 * i));
}

}  // namespace

std::array<uint8_t, kStatusBlockSize> EncodeStatusBlock(const RegisterState& state,
                                                        const platform::LocalTime& clock) {
  std::array<uint8_t, kStatusBlockSize> block{};
  block[kOperator] = state.operatorNumber;
  block[kFirmwareVersion] = state.firmwareVersion[0];
  block[kFirmwareVersion + 1] = state.firmwareVersion[1];
  PutNumber(block, kFirmwareBuild, state.firmwareBuild, 2);
  PutNumber(block, kDocumentNumber, state.documentNumber, 2);
  PutNumber(block, kFlags, state.flags, 2);
  block[kMode] = state.mode;
  block[kSubmode] = state.submode;
  block[kFiscalMemoryVersion] = state.fiscalMemoryVersion[0];
  block[kFiscalMemoryVersion + 1] = state.fiscalMemoryVersion[1];
  PutNumber(block, kFiscalMemoryBuild, state.fiscalMemoryBuild, 2);
  block[kDate] = uint8_t(clock.day);
  block[kDate + 1] = uint8_t(clock.month);
  block[kDate + 2] = uint8_t(clock.year - 2000);
  block[kTime] = uint8_t(clock.hour);
  block[kTime + 1] = uint8_t(clock.minute);
  block[kTime + 2] = uint8_t(clock.second);
  block[kFiscalMemoryFlags] = state.fiscalMemoryFlags;
  PutNumber(block, kRegisterNumber, state.registerNumber, 4);
  PutNumber(block, kLastClosedShift, state.fiscalMemory.LastClosedShift(), 2);
  PutNumber(block, kFreeFiscalRecords, state.fiscalMemory.FreeRecords(), 2);
  PutNumber(block, kIdentificationNumber, state.identificationNumber, 6);
  return block;
}

}  // namespace orn::simulator
