// File Mode's waits on its worker: the server directory the work reads, and how long the panel
// waits for a share that has stopped answering.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "model/FileLinkState.h"

namespace dazi {

struct Panel;
struct PanelSettings;
struct ServerDirectory;

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
