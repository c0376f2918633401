#pragma once
// The register's print stations. The bits are those of the station byte of the text
// commands (bit 0 journal, bit 1 receipt tape); the slip station has a bit of its own.

#include <cstdint>

namespace orn::simulator {

enum class Station : uint8_t { kJournal = 1, kReceipt = 2, kSlip = 4 };

using StationMask = uint8_t;

inline constexpr StationMask kJournalBit = uint8_t(Station::kJournal);
inline constexpr StationMask kReceiptBit = uint8_t(Station::kReceipt);
inline constexpr StationMask kSlipBit = uint8_t(Station::kSlip);
// A fiscal document goes to the receipt tape and its copy to the journal.
inline constexpr StationMask kFiscalStations = kReceiptBit | kJournalBit;

}  // namespace orn::simulator
