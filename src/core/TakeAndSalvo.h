// Take, salvo mode and key entry.
#pragma once

namespace dazi {

struct Panel;
class SwitcherState;

void cmdTake_Click(Panel& panel);
void mnuSalvoMode_Click(Panel& panel);
void DisplayFirstSalvo(Panel& panel);
void tmrSalvoMsg_Timer(Panel& panel);
// Leaves salvo mode and key entry without touching the displays or sending anything.
void EndSalvoMode(Panel& panel);
// False while the input table holds only its no-data marker (at start, or the link went down).
bool HasSwitcherData(const SwitcherState& s);

}  // namespace dazi
