// Builds one framed message: command byte, 7-bit body, checksum (body sum mod 128), EOM 255.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace sim {

using Bytes = std::vector<uint8_t>;

inline constexpr uint8_t kEOM = 255;

class MessageBuilder {
 public:
  // Throws std::out_of_range unless the command is 128..254.
  explicit MessageBuilder(int command);

  // Body byte 0..127; throws std::out_of_range otherwise (a value that would break the framing).
  void AddByte(int value);
  // 14-bit number, low 7 bits first; throws std::out_of_range outside 0..16383.
  void AddNumber(int value);
  // Exactly `width` bytes: the text, cut or padded with blanks.
  void AddText(std::string_view text, size_t width);
  void AddBody(const Bytes& body);
  void Reserve(size_t bodyBytes) { bytes_.reserve(bodyBytes + 3); }

  // Length of the finished message.
  size_t FinishedSize() const { return bytes_.size() + 2; }
  // Appends checksum and EOM; the builder is spent afterwards.
  Bytes Finish();

 private:
  Bytes bytes_;
  unsigned sum_ = 0;
};

// Appends a 14-bit number to a bare body, for blocks built before their message.
void AppendNumber(Bytes& body, int value);

}  // namespace sim
