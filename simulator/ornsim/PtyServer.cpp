#include "simulator/ornsim/PtyServer.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace orn::simulator {

namespace {

struct SpeedRow {
  speed_t speed;
  uint32_t rate;
};

constexpr SpeedRow kSpeeds[] = {
    {B2400, 2400},   {B4800, 4800},   {B9600, 9600},     {B19200, 19200},
    {B38400, 38400}, {B57600, 57600}, {B115200, 115200},
};

speed_t SpeedOfRate(uint32_t rate) {
  for (const SpeedRow& row : kSpeeds) {
    if (row.rate == rate) return row.speed;
  }
  return B4800;
}

uint32_t RateOfSpeed(speed_t speed) {
  for (const SpeedRow& row : kSpeeds) {
    if (row.speed == speed) return row.rate;
  }
  return 0;
}

std::string SystemError(const char* what) {
  return std::string(what) + ": " + strerror(errno);
}

// Longest wait in one poll, so that a stop request is seen even without a signal.
constexpr int kMaxPollMs = 200;

}  // namespace

PtyServer::PtyServer(RegisterSimulator& simulator, bool verbose, bool paced)
    : simulator_(simulator), verbose_(verbose), paced_(paced) {
  startUs_ = NowUs();
}

PtyServer::~PtyServer() {
  if (slave_ >= 0) close(slave_);
  if (master_ >= 0) close(master_);
}

bool PtyServer::Open(std::string& error) {
  master_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0) return error = SystemError("posix_openpt"), false;
  if (grantpt(master_) != 0) return error = SystemError("grantpt"), false;
  if (unlockpt(master_) != 0) return error = SystemError("unlockpt"), false;
  const char* name = ptsname(master_);
  if (name == nullptr) return error = SystemError("ptsname"), false;
  slavePath_ = name;
  slave_ = open(name, O_RDWR | O_NOCTTY);
  if (slave_ < 0) return error = SystemError(name), false;

  termios settings{};
  if (tcgetattr(slave_, &settings) != 0) return error = SystemError("tcgetattr"), false;
  cfmakeraw(&settings);
  cfsetispeed(&settings, SpeedOfRate(simulator_.BaudRate()));
  cfsetospeed(&settings, SpeedOfRate(simulator_.BaudRate()));
  if (tcsetattr(slave_, TCSANOW, &settings) != 0) return error = SystemError("tcsetattr"), false;

  const int flags = fcntl(master_, F_GETFL);
  if (flags < 0 || fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0) {
    return error = SystemError("fcntl"), false;
  }
  return true;
}

bool PtyServer::Serve(const volatile std::sig_atomic_t& stop, std::string& error) {
  while (!stop) {
    const int64_t waitUs = WaitUs();
    const timespec timeout{time_t(waitUs / 1000000), long(waitUs % 1000000) * 1000};
    pollfd watched{master_, short(outputBlocked_ ? POLLIN | POLLOUT : POLLIN), 0};
    const int ready = ppoll(&watched, 1, &timeout, nullptr);
    if (ready < 0) {
      if (errno == EINTR) continue;
      error = SystemError("poll");
      return false;
    }
    if ((watched.revents & (POLLERR | POLLNVAL)) != 0) {
      error = "the pseudo-terminal failed";
      return false;
    }
    if ((watched.revents & POLLOUT) != 0) outputBlocked_ = false;
    if ((watched.revents & POLLIN) != 0 && !ReadInput(error)) return false;
    HandleHeardInput();
    if (!WriteDueOutput(error)) return false;
  }
  return true;
}

void PtyServer::Send(const uint8_t* data, size_t count, uint32_t delayMs) {
  if (outputBytes_ + count > kMaxQueuedBytes) {
    Log("tx", data, count, "lost: the client does not read");
    return;
  }
  uint64_t due = receivedAtUs_ + uint64_t(delayMs) * 1000;
  if (!output_.empty() && output_.back().dueUs > due) due = output_.back().dueUs;
  output_.push_back(Chunk{due, std::vector<uint8_t>(data, data + count)});
  outputBytes_ += count;
}

uint64_t PtyServer::NowUs() const {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return uint64_t(now.tv_sec) * 1000000 + uint64_t(now.tv_nsec) / 1000 - startUs_;
}

uint64_t PtyServer::ByteTimeUs() const {
  // Ten bits a byte: start bit, eight data bits, stop bit.
  const uint32_t rate = simulator_.BaudRate();
  return paced_ ? (10ull * 1000000 + rate - 1) / rate : 0;
}

uint64_t PtyServer::NextOutputUs() const {
  const uint64_t start = std::max(output_.front().dueUs, outputFreeUs_);
  return start + ByteTimeUs();
}

