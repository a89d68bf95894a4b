#include "model/InhibitMap.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace dazi {

namespace {

// Bit k set where values[k] == wanted, for k < count <= 64; eight bytes at a time.
uint64_t MatchingBits(const uint8_t* values, size_t count, uint8_t wanted) {
  constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
  const uint64_t pattern = 0x0101010101010101ULL * wanted;
  uint64_t bits = 0;
  size_t k = 0;
  for (; k + 8 <= count; k += 8) {
    uint64_t eight;
    std::memcpy(&eight, values + k, 8);
    const uint64_t x = eight ^ pattern;
    // The top bit of each byte is set exactly where that byte of x is zero.
    const uint64_t zero = ~(((x & kLow7) + kLow7) | x | kLow7);
    // Gathers the eight top bits into the top byte, the first value's lowest (little-endian).
    bits |= (((zero >> 7) * 0x0102040810204080ULL) >> 56) << k;
  }
  for (; k < count; ++k) bits |= static_cast<uint64_t>(values[k] == wanted) << k;
  return bits;
}

}  // namespace

void InhibitMap::Recreate(int outputs, int inputs) {
  outputs_ = outputs < 0 ? 0 : outputs;
  inputs_ = inputs < 0 ? 0 : inputs;
  const uint64_t count = static_cast<uint64_t>(outputs_) * static_cast<uint64_t>(inputs_);
  const size_t words = static_cast<size_t>((count + 63) / 64);
  // A map that grows is not copied (never the old and the new one at once), and one that
  // shrinks far gives its memory back: a largest router's map alone is 32 MB.
  if (words > bits_.capacity() || words < bits_.capacity() / 2) std::vector<uint64_t>().swap(bits_);
  bits_.assign(words, 0);
}

int InhibitMap::Get(int output, int input) const {
  if (output < 0 || input < 0 || output >= outputs_ || input >= inputs_) return 0;
  const uint64_t bit = static_cast<uint64_t>(output) * inputs_ + input;
  return static_cast<int>((bits_[bit / 64] >> (bit % 64)) & 1u);
}

void InhibitMap::Set(int output, int input, int value) {
  if (output < 0 || input < 0 || output >= outputs_ || input >= inputs_)
    throw std::out_of_range("inhibit index");
  const uint64_t bit = static_cast<uint64_t>(output) * inputs_ + input;
  const uint64_t mask = uint64_t{1} << (bit % 64);
  if (value == 1)
    bits_[bit / 64] |= mask;
  else
    bits_[bit / 64] &= ~mask;
}

template <typename BitsFor>
void InhibitMap::WriteBits(uint64_t bit, uint64_t count, BitsFor bitsFor) {
  while (count > 0) {
    const auto offset = static_cast<unsigned>(bit % 64);
    const uint64_t width = std::min<uint64_t>(64 - offset, count);
    const uint64_t mask = (width == 64 ? ~uint64_t{0} : (uint64_t{1} << width) - 1) << offset;
    uint64_t& word = bits_[bit / 64];
    word = (word & ~mask) | ((bitsFor(width) << offset) & mask);
    bit += width;
    count -= width;
  }
}

void InhibitMap::StoreRun(int output, int firstInput, const uint8_t* values, size_t count,
                          uint8_t inhibitedValue) {
  if (output < 0 || output >= outputs_) return;
  int64_t input = firstInput;
  if (input < 0) {
    const size_t skipped = std::min(count, static_cast<size_t>(-input));
    values += skipped;
    count -= skipped;
    input = 0;
  }
  if (input >= inputs_) return;
  count = std::min(count, static_cast<size_t>(inputs_ - input));
  // A whole file row at a time: up to 64 pairs go into their word at once.
  const uint64_t bit =
      static_cast<uint64_t>(output) * static_cast<uint64_t>(inputs_) + static_cast<uint64_t>(input);
  WriteBits(bit, count, [&](uint64_t width) {
    const uint64_t bits = MatchingBits(values, static_cast<size_t>(width), inhibitedValue);
    values += width;
    return bits;
  });
}

void InhibitMap::SetRun(int output, int first, int end, int value) {
  if (first >= end) return;
  if (output < 0 || first < 0 || output >= outputs_ || first >= inputs_)
    throw std::out_of_range("inhibit index");
  const uint64_t row = static_cast<uint64_t>(output) * inputs_;
  const uint64_t fill = value == 1 ? ~uint64_t{0} : 0;
  WriteBits(row + first, static_cast<uint64_t>(std::min(end, inputs_) - first),
            [fill](uint64_t) { return fill; });
  if (end > inputs_) throw std::out_of_range("inhibit index");
}

}  // namespace dazi
