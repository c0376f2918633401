#pragma once
// A register on the bench: requests written out byte by byte from the protocol (code,
// password, parameters), each sent as one whole exchange on the virtual line, with the
// line time moving on by a fixed step per exchange.

#include <initializer_list>
#include <string>

#include "unit/simulator/LineRecorder.h"

namespace orn::simulator::testing {

using orn::testing::Field;
using orn::testing::Le;
using orn::testing::Request;

// An item (80h..84h): quantity in thousandths, price, department 1, tax group, text.
inline Bytes Item(uint8_t code, uint64_t quantity, uint64_t price, uint8_t group = 0,
                  const std::string& text = "") {
  return Request(code, {Le(quantity, 5), Le(price, 5), {1}, {group, 0, 0, 0}, Field(text)});
}

// Discount, surcharge and their stornos (86h, 87h, 8Ah, 8Bh).
inline Bytes Adjust(uint8_t code, uint64_t amount, uint8_t group = 0) {
  return Request(code, {Le(amount, 5), {group, 0, 0, 0}, Field("")});
}

// CloseReceipt with the four payments.
inline Bytes Close(uint64_t cash, uint64_t type2 = 0, uint64_t type3 = 0, uint64_t type4 = 0) {
  return Request(
      0x85,
      {Le(cash, 5), Le(type2, 5), Le(type3, 5), Le(type4, 5), {0, 0}, {0, 0, 0, 0}, Field("")});
}

inline Bytes Simple(uint8_t code) {
  return Request(code, {});
}

class RegisterBench {
 public:
  static constexpr uint64_t kStepMs = 50;

  explicit RegisterBench(const SimulatorConfig& config = {}) : sim(config) {}

  // The answer message: code, error, data.
  Bytes Send(const Bytes& request) {
    const Bytes answer = AnswerAfterAck(line.Feed(sim, FrameOf(request), nowMs));
    line.Feed(sim, {kAck}, nowMs + 10);
    nowMs += kStepMs;
    return answer;
  }
  // The error byte of the answer (FFh when no answer came).
  uint8_t Error(const Bytes& request) {
    const Bytes answer = Send(request);
    return answer.size() >= 2 ? answer[1] : 0xFF;
  }
  Bytes Status() { return Send(Simple(0x11)); }
  uint8_t Mode() { return Status().at(2 + 13); }
  uint8_t Submode() { return Status().at(2 + 14); }
  // A money register as GetCashRegister answers it (6 bytes after the operator).
  int64_t Money(uint8_t number) {
    const Bytes answer = Send(Request(0x1A, {{number}}));
    int64_t value = 0;
    for (size_t i = 0; i < 6; ++i) value |= int64_t(answer.at(3 + i)) << (8 * i);
    return value;
  }
  uint16_t Operations(uint8_t number) {
    const Bytes answer = Send(Request(0x1B, {{number}}));
    return uint16_t(answer.at(3) | answer.at(4) << 8);
  }
  int64_t Subtotal() {
    const Bytes answer = Send(Simple(0x89));
    int64_t value = 0;
    for (size_t i = 0; i < 5; ++i) value |= int64_t(answer.at(3 + i)) << (8 * i);
    return value;
  }
  // Lets line time pass, with the register hearing an ENQ at the end.
  void Wait(uint64_t ms) {
    nowMs += ms;
    line.Feed(sim, {kEnq}, nowMs);
  }
  const std::vector<std::string>& Tape() const { return sim.Printed(Station::kReceipt); }

  RegisterSimulator sim;
  LineRecorder line;
  uint64_t nowMs = 0;
};

}  // namespace orn::simulator::testing
