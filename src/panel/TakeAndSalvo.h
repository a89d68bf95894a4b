// Take, salvo mode and key entry.
#pragma once

namespace dazi {

struct Panel;

void cmdTake_Click(Panel& panel);
void mnuSalvoMode_Click(Panel& panel);
void tmrSalvoMsg_Timer(Panel& panel);

}  // namespace dazi
