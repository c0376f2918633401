#include "device/UnsettledCommand.h"

#include <cstring>

namespace orn::device {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void PutHex(std::string& text, const uint8_t* bytes, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    text += kHex[bytes[i] >> 4];
    text += kHex[bytes[i] & 0x0F];
  }
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads the hex word at the start of `text` into `bytes`; false when it is not whole hex
// or too long. `text` moves past the word and the space after it.
bool TakeHex(std::string_view& text, uint8_t* bytes, size_t capacity, size_t& count) {
  const size_t end = std::min(text.find(' '), text.size());
  const std::string_view word = text.substr(0, end);
  text.remove_prefix(end < text.size() ? end + 1 : end);
  if (word.size() % 2 != 0 || word.size() / 2 > capacity) return false;
  count = word.size() / 2;
  for (size_t i = 0; i < count; ++i) {
    const int high = HexDigit(word[2 * i]);
    const int low = HexDigit(word[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    bytes[i] = uint8_t(high << 4 | low);
  }
  return true;
}

}  // namespace

bool UnsettledCommand::SameFrame(const uint8_t* other, uint32_t size) const {
  return size == frameSize && std::memcmp(frame, other, size) == 0;
}

std::string EncodeUnsettled(const UnsettledCommand& command) {
  std::string text;
  if (command.state == UnsettledCommand::State::kNone) return text;
  text += char('0' + int(command.state));
  text += ' ';
  PutHex(text, command.frame, command.frameSize);
  if (command.state == UnsettledCommand::State::kAnswered) {
    text += ' ';
    PutHex(text, command.answer, command.answerLength);
  }
  return text;
}

bool DecodeUnsettled(std::string_view text, UnsettledCommand& command) {
  command.Clear();
  if (text.empty()) return true;
  if (text.size() < 2 || text[1] != ' ') return false;
  const int state = text[0] - '0';
  if (state <= int(UnsettledCommand::State::kNone) ||
      state > int(UnsettledCommand::State::kUnknown))
    return false;
  text.remove_prefix(2);
  size_t frameSize = 0;
  // The smallest frame is STX, length, code, check byte.
  if (!TakeHex(text, command.frame, sizeof command.frame, frameSize) || frameSize < 4) return false;
  size_t answerLength = 0;
  const auto decoded = UnsettledCommand::State(state);
  if (decoded == UnsettledCommand::State::kAnswered &&
      (!TakeHex(text, command.answer, 255, answerLength) || answerLength < 2))
    return false;
  if (!text.empty()) return false;
  command.frameSize = uint32_t(frameSize);
  command.answerLength = uint8_t(answerLength);
  command.state = decoded;
  return true;
}

}  // namespace orn::device
