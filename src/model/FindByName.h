// Find by name: the entries a spinner could stop on now, narrowed by what the operator typed, and
// choosing one of them as if the spinner had been stepped to it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dazi {

struct Panel;

// The display (with its spinner) the operator is finding on.
enum class FindSide { Destination, Preset };

// What that side's spinner steps through now; None while it would not move (no switcher data,
// salvo mode without salvos).
enum class FindKind { None, Destinations, Sources, Salvos, Keys };
FindKind FindKindOf(const Panel& panel, FindSide side);

// The spinner values whose names hold `typed` (Windows-1252, letters matched without regard to
// case): those that begin with it first, then those that contain it, each in spinner order.
// Only values the spinner would stop on are offered.
std::vector<int> FindByName(const Panel& panel, FindSide side, std::string_view typed);

// The name the display would show for a spinner value; empty for a value it does not reach.
std::string FoundName(const Panel& panel, FindSide side, int value);

// Steps the side's spinner to `value`, running what that step runs; a value the spinner would
// not stop on now changes nothing.
void ChooseFound(Panel& panel, FindSide side, int value);

}  // namespace dazi
