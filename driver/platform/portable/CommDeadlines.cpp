#include "platform/CommDeadlines.h"

#include <algorithm>

namespace orn::platform {

uint64_t ReadDeadline::NextByteLimit(uint32_t transferred, uint64_t lastByte,
                                     uint64_t unitsPerMs) const {
  const uint64_t total = totalMs * unitsPerMs;
  if (transferred == 0) return total;
  // What has already arrived is still taken; nothing more is waited for.
  if (endsOnAnyByte) return std::min(total, lastByte);
  if (intervalMs != 0) return std::min(total, lastByte + intervalMs * unitsPerMs);
  return total;
}

ReadDeadline ReadDeadlineOf(const CommTimeouts& timeouts, uint32_t count) {
  ReadDeadline deadline;
  if (timeouts.readInterval == kMaxDword) {
    if (timeouts.readTotalMultiplier == 0 && timeouts.readTotalConstant == 0) {
      deadline.totalMs = 0;
      deadline.endsOnAnyByte = true;
      return deadline;
    }
    if (timeouts.readTotalMultiplier == kMaxDword && timeouts.readTotalConstant != 0 &&
        timeouts.readTotalConstant != kMaxDword) {
      deadline.totalMs = timeouts.readTotalConstant;
      deadline.endsOnAnyByte = true;
      return deadline;
    }
  }
  const uint64_t totalMs =
      uint64_t(timeouts.readTotalMultiplier) * count + timeouts.readTotalConstant;
  if (totalMs != 0) deadline.totalMs = totalMs;
  deadline.intervalMs = timeouts.readInterval;
  return deadline;
}

uint64_t WriteDeadlineOf(const CommTimeouts& timeouts, uint32_t count) {
  const uint64_t totalMs =
      uint64_t(timeouts.writeTotalMultiplier) * count + timeouts.writeTotalConstant;
  return totalMs != 0 ? totalMs : ReadDeadline::kEndlessMs;
}

}  // namespace orn::platform
