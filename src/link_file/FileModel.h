// Puts what the network data files hold into the model and onto the main panel; shared by the
// full load and the refresh tick.
#pragma once

#include <vector>

#include "link_file/NetworkFileParsers.h"

namespace dazi {

struct Panel;
class SwitcherState;

// Replaces the alpha tables and counts, adds the "- OFF -" input of a type-1301 switcher, and
// sets the spinners' maxima. When a count changes, the crosspoint table and the inhibit map
// are re-sized to match and marked for reading again, and a selection beyond its list goes
// back to the first entry: every index stays inside its table.
void ApplyAlphaFile(Panel& panel, AlphaFile file);

// A spinner turned while its display read "NoSystem" moved without moving the selection; once
// the files give the displays something to show, the spinners come back to the selection.
void PutSpinnersOnTheSelection(Panel& panel);

// Fills the records of the map that the file has: lxptmap.ndf gives the sources and their count
// (no source: the last input), Xptmap.ndf the first source only.
void StoreCrosspoints(SwitcherState& state, const CrosspointFile& file);

// With no source or no destination left the three displays read "NoSystem" rather than names
// the model no longer holds, which also keeps the spinners and Take still. True in that case.
bool ShowNoChannels(Panel& panel);

// txtInputDisp shows the first input whose channel feeds the chosen destination; when no input
// has that channel, it stays as it is.
void ShowRoutedSourceFromFiles(Panel& panel);

}  // namespace dazi