int64_t PtyServer::WaitUs() const {
  int64_t waitUs = kMaxPollMs * 1000;
  const uint64_t now = NowUs();
  const auto until = [&](uint64_t due) {
    waitUs = std::min(waitUs, due <= now ? int64_t(0) : int64_t(due - now));
  };
  if (!input_.empty()) until(input_.front().heardUs);
  // Output the client does not take waits for room (POLLOUT), not for its time.
  if (!output_.empty() && !outputBlocked_) until(NextOutputUs());
  return waitUs;
}

uint32_t PtyServer::ClientBaudRate() const {
  termios settings{};
  if (tcgetattr(slave_, &settings) != 0) return 0;
  return RateOfSpeed(cfgetospeed(&settings));
}

bool PtyServer::ReadInput(std::string& error) {
  uint8_t buffer[256];
  const ssize_t count = read(master_, buffer, sizeof buffer);
  if (count < 0) {
    if (errno == EAGAIN || errno == EINTR) return true;
    error = SystemError("read");
    return false;
  }
  const uint64_t now = NowUs();
  const uint32_t clientRate = ClientBaudRate();
  // A pseudo-terminal carries no rate, so bytes are judged by the client's rate when they
  // are read. A client found at the rate just agreed has moved there; its acknowledgement
  // may have been purged from the terminal before it was read, so the register moves too.
  if (clientRate != simulator_.BaudRate() && clientRate == simulator_.PendingBaudRate())
    simulator_.AdoptPendingBaudRate();
  Log("rx", buffer, size_t(count),
      clientRate == simulator_.BaudRate() ? "" : "ignored: client at another rate");
  // The bytes were written just now; paced, they arrive one after the other.
  for (ssize_t i = 0; i < count; ++i) {
    if (input_.size() >= kMaxQueuedBytes) {
      Log("rx", buffer + i, size_t(count - i), "lost: the register's buffer is full");
      break;
    }
    inputFreeUs_ = std::max(now, inputFreeUs_) + ByteTimeUs();
    input_.push_back({buffer[i], clientRate, inputFreeUs_});
  }
  return true;
}

void PtyServer::HandleHeardInput() {
  const uint64_t now = NowUs();
  while (!input_.empty() && input_.front().heardUs <= now) {
    const Incoming heard = input_.front();
    input_.pop_front();
    receivedAtUs_ = heard.heardUs;
    // Bytes sent at another rate are garbage to the register: it never sees them. Its rate
    // may change between two bytes (an acknowledged SetExchangeParams).
    if (heard.clientRate == simulator_.BaudRate())
      simulator_.OnByte(heard.byte, heard.heardUs / 1000, *this);
  }
}

bool PtyServer::WriteDueOutput(std::string& error) {
  const uint64_t now = NowUs();
  while (!output_.empty()) {
    Chunk& chunk = output_.front();
    const uint64_t start = std::max(chunk.dueUs, outputFreeUs_);
    if (start + ByteTimeUs() > now) return true;
    // Paced, only the bytes that have fully crossed the line by now; else the whole chunk.
    size_t due = chunk.bytes.size();
    if (paced_) due = std::min<uint64_t>(due, (now - start) / ByteTimeUs());
    if (ClientBaudRate() != simulator_.BaudRate()) {
      Log("tx", chunk.bytes.data(), chunk.bytes.size(), "lost: client at another rate");
      outputBytes_ -= chunk.bytes.size();
      output_.pop_front();
      continue;
    }
    const ssize_t written = write(master_, chunk.bytes.data(), due);
    if (written < 0) {
      // The client is not reading yet: wait until the terminal has room again.
      if (errno == EAGAIN) outputBlocked_ = true;
      if (errno == EAGAIN || errno == EINTR) return true;
      error = SystemError("write");
      return false;
    }
    Log("tx", chunk.bytes.data(), size_t(written), "");
    if (paced_) outputFreeUs_ = start + uint64_t(written) * ByteTimeUs();
    chunk.bytes.erase(chunk.bytes.begin(), chunk.bytes.begin() + written);
    outputBytes_ -= size_t(written);
    if (!chunk.bytes.empty()) return true;
    output_.pop_front();
  }
  return true;
}

void PtyServer::Log(const char* direction, const uint8_t* data, size_t count,
                    const char* note) const {
  if (!verbose_) return;
  std::fprintf(stderr, "%8llu %s", static_cast<unsigned long long>(NowUs() / 1000), direction);
  for (size_t i = 0; i < count; ++i) std::fprintf(stderr, " %.2X", data[i]);
  if (*note != '\0') std::fprintf(stderr, " (%s)", note);
  std::fprintf(stderr, "\n");
}

}  // namespace orn::simulator
