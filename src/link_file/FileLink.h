// File Mode's bookkeeping on the panel's thread: the server directory its worker reads, the work
// under way, and how long the panel waits for a share that has stopped answering.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

namespace dazi {

struct Panel;
struct PanelSettings;
struct ServerDirectory;

struct FileLinkState {
  std::shared_ptr<ServerDirectory> Directory;  // the directory the work reads, for ServerPath
  uint64_t Generation = 0;   // moves on with every full load: older work no longer counts
  bool TickRunning = false;  // a tick's reading has not come back yet
  bool Waiting = false;      // a full load or a Take waits for the worker: no tick meanwhile
  bool WriteStuck = false;   // a command file given up on is still with the file system
  std::string LastTrouble;   // why the last tick failed, as the link log was told
};

// How long a share may go without answering before the panel takes it as stopped: two seconds,
// or the Time Out when that is shorter.
std::chrono::milliseconds ShareAnswerBound(const PanelSettings& settings);

// The directory for the present server path, made afresh when the path has changed.
std::shared_ptr<ServerDirectory> CurrentDirectory(Panel& panel);

// Lets the panel's events run, user input held back, until `finished` holds, the program is
// ending, or `bound` has passed: since the start, or, given the directory's count of answers,
// since its last answer. True when finished.
bool AwaitFileWork(Panel& panel, const bool& finished, std::chrono::milliseconds bound,
                   const std::atomic<uint64_t>* answers = nullptr);

}  // namespace dazi
