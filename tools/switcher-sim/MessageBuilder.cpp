#include "MessageBuilder.h"

#include <stdexcept>
#include <utility>

namespace sim {

MessageBuilder::MessageBuilder(int command) {
  if (command < 128 || command > 254) throw std::out_of_range("command byte");
  bytes_.push_back(static_cast<uint8_t>(command));
}

void MessageBuilder::AddByte(int value) {
  if (value < 0 || value > 127) throw std::out_of_range("body byte");
  bytes_.push_back(static_cast<uint8_t>(value));
  sum_ = (sum_ + static_cast<unsigned>(value)) & 127u;
}

void MessageBuilder::AddNumber(int value) {
  if (value < 0 || value > 16383) throw std::out_of_range("14-bit number");
  AddByte(value & 127);
  AddByte(value >> 7);
}

void MessageBuilder::AddText(std::string_view text, size_t width) {
  for (size_t i = 0; i < width; ++i) {
    AddByte(i < text.size() ? static_cast<unsigned char>(text[i]) : ' ');
  }
}

void MessageBuilder::AddBody(const Bytes& body) {
  for (uint8_t b : body) AddByte(b);
}

Bytes MessageBuilder::Finish() {
  bytes_.push_back(static_cast<uint8_t>(sum_));
  bytes_.push_back(kEOM);
  return std::move(bytes_);
}

void AppendNumber(Bytes& body, int value) {
  if (value < 0 || value > 16383) throw std::out_of_range("14-bit number");
  body.push_back(static_cast<uint8_t>(value & 127));
  body.push_back(static_cast<uint8_t>(value >> 7));
}

}  // namespace sim
