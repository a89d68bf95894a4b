// The main window's start-up, menus, link timer and shutdown.
#pragma once

#include <filesystem>

#include "model/StatusTexts.h"

namespace dazi {

struct Panel;

void Form_Load(Panel& panel, const std::filesystem::path& programDir);
void Form_Unload(Panel& panel);
void Unload_Program(Panel& panel);

void mnuServerSetup_Click(Panel& panel);
void mnuInDisplay_Click(Panel& panel);
void mnuOutDisplay_Click(Panel& panel);
void mnuAbout_Click(Panel& panel);
void mnuContents_Click(Panel& panel);
void mnuExit_Click(Panel& panel);

// The link timer: File Mode refresh or TCP/IP poll.
void tmrFileCheck_Timer(Panel& panel);

}  // namespace dazi
