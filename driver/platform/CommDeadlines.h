#pragma once
// What a COMMTIMEOUTS setting means for one read or write, as Win32 reads it, in a form
// that a port implementation can wait by: the POSIX port and the virtual line both emulate
// the Win32 meaning through these two functions, so it is written (and tested) once.

#include <cstdint>

#include "platform/CommPort.h"

namespace orn::platform {

inline constexpr uint32_t kMaxDword = 0xFFFFFFFFu;

// The waits of one read, in milliseconds from the moment it started.
struct ReadDeadline {
  // A read (or write) with no time-out at all would wait for ever on a real port; an
  // emulation gives up after a minute, so that nothing waits without a bound.
  static constexpr uint64_t kEndlessMs = 60 * 1000;

  uint64_t totalMs = kEndlessMs;  // the whole read ends by then
  uint64_t intervalMs = 0;        // 0: no interval time-out; else the longest gap after a byte
  bool endsOnAnyByte = false;     // the read returns as soon as it holds one byte or more

  // Until when the read waits for its next byte, given the bytes it holds and when the
  // last of them came. Times count from the read's start, in units of 1/unitsPerMs ms (a
  // port with a finer clock keeps its own precision).
  uint64_t NextByteLimit(uint32_t transferred, uint64_t lastByte, uint64_t unitsPerMs = 1) const;
};

// A read of `count` bytes:
// - interval MAXDWORD, both total values 0: return at once with what has arrived;
// - interval and multiplier MAXDWORD, a constant below MAXDWORD: return as soon as a byte
//   is there, waiting at most the constant for the first one;
// - otherwise the total time-out is multiplier * count + constant (none when both are 0)
//   and the interval time-out runs between bytes once the first has come (none when 0).
ReadDeadline ReadDeadlineOf(const CommTimeouts& timeouts, uint32_t count);

// How long a write of `count` bytes may take: multiplier * count + constant, or the
// endless bound when both are 0.
uint64_t WriteDeadlineOf(const CommTimeouts& timeouts, uint32_t count);

}  // namespace orn::platform
