// Re-entrancy guard: gives a variable a value for as long as the guard lives, then the value it
// had before. A guard nested inside another (an event run inside a modal box, a routine called
// by one that holds the same guard) therefore leaves the outer one's value standing.
#pragma once

#include <utility>

namespace dazi {

template <typename T>
class [[nodiscard]] ScopedValue {
 public:
  ScopedValue(T& target, T value) : target_(target), previous_(std::exchange(target, value)) {}
  ~ScopedValue() { target_ = previous_; }
  ScopedValue(const ScopedValue&) = delete;
  ScopedValue& operator=(const ScopedValue&) = delete;

 private:
  T& target_;
  T previous_;
};

}  // namespace dazi
