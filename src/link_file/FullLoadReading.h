// What the full load finds in the server directory: every file, read on File Mode's worker and
// parsed whole, the inhibit map in a fresh table sized for the new counts.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

#include "link_file/NetworkFileParsers.h"
#include "link_file/ServerFiles.h"
#include "link_file/TickReading.h"
#include "model/InhibitMap.h"

namespace dazi {

// The steps of the full load in their order; each has its own message when it fails.
enum class LoadStep { Status, Alphas, Crosspoints, Inhibits, Done };

struct FullLoadReading {
  LoadStep Reached = LoadStep::Status;  // the step that failed, or Done
  std::optional<Stamped<uint8_t>> Status;
  std::optional<Stamped<AlphaFile>> Alphas;
  std::optional<CrosspointFile> Crosspoints;
  std::optional<Stamped<InhibitMap>> Inhibits;
};

// Reads up to the first step that fails; stops after the status when the server reports its
// switcher link down. `step` follows the reading, for a panel that stops waiting for it.
FullLoadReading ReadEverything(ServerDirectory& directory, std::atomic<LoadStep>& step);

}  // namespace dazi
