#include "core/InhibitMap.h"

#include <stdexcept>

namespace dazi {

void InhibitMap::Recreate(int outputs, int inputs) {
  outputs_ = outputs < 0 ? 0 : outputs;
  inputs_ = inputs < 0 ? 0 : inputs;
  const uint64_t count = static_cast<uint64_t>(outputs_) * static_cast<uint64_t>(inputs_);
  bits_.assign((count + 63) / 64, 0);
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

void InhibitMap::StoreRun(int output, int firstInput, const uint8_t* values, size_t count,
                          uint8_t inhibitedValue) {
  if (output < 0 || output >= outputs_) return;
  int64_t input = firstInput;
  for (size_t k = 0; k < count; ++k, ++input) {
    if (input < 0 || input >= inputs_) continue;
    const uint64_t bit = static_cast<uint64_t>(output) * inputs_ + static_cast<uint64_t>(input);
    const uint64_t mask = uint64_t{1} << (bit % 64);
    if (values[k] == inhibitedValue)
      bits_[bit / 64] |= mask;
    else
      bits_[bit / 64] &= ~mask;
  }
}

}  // namespace dazi
