// Where a selector comes to rest when the operator moves it onto a position that must be skipped.
#pragma once

#include <functional>
#include <optional>

namespace dazi {

// The operator moved a selector from `old` to `now` on a list whose last position is `last`.
// Returns the first position from `now` on that `skipped` lets through, moving on in the
// operator's direction and wrapping at both ends; empty when one full cycle finds none.
// Positions outside 0..last (a spinner whose maximum outgrew its list) count as skipped.
std::optional<int> StepPastSkipped(int old, int now, int last,
                                   const std::function<bool(int)>& skipped);
// The first position from the top of the list that `skipped` lets through; empty when none does.
std::optional<int> FirstSelectable(int last, const std::function<bool(int)>& skipped);

}  // namespace dazi
