// The destination and source spinners and the displays they drive.
#pragma once

#include <string>

namespace dazi {

struct Panel;
class SwitcherState;

void cmdoutSel_Change(Panel& panel);
void cmdInSel_Change(Panel& panel);
// Shows the source routed to the chosen destination; with updatePreset also presets it.
void DisplayCurrentInput(Panel& panel, bool updatePreset);
// The first positions the selectors can stop at, from the top of their lists: the destination,
// and the source for the chosen destination (hidden inhibits included). 0 when none can.
int FirstSelectableOutput(const Panel& panel);
int FirstSelectableInput(const Panel& panel);
// The rules by which the spinners pass over a position: reserved names, display lists and, for
// sources in crosspoint mode, sources inhibited for output channel `outputChannel` (the chosen
// destination's) when inhibits are hidden. Positions outside the lists are skipped too.
bool OutputSkipped(const Panel& panel, int position);
bool InputSkipped(const Panel& panel, int outputChannel, int position);
// What the preset display shows for a key-entry spinner value.
std::string KeyText(int value);
// Puts both spinners on position 0 with nowhere else to go, for while the lists hold no names.
// Raises no selection event.
void ParkSelectors(Panel& panel);

// Salvo mode's displays, which both links redraw when salvo names arrive or the link drops:
// the first salvo preset, "Salvo Mode" above it. Nothing outside salvo mode.
void DisplayFirstSalvo(Panel& panel);
// Leaves salvo mode and key entry without touching the displays or sending anything.
void EndSalvoMode(Panel& panel);
// False while the input table holds only its no-data marker (at start, or the link went down).
bool HasSwitcherData(const SwitcherState& s);

}  // namespace dazi
