// File Mode: the server's network data files and command files.
#pragma once

namespace dazi {

struct Panel;

inline constexpr const char* kStatusLinkOkNoBlank = "Switcher Link (OK)";
inline constexpr const char* kErrorReadingNetworkFiles = "Error Reading Network Files";

// Fills the model from the server directory's files and shows the first destination. True at
// once in TCP/IP Mode; false, after its message, when a file is missing or unreadable or the
// share stops answering; false without one when the server path is empty or the server reports
// its switcher link down. The files are read on File Mode's worker while the panel waits.
bool ReadNetworkFiles(Panel& panel);
// The File Mode tick of the link timer: re-reads what changed and shows the link's state.
void FileRefreshTick(Panel& panel);
// Asks the server for a crosspoint change through a command file, written on File Mode's worker
// while the panel waits at most ShareAnswerBound. True when written; the caller tells the
// operator otherwise.
bool WriteCommandFile(Panel& panel, int input, int output);

}  // namespace dazi
