// What one refresh tick finds in the server directory. Read on File Mode's worker against the
// markers the panel last kept, so that only what changed is read; everything read is parsed
// whole before the panel sees it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "link_file/NetworkFileParsers.h"
#include "link_file/ServerFiles.h"
#include "model/InhibitMap.h"

namespace dazi {

// What the panel kept when the tick began.
struct RefreshMarkers {
  std::string StatusStamp;
  uint8_t StatusByte = 0;
  int CrosspointSerial = -1;
  std::string AlphaStamp;
  std::string InhibitStamp;
  ChannelCounts Counts;    // the model's input and output counts
  int InhibitOutputs = 0;  // the inhibit map's bounds
  int InhibitInputs = 0;
};

// How a tick ends: on to the link state, through the failure path, or quietly.
enum class TickEnd { LinkState, Failed, Quiet };

template <typename T>
struct Stamped {
  std::string Stamp;
  T Content;
};

// Each step's finding, present only when that file was read again; `End` says where the tick
// stopped. Work that never finished reads as a failed tick.
struct TickReading {
  TickEnd End = TickEnd::Failed;
  std::optional<Stamped<uint8_t>> Status;
  uint8_t StatusByte = 0;  // the byte in force: read now or kept
  std::optional<CrosspointFile> Crosspoints;
  std::optional<Stamped<AlphaFile>> Alphas;
  std::optional<Stamped<InhibitMap>> Inhibits;
  std::string Trouble;  // why the tick failed or ended early, for the link log
};

TickReading ReadTick(ServerDirectory& directory, const RefreshMarkers& kept);

}  // namespace dazi
