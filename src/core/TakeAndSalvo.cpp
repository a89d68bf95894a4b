#include "core/TakeAndSalvo.h"

#include "core/Panel.h"

namespace dazi {
// Stub: to be written.
void cmdTake_Click(Panel&) {}
void mnuSalvoMode_Click(Panel&) {}
void DisplayFirstSalvo(Panel&) {}
void tmrSalvoMsg_Timer(Panel& panel) { panel.View.tmrSalvoMsg.Enabled = false; }
}  // namespace dazi
