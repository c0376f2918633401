#pragma once
// Serves a RegisterSimulator on a pseudo-terminal in real time: one thread, poll, and a
// queue of answer bytes that leave when their delay has passed.

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
  PtyServer(RegisterSimulator& simulator, bool verbose);
  ~PtyServer() override;
  PtyServer(const PtyServer&) = delete;
  PtyServer& operator=(const PtyServer&) = delete;

  // Makes the pseudo-terminal: raw, at the register's rate. On failure says why.
  bool Open(std::string& error);
  const std::string& SlavePath() const { return slavePath_; }

  // Serves until `stop` is set (by a signal handler); returns false on an I/O failure.
  bool Serve(const volatile std::sig_atomic_t& stop, std::string& error);

 private:
  struct Chunk {
    uint64_t dueMs;
    std::vector<uint8_t> bytes;
  };

  void Send(const uint8_t* data, size_t count, uint32_t delayMs) override;
  uint64_t NowMs() const;
  // The rate the client set on the terminal; 0 when it is not one the register knows.
  uint32_t ClientBaudRate() const;
  bool ReadInput(std::string& error);
  bool WriteDueOutput(std::string& error);
  void Log(const char* direction, const uint8_t* data, size_t count, const char* note) const;

  RegisterSimulator& simulator_;
  bool verbose_;
  int master_ = -1;
  int slave_ = -1;  // held open so the terminal outlives the client and its rate can be read
  std::string slavePath_;
  uint64_t startMs_ = 0;
  uint64_t receivedAtMs_ = 0;  // arrival time of the byte being handled
  std::deque<Chunk> output_;
};

}  // namespace orn::simulator
