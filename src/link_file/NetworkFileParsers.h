// The layouts of the server's network data files, byte by byte. Every count is checked against
// the bytes that are really there before anything is sized from it; a file that does not hold
// what its counts promise is not read at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/FileSystem.h"
#include "model/InhibitMap.h"

namespace dazi {

// The most any file of the layout can hold: counts are signed 16-bit.
inline constexpr size_t kMaxCountedAlphaBytes = 6 + 10 * 2 * size_t{32767};
inline constexpr size_t kFixedAlphaBytes = 4608;
inline constexpr size_t kMaxCountedCrosspointBytes = 3 + (2 + 2 * 64) * size_t{32767};
inline constexpr size_t kFixedCrosspointBytes = 257;

inline constexpr int16_t kFixedAlphaSwitcherType = 1201;

// Names and channel numbers in selector order, as "lalpha.ndf" or "Alpha.ndf" give them.
struct AlphaFile {
  bool Counted = false;  // "lalpha.ndf": type and counts from the file
  int SwitcherType = 0;
  std::vector<std::string> InputAlpha;
  std::vector<int16_t> InputChannelAt;
  std::vector<std::string> OutputAlpha;
  std::vector<int16_t> OutputChannelAt;
};

// The input and output counts the model takes from the file: a type-1301 switcher's counted file
// gets an "off" source after its inputs.
struct ChannelCounts {
  int Inputs = 0;
  int Outputs = 0;
  bool operator==(const ChannelCounts&) const = default;
};
ChannelCounts CountsOf(const AlphaFile& file);

// "lalpha.ndf": type, N, N alphas of 8 characters, N channel numbers, M, M alphas, M numbers.
std::optional<AlphaFile> ParseCountedAlphaFile(const FileBytes& bytes);
// "Alpha.ndf": 256 input alphas, 256 channel bytes, 256 output alphas, 256 channel bytes.
std::optional<AlphaFile> ParseFixedAlphaFile(const FileBytes& bytes);

// The sources of each output in output-channel order.
struct CrosspointFile {
  bool Counted = false;  // "lxptmap.ndf": each record carries its sources and their count
  uint8_t Serial = 0;    // the first byte, which the server changes with every new map
  std::vector<std::vector<int16_t>> Sources;
};

// "lxptmap.ndf": serial, K, then K records of a count n (0 to 64) and n input channels.
std::optional<CrosspointFile> ParseCountedCrosspointFile(const FileBytes& bytes);
// "Xptmap.ndf": serial, then the source of outputs 0 to 255, one byte each.
std::optional<CrosspointFile> ParseFixedCrosspointFile(const FileBytes& bytes);

// Reads an inhibit file into a table as it streams in. Only the value 1 inhibits: the digit
// "1" in "linhbt.ndf", the byte 1 in "Inhbt.ndf". Pairs outside the table are passed over.
class InhibitFileReader final : public StreamReader {
 public:
  // "linhbt.ndf": R and W, then R rows of W digits. With `fitToCounts` the table is re-created
  // empty for them, with one spare row and column; otherwise the rows land in it as it stands.
  static InhibitFileReader Counted(InhibitMap& table, bool fitToCounts);
  // "Inhbt.ndf": `rows` rows of `width` bytes. With `fitToRows` the table is re-created empty
  // with exactly those bounds.
  static InhibitFileReader Fixed(InhibitMap& table, int rows, int width, bool fitToRows);

  bool Begin(uint64_t size) override;
  bool Take(const uint8_t* data, size_t count) override;
  // Every pair the file promised has been read.
  bool Complete() const;

 private:
  InhibitFileReader(InhibitMap& table, bool counted, bool fit, int rows, int width);
  bool StartPairs();

  InhibitMap& table_;
  bool counted_;
  bool fit_;
  int rows_;
  int width_;
  uint64_t size_ = 0;
  uint8_t header_[4] = {};
  size_t headerHave_ = 0;
  uint64_t pairsDone_ = 0;
  bool failed_ = false;
};

// Feeds bytes held in memory to a reader as one stream.
void FeedBytes(StreamReader& reader, const FileBytes& bytes);

}  // namespace dazi
