#include "link_file/FullLoadReading.h"

#include <utility>

#include "link_file/NetworkFileReads.h"

namespace dazi {

namespace {

std::optional<Stamped<AlphaFile>> ReadAlphaFile(ServerFiles& files) {
  const auto [name, stamp] = files.Either(kCountedAlphaFile, kFixedAlphaFile,
                                          [&](const char* n) { return files.Stamp(n); });
  if (!name) return std::nullopt;
  std::optional<AlphaFile> file = ReadAlphaTables(files, name);
  if (!file) return std::nullopt;
  return Stamped<AlphaFile>{*stamp, std::move(*file)};
}

// The map is sized only once the file is known to hold what its counts promise: the counted
// file's own counts, with a spare row and column; the fixed file's rows of the new counts.
std::optional<Stamped<InhibitMap>> ReadInhibitFile(ServerFiles& files, ChannelCounts counts) {
  const auto [name, stamp] = files.Either(kCountedInhibitFile, kFixedInhibitFile,
                                          [&](const char* n) { return files.Stamp(n); });
  if (!name) return std::nullopt;
  Stamped<InhibitMap> map{*stamp, {}};
  InhibitFileReader reader =
      name == std::string(kCountedInhibitFile)
          ? InhibitFileReader::Counted(map.Content, true)
          : InhibitFileReader::Fixed(map.Content, counts.Outputs, counts.Inputs, true);
  if (!files.ReadStream(name, reader) || !reader.Complete()) return std::nullopt;
  return map;
}

}  // namespace

FullLoadReading ReadEverything(ServerDirectory& directory, std::atomic<LoadStep>& step) {
  ServerFiles files(directory);
  FullLoadReading reading;
  auto reach = [&](LoadStep next) {
    reading.Reached = next;
    step = next;
  };
  reach(LoadStep::Status);
  const std::optional<std::string> stamp = files.Stamp(kStatusFile);
  const std::optional<uint8_t> status = stamp ? ReadStatusByte(files) : std::nullopt;
  if (!status) return reading;
  reading.Status = Stamped<uint8_t>{*stamp, *status};
  if (*status == 0) return reading;

  reach(LoadStep::Alphas);
  reading.Alphas = ReadAlphaFile(files);
  if (!reading.Alphas) return reading;

  reach(LoadStep::Crosspoints);
  reading.Crosspoints =
      files.Either(kCountedCrosspointFile, kFixedCrosspointFile,
                   [&](const char* n) { return ReadCrosspointMap(files, n); })
          .second;
  if (!reading.Crosspoints) return reading;

  reach(LoadStep::Inhibits);
  reading.Inhibits = ReadInhibitFile(files, CountsOf(reading.Alphas->Content));
  if (!reading.Inhibits) return reading;
  reach(LoadStep::Done);
  return reading;
}

}  // namespace dazi
