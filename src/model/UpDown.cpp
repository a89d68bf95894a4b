#include "model/UpDown.h"

#include <algorithm>

namespace dazi {

void UpDown::SetValue(int value) {
  value = std::clamp(value, 0, max_);
  if (value == value_) return;
  value_ = value;
  if (OnChange) OnChange();
}

void UpDown::SetMax(int max) {
  max_ = std::max(max, 0);
  if (value_ > max_) SetValue(max_);
}

void UpDown::StepUp() {
  SetValue(value_ >= max_ ? 0 : value_ + 1);
}

void UpDown::StepDown() {
  SetValue(value_ <= 0 ? max_ : value_ - 1);
}

}  // namespace dazi
