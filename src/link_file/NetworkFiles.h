// File Mode: the server's network data files and command files.
#pragma once

namespace dazi {

struct Panel;

// Fills the model from the server directory's files. True at once in TCP/IP Mode.
bool ReadNetworkFiles(Panel& panel);
// The File Mode tick of the link timer.
void FileRefreshTick(Panel& panel);
// Asks the server for a crosspoint change through a command file. True when written.
bool WriteCommandFile(Panel& panel, int input, int output);

}  // namespace dazi
