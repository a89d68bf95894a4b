#include "link_tcp/ByteManipulation.h"

#include <stdexcept>

namespace dazi {

int16_t JoinBytes(uint8_t low, uint8_t high) {
  const int value = high * 128 + low;
  if (value > INT16_MAX) throw std::overflow_error("JoinBytes");
  return static_cast<int16_t>(value);
}

int16_t SplitRunByte(uint8_t& b) {
  const int16_t flag = (b >> 6) & 1;
  b &= 63;
  return flag;
}

uint8_t ComputeChecksum(std::span<const uint8_t> message, int skip) {
  const int64_t last = static_cast<int64_t>(message.size()) - 1 - skip;
  unsigned sum = 0;
  for (int64_t i = 1; i <= last; ++i) sum = (sum + message[static_cast<size_t>(i)]) & 127;
  return static_cast<uint8_t>(sum);
}

void AppendNumber(std::vector<uint8_t>& message, int value) {
  if (value < 0 || value > 16383) throw std::out_of_range("14-bit number");
  const int low = value & 127;
  message.push_back(static_cast<uint8_t>(low));
  message.push_back(static_cast<uint8_t>((value - low) / 128));
}

}  // namespace dazi
