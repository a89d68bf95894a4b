// Cuts a peer's byte stream into messages with the protocol's framing rules: bytes before a
// command byte are stray and dropped; 245, 244, 241 and 243 stand alone; any other command byte
// runs to the next 255, unless a later command byte shows it was cut short.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "MessageBuilder.h"

namespace sim {

class Framer {
 public:
  void Append(const char* data, size_t size);
  // The next whole message (command byte to EOM, or a single-byte one), or nothing until more
  // bytes arrive.
  std::optional<Bytes> Next();
  // Bytes held back for an incomplete message.
  size_t PendingBytes() const { return buffer_.size() - head_; }
  void Discard();

 private:
  std::string buffer_;
  size_t head_ = 0;  // start of the unread part; the consumed prefix is dropped on Append
};

bool IsSingleByteCommand(uint8_t byte);

}  // namespace sim
