// The destination and source spinners and the displays they drive.
#pragma once

#include <functional>

namespace dazi {

struct Panel;

void cmdoutSel_Change(Panel& panel);
void cmdInSel_Change(Panel& panel);
// Shows the source routed to the chosen destination; with updatePreset also presets it.
void DisplayCurrentInput(Panel& panel, bool updatePreset);
// Runs a program-side change of the spinners: their change events do nothing meanwhile.
void WhileSelectorsBusy(Panel& panel, const std::function<void()>& change);
// Puts both spinners on position 0 with nowhere else to go, for while the lists hold no names.
// Raises no selection event.
void ParkSelectors(Panel& panel);

}  // namespace dazi
