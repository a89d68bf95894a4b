#include "link_tcp/Inbound.h"

#include "core/Panel.h"

namespace dazi {
// Stub: to be written.
void ProcessSingleByte(Panel&, uint8_t) {}
void ProcessAlphaTable(Panel&, const Message&) {}
void ProcessCrosspointMap(Panel&, const Message&) {}
void ProcessInhibitMap(Panel&, const Message&) {}
void ProcessTake(Panel&, const Message&) {}
void ProcessSwitcherType(Panel&, const Message&) {}
void ProcessSalvoEvents(Panel&, const Message&) {}
void ProcessQuery(Panel&, const Message&) {}
void ProcessServerRequest(Panel&, const Message&) {}
void DispatchMessage(Panel&, const Message&) {}
}  // namespace dazi
