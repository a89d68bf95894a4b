// The connection to the server: opening, closing, polling, and the switcher link's state.
#pragma once

#include "model/StatusTexts.h"

namespace dazi {

struct Panel;

void ConnectToSwitcher(Panel& panel);
void DisconnectFromSwitcher(Panel& panel);
void SetLinkStatus(Panel& panel, bool linkUp);

// Socket events.
void OnConnect(Panel& panel);
void OnClose(Panel& panel);

// The TCP/IP tick of the link timer: information retry, first display, miss count and poll.
void PollTick(Panel& panel);

void mnuConnect_Click(Panel& panel);

}  // namespace dazi
