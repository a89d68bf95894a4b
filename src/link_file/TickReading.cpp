#include "link_file/TickReading.h"

#include <utility>

#include "link_file/NetworkFileReads.h"

namespace dazi {

namespace {

constexpr int kFixedInhibitRows = 256;
constexpr const char* kUnusable = ": unreadable, or not in its layout";

std::string NeitherFound(const char* preferred, const char* fallback) {
  return std::string("neither ") + preferred + " nor " + fallback + " could be found";
}

// A marker is kept only once its file was read whole, so a read that fails is tried again on
// the next tick.
bool ReadStatus(ServerFiles& files, const RefreshMarkers& kept, TickReading& reading) {
  const std::optional<std::string> stamp = files.Stamp(kStatusFile);
  if (!stamp) {
    reading.Trouble = std::string(kStatusFile) + " could not be found";
    return false;
  }
  reading.StatusByte = kept.StatusByte;
  if (*stamp == kept.StatusStamp) return true;
  const std::optional<uint8_t> status = ReadStatusByte(files);
  if (!status) {
    reading.Trouble = kStatusFile + std::string(kUnusable);
    return false;
  }
  reading.Status = Stamped<uint8_t>{*stamp, *status};
  reading.StatusByte = *status;
  return true;
}

// The crosspoint file is opened every tick for its first byte; the map is read only when the
// server has changed that byte.
bool ReadCrosspoints(ServerFiles& files, const RefreshMarkers& kept, TickReading& reading) {
  const auto [name, head] = files.Either(kCountedCrosspointFile, kFixedCrosspointFile,
                                         [&](const char* n) { return files.ReadHead(n, 1); });
  if (!name || head->empty()) {
    reading.Trouble = name ? std::string(name) + " is empty"
                           : NeitherFound(kCountedCrosspointFile, kFixedCrosspointFile);
    return false;
  }
  if (head->front() == kept.CrosspointSerial) return true;
  reading.Crosspoints = ReadCrosspointMap(files, name);
  if (!reading.Crosspoints) reading.Trouble = name + std::string(kUnusable);
  return reading.Crosspoints.has_value();
}

bool ReadAlphas(ServerFiles& files, const RefreshMarkers& kept, TickReading& reading) {
  const auto [name, stamp] = files.Either(kCountedAlphaFile, kFixedAlphaFile,
                                          [&](const char* n) { return files.Stamp(n); });
  if (!name) {
    reading.Trouble = NeitherFound(kCountedAlphaFile, kFixedAlphaFile);
    return false;
  }
  if (*stamp == kept.AlphaStamp) return true;
  std::optional<AlphaFile> file = ReadAlphaTables(files, name);
  if (!file) {
    reading.Trouble = name + std::string(kUnusable);
    return false;
  }
  reading.Alphas = Stamped<AlphaFile>{*stamp, std::move(*file)};
  return true;
}

// The rows go into a fresh map of the bounds the model's map will have, pairs outside them
// passed over; the panel swaps it in only once the file was read whole. Once the names were read
// again, a file that cannot be read ends the tick quietly.
TickEnd ReadInhibits(ServerFiles& files, const RefreshMarkers& kept, TickReading& reading) {
  const auto [name, stamp] = files.Either(kCountedInhibitFile, kFixedInhibitFile,
                                          [&](const char* n) { return files.Stamp(n); });
  if (!name) {
    reading.Trouble = NeitherFound(kCountedInhibitFile, kFixedInhibitFile);
    return TickEnd::Failed;
  }
  // New names with new counts re-create the model's map empty, to be read whatever its stamp.
  int outputs = kept.InhibitOutputs;
  int inputs = kept.InhibitInputs;
  bool recreated = false;
  if (reading.Alphas) {
    const ChannelCounts counts = CountsOf(reading.Alphas->Content);
    recreated = counts != kept.Counts;
    if (recreated) {
      outputs = counts.Outputs + 1;
      inputs = counts.Inputs + 1;
    }
  }
  if (!recreated && *stamp == kept.InhibitStamp) return TickEnd::LinkState;
  Stamped<InhibitMap> map{*stamp, {}};
  map.Content.Recreate(outputs, inputs);
  InhibitFileReader reader =
      name == std::string(kCountedInhibitFile)
          ? InhibitFileReader::Counted(map.Content, false)
          : InhibitFileReader::Fixed(map.Content, kFixedInhibitRows, kFixedInhibitRows, false);
  if (!files.ReadStream(name, reader) || !reader.Complete()) {
    reading.Trouble = name + std::string(kUnusable);
    return reading.Alphas ? TickEnd::Quiet : TickEnd::Failed;
  }
  reading.Inhibits = std::move(map);
  return TickEnd::LinkState;
}

}  // namespace

TickReading ReadTick(ServerDirectory& directory, const RefreshMarkers& kept) {
  ServerFiles files(directory);
  TickReading reading;
  if (!ReadStatus(files, kept, reading)) return reading;
  reading.End = TickEnd::LinkState;
  if (reading.StatusByte != 1) return reading;
  files.LookForPreferred();
  reading.End = TickEnd::Failed;
  if (!ReadCrosspoints(files, kept, reading) || !ReadAlphas(files, kept, reading)) return reading;
  reading.End = ReadInhibits(files, kept, reading);
  return reading;
}

}  // namespace dazi
