#pragma once
// The register link's frames and request messages, built here on their own so that no
// test takes the driver's or the simulator's framing as its expectation. A frame is STX,
// the message length, the message and a check byte: the XOR of the length and of every
// message byte. A request message is the command code, the 4-byte password and the
// parameters; an answer message is the code, the error code and the data.

#include <cstdint>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

namespace orn::testing {

using Bytes = std::vector<uint8_t>;

inline constexpr uint8_t kStx = 0x02, kEnq = 0x05, kAck = 0x06, kNak = 0x15;

inline Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Bytes written as hex text: "1E 00 00 00".
inline Bytes Hex(const std::string& text) {
  Bytes bytes;
  std::istringstream in(text);
  std::string word;
  while (in >> word) bytes.push_back(uint8_t(std::stoul(word, nullptr, 16)));
  return bytes;
}

// `value` little-endian in `count` bytes.
inline Bytes Le(uint64_t value, size_t count) {
  Bytes bytes;
  for (size_t i = 0; i < count; ++i) bytes.push_back(uint8_t(value >> (8 * i)));
  return bytes;
}

// A text in a fixed field of `size` bytes: the characters, then 00h.
inline Bytes Field(const std::string& text, size_t size = 40) {
  Bytes bytes(text.begin(), text.end());
  bytes.resize(size, 0);
  return bytes;
}

// The code, the password and the parameters.
inline Bytes Request(uint8_t code, std::initializer_list<Bytes> parts, uint32_t password = 30) {
  Bytes request = Bytes{code} + Le(password, 4);
  for (const Bytes& part : parts) request = request + part;
  return request;
}

inline Bytes FrameOf(const Bytes& message) {
  Bytes frame = {kStx, uint8_t(message.size())};
  uint8_t check = uint8_t(message.size());
  for (uint8_t byte : message) {
    frame.push_back(byte);
    check ^= byte;
  }
  frame.push_back(check);
  return frame;
}

// The message of `sent` when it is an ACK and one well-formed frame; empty when it is
// anything else (wrong length byte, wrong check byte, no ACK).
inline Bytes AnswerAfterAck(const Bytes& sent) {
  if (sent.size() < 4) return {};
  const Bytes message(sent.begin() + 3, sent.end() - 1);
  if (Bytes{kAck} + FrameOf(message) != sent) return {};
  return message;
}

// The messages of the well-formed frames in a stream of line bytes, in order; the
// handshake's single bytes between them are passed over.
inline std::vector<Bytes> MessagesIn(const Bytes& stream) {
  std::vector<Bytes> messages;
  for (size_t i = 0; i + 1 < stream.size(); ++i) {
    const size_t length = stream[i + 1];
    if (stream[i] != kStx || i + 2 + length >= stream.size()) continue;
    const Bytes message(stream.begin() + long(i) + 2, stream.begin() + long(i + 2 + length));
    if (Bytes(stream.begin() + long(i), stream.begin() + long(i + 3 + length)) != FrameOf(message))
      continue;
    messages.push_back(message);
    i += length + 2;
  }
  return messages;
}

}  // namespace orn::testing
