#include "Framer.h"

namespace sim {

bool IsSingleByteCommand(uint8_t byte) {
  return byte == 245 || byte == 244 || byte == 241 || byte == 243;
}

void Framer::Append(const char* data, size_t size) {
  buffer_.erase(0, head_);
  head_ = 0;
  buffer_.append(data, size);
}

void Framer::Discard() {
  buffer_.clear();
  head_ = 0;
}

std::optional<Bytes> Framer::Next() {
  auto at = [this](size_t i) { return static_cast<uint8_t>(buffer_[i]); };
  while (head_ < buffer_.size() && at(head_) < 128) ++head_;
  if (head_ == buffer_.size()) {
    Discard();
    return std::nullopt;
  }
  if (IsSingleByteCommand(at(head_))) return Bytes{at(head_++)};

  const size_t eom = buffer_.find(static_cast<char>(kEOM), head_);
  if (eom == std::string::npos) return std::nullopt;
  // A command byte before the EOM supersedes the message begun before it. One pass finds the
  // last such start (a single-byte command among them is delivered first, on its own).
  size_t start = head_;
  for (size_t j = head_ + 1; j < eom; ++j) {
    if (at(j) < 128) continue;
    if (IsSingleByteCommand(at(j))) {
      head_ = j + 1;
      return Bytes{at(j)};
    }
    start = j;
  }
  Bytes message(buffer_.begin() + static_cast<std::ptrdiff_t>(start),
                buffer_.begin() + static_cast<std::ptrdiff_t>(eom) + 1);
  head_ = eom + 1;
  return message;
}

}  // namespace sim
