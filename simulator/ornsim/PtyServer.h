#pragma once
// Serves a RegisterSimulator on a pseudo-terminal in real time: one thread, poll, and two
// queues: bytes from the client wait until the register has heard them, answer bytes until
// their delay has passed. A pseudo-terminal carries bytes at once; paced, each byte takes
// its wire time at the register's rate in both directions, as on a real line.

#include <csignal>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/memory/LinePeer.h"
#include "simulator/RegisterSimulator.h"

namespace orn::simulator {

class PtyServer : private platform::LineReply {
 public:
  PtyServer(RegisterSimulator& simulator, bool verbose, bool paced = false);
  ~PtyServer() override;
  PtyServer(const PtyServer&) = delete;
  PtyServer& operator=(const PtyServer&) = delete;

  // Makes the pseudo-terminal: raw, at the register's rate. On failure says why.
  bool Open(std::string& error);
  const std::string& SlavePath() const { return slavePath_; }

  // Serves until `stop` is set (by a signal handler); returns false on an I/O failure.
  bool Serve(const volatile std::sig_atomic_t& stop, std::string& error);

 private:
  struct Incoming {
    uint8_t byte;
    uint32_t clientRate;  // the rate the client sent it at
    uint64_t heardUs;     // when the register has heard all of it
  };
  struct Chunk {
    uint64_t dueUs;  // when its first byte may start
    std::vector<uint8_t> bytes;
  };

  void Send(const uint8_t* data, size_t count, uint32_t delayMs) override;
  uint64_t NowUs() const;
  // Wire time of one byte at the register's rate; 0 when not paced.
  uint64_t ByteTimeUs() const;
  // When the next answer byte may be written to the terminal.
  uint64_t NextOutputUs() const;
  // How long poll may sleep: until the next byte is due, and never long.
  int64_t WaitUs() const;
  // The rate the client set on the terminal; 0 when it is not one the register knows.
  uint32_t ClientBaudRate() const;
  bool ReadInput(std::string& error);
  void HandleHeardInput();
  bool WriteDueOutput(std::string& error);
  void Log(const char* direction, const uint8_t* data, size_t count, const char* note) const;

  RegisterSimulator& simulator_;
  bool verbose_;
  bool paced_;
  int master_ = -1;
  int slave_ = -1;  // held open so the terminal outlives the client and its rate can be read
  std::string slavePath_;
  uint64_t startUs_ = 0;
  uint64_t receivedAtUs_ = 0;  // when the byte being handled was heard
  uint64_t inputFreeUs_ = 0;   // paced: when the client's last byte has arrived
  uint64_t outputFreeUs_ = 0;  // paced: when the register's last byte has left
  // Both directions hold at most this many bytes, as a serial port's buffers do: a client
  // that writes without reading loses what does not fit, it does not grow the simulator.
  static constexpr size_t kMaxQueuedBytes = 4096;
  std::deque<Incoming> input_;
  std::deque<Chunk> output_;
  size_t outputBytes_ = 0;      // queued in output_
  bool outputBlocked_ = false;  // the terminal had no room for the last write
};

}  // namespace orn::simulator
