// The destination and source spinners and the displays they drive.
#pragma once

#include <functional>

namespace dazi {

struct Panel;

void cmdoutSel_Change(Panel& panel);
void cmdInSel_Change(Panel& panel);
// Shows the source routed to the chosen destination; with updatePreset also presets it.
void DisplayCurrentInput(Panel& panel, bool updatePreset);

}  // namespace dazi
