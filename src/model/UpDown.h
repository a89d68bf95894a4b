// The spinner: an integer value in 0..Max that wraps at both ends and reports every change at
// once, also when the program sets the value.
#pragma once

#include <functional>

namespace dazi {

class UpDown {
 public:
  int Value() const { return value_; }
  int Max() const { return max_; }

  // Values outside 0..Max are clamped. Raises OnChange when the value changes.
  void SetValue(int value);
  // A negative maximum counts as 0; a value above the new maximum is lowered to it.
  void SetMax(int max);
  void StepUp();    // Max wraps to 0
  void StepDown();  // 0 wraps to Max

  std::function<void()> OnChange;

 private:
  int value_ = 0;
  int max_ = 0;
};

}  // namespace dazi
