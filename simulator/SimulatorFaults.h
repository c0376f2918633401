#pragma once
// Misbehaviour on demand, scripted exactly, and the count of what happened on the link.
// Byte numbers count from 1, separately for each direction, over every byte that crossed
// the line at the register's rate (control bytes and frame bytes alike).

#include <cstdint>
#include <vector>

#include "simulator/Station.h"

namespace orn::simulator {

struct InjectedError {
  uint32_t commandNumber = 0;  // 1 = the first frame the register executes
  uint8_t errorCode = 0;       // answered instead of running the command
};

// Paper of a station (receipt or journal) taken away at a numbered event.
struct PaperFault {
  uint32_t number = 0;  // counts from 1
  Station station = Station::kReceipt;
};

// A slip put into the slip station or taken out of it at a line time, as the cashier at the
// register would.
struct SlipMove {
  uint64_t atMs = 0;
  bool inserted = true;
};

// Bytes lost or corrupted at random on the line, as a noisy cable does: each byte in each
// direction is dropped, or XORed with a random nonzero mask, with these chances in a million.
// The draws come from a generator seeded with `seed` when the simulator is made, so the same
// seed and the same traffic give the same faults.
struct RandomByteFaults {
  uint32_t seed = 0;
  uint32_t dropPerMillion = 0;
  uint32_t corruptPerMillion = 0;
};

struct SimulatorFaults {
  bool silent = false;  // answer nothing at all (bytes are still counted)
  // Silent, as above, for every byte that arrives before this line time; 0: no such period.
  uint64_t silentUntilMs = 0;
  RandomByteFaults randomBytes;
  std::vector<uint32_t> dropReceived;     // bytes from the driver that never arrive
  std::vector<uint32_t> corruptReceived;  // bytes from the driver XORed with corruptMask
  std::vector<uint32_t> dropSent;         // bytes to the driver that are lost
  std::vector<uint32_t> corruptSent;      // bytes to the driver XORed with corruptMask
  uint8_t corruptMask = 0xFF;
  // A leftover GetStatus answer is pending when the simulator is made, so the first ENQ
  // gets ACK and that answer. Read once, at construction (OfferStaleAnswer does it later).
  bool staleAnswer = false;
  // The next this many answer frames sent carry a wrong check byte; each one counts down.
  uint32_t badCheckAnswers = 0;
  std::vector<InjectedError> deviceErrors;
  // The answer of the N-th frame executed (counted as for deviceErrors) is lost on the way:
  // the command has run, and the answer stays pending for the next ENQ.
  std::vector<uint32_t> lostAnswers;
  // As lostAnswers, but the register keeps no answer either (the next ENQ gets NAK): the
  // command has run and only the register's state can tell.
  std::vector<uint32_t> forgottenAnswers;
  // An answer the driver refused is forgotten, so the next ENQ gets NAK and the driver sends
  // its frame again (a register that keeps no answers).
  bool forgetRefusedAnswers = false;
  // The next this many answers are cut to the command code alone, or carry the code of
  // another command; each one counts down.
  uint32_t shortAnswers = 0;
  uint32_t wrongCodeAnswers = 0;
  // Paper taken away before the N-th command that prints (passive paper out): that command
  // and every later one that prints on the station is refused until the paper is back.
  std::vector<PaperFault> paperOutBeforePrint;
  // Paper running out after the N-th printed line (lines count from the start, once per
  // line whatever its stations): the printing stops before the next line (active paper
  // out, submode 2).
  std::vector<PaperFault> paperOutAfterLine;
  // A reset (RAM cleared: an open receipt or slip document is annulled, printing is lost)
  // before the N-th frame executes (counted as for deviceErrors).
  std::vector<uint32_t> resetBeforeCommand;
  // Slip moves still to come; each is done (and dropped) by the first byte at its time.
  std::vector<SlipMove> slipMoves;
};

struct SimulatorCounters {
  uint32_t bytesReceived = 0;  // from the driver, before faults
  uint32_t bytesSent = 0;      // to the driver, before faults
  uint32_t enqsReceived = 0;
  uint32_t framesReceived = 0;     // good check byte: acknowledged and executed
  uint32_t badFramesReceived = 0;  // wrong check byte or empty: refused with NAK
  uint32_t framesAbandoned = 0;    // cut short by a silent gap
  uint32_t answersSent = 0;        // answer frames, resends and a stale answer included
  uint32_t acksReceived = 0;       // answers the driver acknowledged
  uint32_t naksReceived = 0;       // answers the driver refused
  uint8_t lastCommandCode = 0;     // of the last frame executed
  uint32_t printCommands = 0;      // commands that print, counted when they arrive
  uint32_t linesPrinted = 0;
  // What the faults did, so that a test can tell the fault path ran.
  uint32_t staleAnswersSent = 0;     // answers to no frame of the driver's
  uint32_t badCheckAnswersSent = 0;  // answers sent with a wrong check byte
  uint32_t baudRateChanges = 0;      // line rates taken on at the driver's request
  // Answers neither acknowledged nor refused before the next ENQ, which gets them again: a
  // whole round lost, as when the driver's ACK never reached the register.
  uint32_t unacknowledgedAnswers = 0;
  uint32_t randomBytesDropped = 0;  // by RandomByteFaults, both directions
  uint32_t randomBytesCorrupted = 0;
  uint32_t resets = 0;  // RAM cleared, by a fault or on request
};

}  // namespace orn::simulator
