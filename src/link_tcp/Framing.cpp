#include "link_tcp/Framing.h"

#include "core/Panel.h"

namespace dazi {
// Stub: to be written.
void OnDataArrival(Panel&, int) {}
void ProcessCommand(Panel&) {}
void DrainReceived(Panel&) {}
void tmrPoll_Timer(Panel& panel) { panel.View.tmrPoll.Enabled = false; }
}  // namespace dazi
