// Cutting the receive buffer into messages and handing each to its handler.
#pragma once

namespace dazi {

struct Panel;

// The socket has dataLength bytes for us: read them all, then handle every complete message.
void OnDataArrival(Panel& panel, int dataLength);
// Cuts at most one message off the head of the buffer (discarding stray bytes) and handles it.
void ProcessCommand(Panel& panel);
// Handles complete messages one at a time, in arrival order, until only an incomplete one (or
// nothing) is left.
void DrainReceived(Panel& panel);
// Drain timer tick.
void tmrPoll_Timer(Panel& panel);

}  // namespace dazi
