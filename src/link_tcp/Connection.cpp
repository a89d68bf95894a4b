#include "link_tcp/Connection.h"

#include "core/Panel.h"

namespace dazi {
// Stub: to be written.
void ConnectToSwitcher(Panel&) {}
void DisconnectFromSwitcher(Panel&) {}
void SetLinkStatus(Panel&, bool) {}
void OnConnect(Panel&) {}
void OnClose(Panel&) {}
void PollTick(Panel&) {}
void mnuConnect_Click(Panel&) {}
}  // namespace dazi
