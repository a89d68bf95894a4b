#include "model/SelectorSteps.h"

namespace dazi {

namespace {

// A move from one end to the other is the spinner wrapping, not a long jump the other way.
int DirectionOf(int old, int now, int last) {
  if (old == 0 && now >= last) return -1;
  if (old >= last && now == 0) return +1;
  return now > old ? +1 : -1;
}

int NextPosition(int now, int direction, int last) {
  if (direction > 0) return now >= last ? 0 : now + 1;
  return (now <= 0 || now > last) ? last : now - 1;
}

}  // namespace

std::optional<int> StepPastSkipped(int old, int now, int last,
                                   const std::function<bool(int)>& skipped) {
  if (last < 0) return std::nullopt;
  const int direction = DirectionOf(old, now, last);
  // Every position once, plus the starting one when it lies outside the list.
  for (int visits = 0; visits <= last + 1; ++visits) {
    if (now >= 0 && now <= last && !skipped(now)) return now;
    now = NextPosition(now, direction, last);
  }
  return std::nullopt;
}

std::optional<int> FirstSelectable(int last, const std::function<bool(int)>& skipped) {
  // Stepping up from the last position wraps to the top and searches on from there.
  return StepPastSkipped(last, 0, last, skipped);
}

}  // namespace dazi
