#include "core/InhibitMap.h"

#include <algorithm>
#include <stdexcept>

namespace dazi {

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

void InhibitMap::SetRun(int output, int first, int end, int value) {
  if (first >= end) return;
  if (output < 0 || first < 0 || output >= outputs_ || first >= inputs_)
    throw std::out_of_range("inhibit index");
  const uint64_t row = static_cast<uint64_t>(output) * inputs_;
  uint64_t bit = row + first;
  const uint64_t stop = row + std::min(end, inputs_);
  const uint64_t fill = value == 1 ? ~uint64_t{0} : 0;
  while (bit < stop) {
    const uint64_t offset = bit % 64;
    const uint64_t width = std::min<uint64_t>(64 - offset, stop - bit);
    const uint64_t mask = (width == 64 ? ~uint64_t{0} : ((uint64_t{1} << width) - 1)) << offset;
    uint64_t& word = bits_[bit / 64];
    word = (word & ~mask) | (fill & mask);
    bit += width;
  }
  if (end > inputs_) throw std::out_of_range("inhibit index");
}

}  // namespace dazi
