#include "soak/LineWatch.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "platform/CommPort.h"
#include "simulator/Frame.h"

namespace orn::soak {

using Direction = simulator::LineNoise::Direction;

namespace {
// Answers the driver may still be reading: those sent since its last exchange began.
constexpr size_t kAnswersKept = 8;
}  // namespace

// A port of the driver's that tells the watch what the driver read and acknowledged.
class LineWatch::WatchedPort : public platform::CommPort {
 public:
  WatchedPort(platform::CommPort& port, LineWatch& watch) : port_(port), watch_(watch) {}

  bool SetupQueues(uint32_t inputSize, uint32_t outputSize) override {
    return Done(port_.SetupQueues(inputSize, outputSize));
  }
  bool GetState(platform::LineSettings& settings) override {
    return Done(port_.GetState(settings));
  }
  bool SetState(const platform::LineSettings& settings) override {
    return Done(port_.SetState(settings));
  }
  bool SetTimeouts(const platform::CommTimeouts& timeouts) override {
    return Done(port_.SetTimeouts(timeouts));
  }
  bool Purge(uint32_t flags) override { return Done(port_.Purge(flags)); }
  bool Read(uint8_t* buffer, uint32_t count, uint32_t& transferred) override {
    const bool done = Done(port_.Read(buffer, count, transferred));
    watch_.OnDriverRead(buffer, transferred);
    return done;
  }
  bool Write(const uint8_t* buffer, uint32_t count, uint32_t& transferred) override {
    if (count == 1 && buffer[0] == simulator::kAck) watch_.OnDriverAck();
    return Done(port_.Write(buffer, count, transferred));
  }
  bool Drain() override { return Done(port_.Drain()); }

 private:
  bool Done(bool result) {
    lastError_ = port_.LastError();
    return result;
  }
  platform::CommPort& port_;
  LineWatch& watch_;
};

class LineWatch::WatchedPorts : public platform::PortProvider {
 public:
  WatchedPorts(platform::PortProvider& ports, LineWatch& watch) : ports_(ports), watch_(watch) {}

  platform::CommPort* Acquire(int portNumber) override {
    platform::CommPort* port = ports_.Acquire(portNumber);
    ErrorOf(portNumber) = ports_.LastError(portNumber);
    if (!port) return nullptr;
    watched_[portNumber] = std::make_unique<WatchedPort>(*port, watch_);
    return watched_[portNumber].get();
  }
  bool Release(int portNumber) override {
    watched_.erase(portNumber);
    return ports_.Release(portNumber);
  }
  void RunSideBySide(size_t count, const std::function<void(size_t)>& job) override {
    ports_.RunSideBySide(count, job);
  }

 private:
  platform::PortProvider& ports_;
  LineWatch& watch_;
  std::map<int, std::unique_ptr<WatchedPort>> watched_;
};

LineWatch::LineWatch(simulator::RegisterSimulator& sim, platform::PortProvider& ports,
                     std::ostream* trace)
    : sim_(sim), driverPorts_(std::make_unique<WatchedPorts>(ports, *this)), trace_(trace) {
  sim_.SetLineObserver([this](Direction direction, uint8_t sent, std::optional<uint8_t> arrived) {
    OnLineByte(direction, sent, arrived);
  });
}

LineWatch::~LineWatch() {
  sim_.SetLineObserver(nullptr);
}

platform::PortProvider& LineWatch::DriverPorts() {
  return *driverPorts_;
}

void LineWatch::OnByte(uint8_t byte, uint64_t nowMs, platform::LineReply& reply) {
  const std::optional<size_t> position = driver_.Add(byte);
  if (position == 0u) {
    driverFrame_.clear();
    driverArrived_.clear();
    driverFrameChanged_ = false;
  }
  if (script_) script_(byte, position, sim_);
  arrived_ = byte;  // unless the line observer says otherwise
  const uint32_t framesBefore = sim_.Counters().framesReceived;
  sim_.OnByte(byte, nowMs, reply);
  if (position) {
    driverFrame_.push_back(byte);
    if (arrived_) driverArrived_.push_back(*arrived_);
    driverFrameChanged_ = driverFrameChanged_ || arrived_ != byte;
  }
  // The register executed a frame with this byte: unless it is the check byte of a frame
  // of the driver's that arrived whole and unchanged, the frame is not what the driver sent.
  if (sim_.Counters().framesReceived != framesBefore &&
      !(driver_.FrameEnded() && !driverFrameChanged_)) {
    ++takenByRegister_;
    Show("the register took a frame the line had changed", driverFrame_, driverArrived_);
  }
}

void LineWatch::OnLineByte(Direction direction, uint8_t sent, std::optional<uint8_t> arrived) {
  if (direction == Direction::kToRegister) {
    arrived_ = arrived;
    return;
  }
  const std::optional<size_t> position = register_.Add(sent);
  if (!position) return;
  if (position == 0u) answer_.clear();
  answer_.push_back(sent);
  if (!register_.FrameEnded()) return;
  answers_.push_back(answer_);
  if (answers_.size() > kAnswersKept) answers_.pop_front();
}

void LineWatch::OnDriverRead(const uint8_t* bytes, uint32_t count) {
  readBefore_.swap(lastRead_);
  lastRead_.assign(bytes, bytes + count);
}

void LineWatch::OnDriverAck() {
  // The driver read an answer's length byte, then its message and check byte.
  if (readBefore_.size() != 1 || lastRead_.size() != size_t(readBefore_[0]) + 1) return;
  std::vector<uint8_t> taken = {simulator::kStx, readBefore_[0]};
  taken.insert(taken.end(), lastRead_.begin(), lastRead_.end());
  if (std::find(answers_.begin(), answers_.end(), taken) != answers_.end()) return;
  ++takenByDriver_;
  Show("the driver took an answer the line had changed",
       answers_.empty() ? std::vector<uint8_t>{} : answers_.back(), taken);
}

void LineWatch::Show(const char* what, const std::vector<uint8_t>& sent,
                     const std::vector<uint8_t>& arrived) const {
  if (!trace_) return;
  const auto hex = [this](const std::vector<uint8_t>& bytes) {
    for (uint8_t byte : bytes) {
      char text[4];
      std::snprintf(text, sizeof text, " %02X", unsigned(byte));
      *trace_ << text;
    }
  };
  *trace_ << "line: " << what << "\n  sent:   ";
  hex(sent);
  *trace_ << "\n  arrived:";
  hex(arrived);
  *trace_ << "\n";
}

}  // namespace orn::soak
