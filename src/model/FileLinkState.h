// File Mode's bookkeeping on the panel's thread, held by the panel for its file link: the server
// directory the worker reads and the work under way.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace dazi {

struct ServerDirectory;

struct FileLinkState {
  std::shared_ptr<ServerDirectory> Directory;  // the directory the work reads, for ServerPath
  uint64_t Generation = 0;   // moves on with every full load: older work no longer counts
  bool TickRunning = false;  // a tick's reading has not come back yet
  bool Waiting = false;      // a full load or a Take waits for the worker: no tick meanwhile
  bool WriteStuck = false;   // a command file given up on is still with the file system
  std::string LastTrouble;   // why the last tick failed, as the link log was told
};

}  // namespace dazi
