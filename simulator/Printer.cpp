#include "simulator/Printer.h"

#include "simulator/ErrorCodes.h"
#include "simulator/RegisterState.h"

namespace orn::simulator {

namespace {

size_t StationIndex(Station station) {
  switch (station) {
    case Station::kJournal:
      return 0;
    case Station::kReceipt:
      return 1;
    case Station::kSlip:
      break;
  }
  return 2;
}

constexpr Station kStations[] = {Station::kReceipt, Station::kJournal, Station::kSlip};

bool Printing(uint8_t submode) {
  return submode == kSubmodePrinting || submode == kSubmodePrintingLongReport;
}

}  // namespace

Printer::Printer(uint16_t& flags, uint8_t& submode, bool hasJournal, SimulatorFaults& faults,
                 SimulatorCounters& counters)
    : flags_(flags),
      submode_(submode),
      hasJournal_(hasJournal),
      faults_(faults),
      counters_(counters) {}

void Printer::Queue(StationMask stations, const std::string& text) {
  if (!hasJournal_) stations &= StationMask(~kJournalBit);
  if (stations == 0) return;
  queue_.push_back(Line{stations, text});
  fresh_ = true;
}

void Printer::Start(uint64_t nowMs, bool longReport) {
  if (!fresh_) return;
  fresh_ = false;
  if (!Printing(submode_)) {
    submode_ = longReport ? kSubmodePrintingLongReport : kSubmodePrinting;
    nextLineMs_ = nowMs + timing_.lineMs;
  }
}

bool Printer::HasPaper(StationMask stations) const {
  if ((stations & kReceiptBit) != 0 && (flags_ & flag::kReceiptPaper) == 0) return false;
  if (hasJournal_ && (stations & kJournalBit) != 0 && (flags_ & flag::kJournalPaper) == 0)
    return false;
  return true;
}

uint8_t Printer::PaperError(StationMask stations) const {
  if ((stations & kReceiptBit) != 0 && (flags_ & flag::kReceiptPaper) == 0)
    return kErrorNoReceiptPaper;
  if (hasJournal_ && (stations & kJournalBit) != 0 && (flags_ & flag::kJournalPaper) == 0)
    return kErrorNoJournalPaper;
  return kErrorNone;
}

bool Printer::Advance(uint64_t nowMs) {
  bool finished = false;
  // Each turn prints one line or stops, so the queue bounds the loop.
  for (size_t turn = queue_.size() + 1; turn > 0 && Printing(submode_); --turn) {
    // Printing with nothing queued was set from outside: it stays as it was put.
    if (queue_.empty() || nextLineMs_ > nowMs) break;
    const Line& line = queue_.front();
    if (!HasPaper(line.stations)) {
      submode_ = kSubmodeActivePaperOut;
      break;
    }
    Emit(line);
    queue_.pop_front();
    nextLineMs_ += timing_.lineMs;
    if (queue_.empty()) {
      submode_ = kSubmodePaperPresent;
      finished = true;
    }
    const uint32_t number = ++counters_.linesPrinted;
    for (const PaperFault& fault : faults_.paperOutAfterLine) {
      if (fault.number != number) continue;
      flags_ &= uint16_t(
          ~(fault.station == Station::kJournal ? flag::kJournalPaper : flag::kReceiptPaper));
    }
  }
  const bool allPaper = HasPaper(kFiscalStations);
  if (submode_ == kSubmodeActivePaperOut && allPaper) submode_ = kSubmodeAfterActivePaperOut;
  if (submode_ == kSubmodePaperPresent && !allPaper) submode_ = kSubmodePassivePaperOut;
  if (submode_ == kSubmodePassivePaperOut && allPaper) submode_ = kSubmodePaperPresent;
  return finished;
}

void Printer::Continue(uint64_t nowMs) {
  submode_ = queue_.empty() ? kSubmodePaperPresent : kSubmodePrinting;
  nextLineMs_ = nowMs + timing_.lineMs;
}

void Printer::Clear() {
  queue_.clear();
  fresh_ = false;
  submode_ = kSubmodePaperPresent;
}

void Printer::Emit(const Line& line) {
  for (Station station : kStations) {
    if ((line.stations & uint8_t(station)) == 0) continue;
    printed_[StationIndex(station)].push_back(line.text);
    if (observer_) observer_(station, line.text);
  }
}

const std::vector<std::string>& Printer::Printed(Station station) const {
  return printed_[StationIndex(station)];
}

void Printer::ClearPrinted() {
  for (std::vector<std::string>& lines : printed_) lines.clear();
}

}  // namespace orn::simulator
