#include "simulator/RegisterSimulator.h"

#include <algorithm>

#include "simulator/Frame.h"

namespace orn::simulator {

namespace {

bool Listed(const std::vector<uint32_t>& numbers, uint32_t number) {
  return std::find(numbers.begin(), numbers.end(), number) != numbers.end();
}

// Applies the faults of the sending direction byte by byte on the way out. A dropped byte
// is simply not sent: the driver sees one byte fewer.
class FaultyReply : public platform::LineReply {
 public:
  FaultyReply(platform::LineReply& line, const SimulatorFaults& faults, SimulatorCounters& counters,
              LineNoise& noise, const LineObserver& observer)
      : line_(line), faults_(faults), counters_(counters), noise_(noise), observer_(observer) {}

  void Send(const uint8_t* data, size_t count, uint32_t delayMs) override {
    uint8_t out[kMaxFrame];
    size_t kept = 0;
    for (size_t i = 0; i < count && kept < kMaxFrame; ++i) {
      const uint32_t number = ++counters_.bytesSent;
      uint8_t byte = data[i];
      bool arrived = !Listed(faults_.dropSent, number);
      if (arrived) {
        if (Listed(faults_.corruptSent, number)) byte ^= faults_.corruptMask;
        arrived = noise_.Pass(byte, LineNoise::Direction::kFromRegister);
      }
      if (observer_)
        observer_(LineNoise::Direction::kFromRegister, data[i],
                  arrived ? std::optional<uint8_t>(byte) : std::nullopt);
      if (arrived) out[kept++] = byte;
    }
    if (kept > 0) line_.Send(out, kept, delayMs);
  }

 private:
  platform::LineReply& line_;
  const SimulatorFaults& faults_;
  SimulatorCounters& counters_;
  LineNoise& noise_;
  const LineObserver& observer_;
};

}  // namespace

RegisterSimulator::RegisterSimulator(const SimulatorConfig& config)
    : baudRate_(config.baudRate),
      faults_(config.faults),
      commands_(config.state, config.model, faults_, counters_, config.printing),
      link_(*this, faults_, counters_),
      noise_(faults_.randomBytes, counters_) {
  link_.Timing() = config.timing;
  if (faults_.staleAnswer) OfferStaleAnswer(0);
}

void RegisterSimulator::OnByte(uint8_t byte, uint64_t nowMs, platform::LineReply& reply) {
  MoveSlips(nowMs);
  commands_.Advance(nowMs);
  const uint32_t number = ++counters_.bytesReceived;
  const uint8_t sent = byte;
  bool arrived = !Listed(faults_.dropReceived, number);
  if (arrived) {
    if (Listed(faults_.corruptReceived, number)) byte ^= faults_.corruptMask;
    arrived = noise_.Pass(byte, LineNoise::Direction::kToRegister);
  }
  if (lineObserver_)
    lineObserver_(LineNoise::Direction::kToRegister, sent,
                  arrived ? std::optional<uint8_t>(byte) : std::nullopt);
  if (!arrived) return;
  FaultyReply faulty(reply, faults_, counters_, noise_, lineObserver_);
  link_.OnByte(byte, nowMs, faulty);
}

void RegisterSimulator::OfferStaleAnswer(uint64_t nowMs) {
  uint8_t answer[kMaxMessage];
  const size_t length = commands_.StatusAnswer(nowMs, answer);
  link_.OfferAnswer(answer, length);
}

size_t RegisterSimulator::Execute(const uint8_t* request, size_t length, uint64_t nowMs,
                                  uint8_t* answer) {
  if (Listed(faults_.resetBeforeCommand, counters_.framesReceived)) commands_.Reset(nowMs);
  for (const InjectedError& injected : faults_.deviceErrors) {
    if (injected.commandNumber != counters_.framesReceived) continue;
    answer[0] = request[0];
    answer[1] = injected.errorCode;
    return 2;
  }
  const size_t answerLength = commands_.Execute(request, length, nowMs, answer);
  if (faults_.shortAnswers > 0) {
    --faults_.shortAnswers;
    return 1;
  }
  if (faults_.wrongCodeAnswers > 0) {
    --faults_.wrongCodeAnswers;
    answer[0] ^= 0x01;
  }
  return answerLength;
}

const std::vector<std::string>& RegisterSimulator::Printed(Station station) const {
  return commands_.GetPrinter().Printed(station);
}

void RegisterSimulator::ClearPrinted() {
  commands_.GetPrinter().ClearPrinted();
}

void RegisterSimulator::SetPrintObserver(Printer::LineObserver observer) {
  commands_.GetPrinter().SetObserver(std::move(observer));
}

PrintTiming& RegisterSimulator::Printing() {
  return commands_.GetPrinter().Timing();
}

uint32_t RegisterSimulator::Cuts() const {
  return commands_.GetPrinter().Cuts();
}

namespace {

uint16_t PaperFlag(Station station) {
  return station == Station::kJournal ? flag::kJournalPaper : flag::kReceiptPaper;
}

}  // namespace

void RegisterSimulator::TakePaper(Station station) {
  State().flags &= uint16_t(~PaperFlag(station));
}

void RegisterSimulator::PutPaper(Station station) {
  State().flags |= PaperFlag(station);
}

void RegisterSimulator::InsertSlip() {
  State().flags |= flag::kSlipBottomSensor | flag::kSlipTopSensor;
}

void RegisterSimulator::RemoveSlip() {
  State().flags &= uint16_t(~(flag::kSlipBottomSensor | flag::kSlipTopSensor));
}

void RegisterSimulator::MoveSlips(uint64_t nowMs) {
  std::vector<SlipMove>& moves = faults_.slipMoves;
  for (;;) {
    const auto next =
        std::min_element(moves.begin(), moves.end(),
                         [](const SlipMove& a, const SlipMove& b) { return a.atMs < b.atMs; });
    if (next == moves.end() || next->atMs > nowMs) return;
    if (next->inserted) {
      InsertSlip();
    } else {
      RemoveSlip();
    }
    moves.erase(next);
  }
}

void RegisterSimulator::Reset() {
  commands_.Reset(commands_.LastTimeMs());
}

void RegisterSimulator::AdoptPendingBaudRate() {
  if (const auto rate = commands_.TakeRequestedBaudRate()) {
    baudRate_ = *rate;
    ++counters_.baudRateChanges;
  }
}

void RegisterSimulator::OnAnswerAcknowledged() {
  AdoptPendingBaudRate();
}

}  // namespace orn::simulator
