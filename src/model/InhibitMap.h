// Which inputs may not be routed to which outputs: one bit per crosspoint, since only the value 1
// means anything.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dazi {

class InhibitMap {
 public:
  // Re-create empty (all 0) with outputs 0..outputs-1 and inputs 0..inputs-1.
  void Recreate(int outputs, int inputs);

  int Outputs() const { return outputs_; }
  int Inputs() const { return inputs_; }

  // 1 when inhibited, 0 otherwise; 0 outside the bounds.
  int Get(int output, int input) const;
  // Stores value == 1; throws std::out_of_range outside the bounds.
  void Set(int output, int input, int value);
  // Stores values[k] == inhibitedValue for the inputs firstInput + k of one output, as a file
  // row arrives. Pairs outside the bounds are passed over.
  void StoreRun(int output, int firstInput, const uint8_t* values, size_t count,
                uint8_t inhibitedValue);
  // Set(output, i, value) for every input i from first up to but not including end, a word at
  // a time; inputs past the bounds throw after those within them are stored.
  void SetRun(int output, int first, int end, int value);

 private:
  // Writes `count` bits from bit index `bit` on, a word at a time; bitsFor(width) gives the
  // next `width` bits (at most 64), lowest first.
  template <typename BitsFor>
  void WriteBits(uint64_t bit, uint64_t count, BitsFor bitsFor);

  int outputs_ = 0;
  int inputs_ = 0;
  std::vector<uint64_t> bits_;
};

}  // namespace dazi
