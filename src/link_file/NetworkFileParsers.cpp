#include "link_file/NetworkFileParsers.h"

#include <algorithm>

#include "model/Variables.h"

namespace dazi {

namespace {

constexpr size_t kAlphaLength = 8;
constexpr int kFixedChannels = 256;
constexpr int kMaxSourcesPerOutput = 64;

// Reads fields from the start of a file; every read is checked against what is left.
class Fields {
 public:
  explicit Fields(const FileBytes& bytes) : bytes_(bytes) {}

  bool Holds(size_t count) const { return bytes_.size() - offset_ >= count; }
  uint8_t Byte() { return bytes_[offset_++]; }
  int16_t Integer() {
    const auto value = static_cast<int16_t>(bytes_[offset_] | bytes_[offset_ + 1] << 8);
    offset_ += 2;
    return value;
  }
  // A non-negative count that `bytesEach` bytes per item after it can cover; empty otherwise.
  std::optional<int> Count(size_t bytesEach, size_t bytesAfter) {
    if (!Holds(2)) return std::nullopt;
    const int count = Integer();
    if (count < 0 || !Holds(static_cast<size_t>(count) * bytesEach + bytesAfter))
      return std::nullopt;
    return count;
  }
  std::string Alpha() {
    std::string alpha(reinterpret_cast<const char*>(bytes_.data() + offset_), kAlphaLength);
    offset_ += kAlphaLength;
    return alpha;
  }

 private:
  const FileBytes& bytes_;
  size_t offset_ = 0;
};

void ReadAlphas(Fields& fields, int count, std::vector<std::string>& alphas) {
  alphas.reserve(static_cast<size_t>(count));
  for (int k = 0; k < count; ++k) alphas.push_back(fields.Alpha());
}

}  // namespace

ChannelCounts CountsOf(const AlphaFile& file) {
  const bool offSource = file.Counted && file.SwitcherType == kOffSourceSwitcherType;
  return {static_cast<int>(file.InputAlpha.size()) + (offSource ? 1 : 0),
          static_cast<int>(file.OutputAlpha.size())};
}

std::optional<AlphaFile> ParseCountedAlphaFile(const FileBytes& bytes) {
  Fields fields(bytes);
  AlphaFile file;
  file.Counted = true;
  if (!fields.Holds(2)) return std::nullopt;
  file.SwitcherType = fields.Integer();
  // Each input takes 10 bytes, and the output count follows them.
  const std::optional<int> inputs = fields.Count(kAlphaLength + 2, 2);
  if (!inputs) return std::nullopt;
  ReadAlphas(fields, *inputs, file.InputAlpha);
  for (int k = 0; k < *inputs; ++k) file.InputChannelAt.push_back(fields.Integer());
  const std::optional<int> outputs = fields.Count(kAlphaLength + 2, 0);
  if (!outputs) return std::nullopt;
  ReadAlphas(fields, *outputs, file.OutputAlpha);
  for (int k = 0; k < *outputs; ++k) file.OutputChannelAt.push_back(fields.Integer());
  return file;
}

std::optional<AlphaFile> ParseFixedAlphaFile(const FileBytes& bytes) {
  if (bytes.size() < kFixedAlphaBytes) return std::nullopt;
  Fields fields(bytes);
  AlphaFile file;
  file.SwitcherType = kFixedAlphaSwitcherType;
  ReadAlphas(fields, kFixedChannels, file.InputAlpha);
  for (int k = 0; k < kFixedChannels; ++k) file.InputChannelAt.push_back(fields.Byte());
  ReadAlphas(fields, kFixedChannels, file.OutputAlpha);
  for (int k = 0; k < kFixedChannels; ++k) file.OutputChannelAt.push_back(fields.Byte());
  return file;
}

std::optional<CrosspointFile> ParseCountedCrosspointFile(const FileBytes& bytes) {
  Fields fields(bytes);
  CrosspointFile file;
  file.Counted = true;
  if (!fields.Holds(1)) return std::nullopt;
  file.Serial = fields.Byte();
  // Every record holds at least its count.
  const std::optional<int> records = fields.Count(2, 0);
  if (!records) return std::nullopt;
  file.Sources.resize(static_cast<size_t>(*records));
  for (std::vector<int16_t>& sources : file.Sources) {
    const std::optional<int> count = fields.Count(2, 0);
    if (!count || *count > kMaxSourcesPerOutput) return std::nullopt;
    sources.reserve(static_cast<size_t>(*count));
    for (int k = 0; k < *count; ++k) sources.push_back(fields.Integer());
  }
  return file;
}

std::optional<CrosspointFile> ParseFixedCrosspointFile(const FileBytes& bytes) {
  if (bytes.size() < kFixedCrosspointBytes) return std::nullopt;
  Fields fields(bytes);
  CrosspointFile file;
  file.Serial = fields.Byte();
  file.Sources.resize(kFixedChannels);
  for (std::vector<int16_t>& sources : file.Sources) sources.assign(1, fields.Byte());
  return file;
}

InhibitFileReader::InhibitFileReader(InhibitMap& table, bool counted, bool fit, int rows, int width)
    : table_(table), counted_(counted), fit_(fit), rows_(rows), width_(width) {}

InhibitFileReader InhibitFileReader::Counted(InhibitMap& table, bool fitToCounts) {
  return InhibitFileReader(table, true, fitToCounts, 0, 0);
}

InhibitFileReader InhibitFileReader::Fixed(InhibitMap& table, int rows, int width, bool fitToRows) {
  return InhibitFileReader(table, false, fitToRows, rows < 0 ? 0 : rows, width < 0 ? 0 : width);
}

bool InhibitFileReader::Begin(uint64_t size) {
  // A stream that is read again after a failed attempt starts over.
  size_ = size;
  headerHave_ = 0;
  pairsDone_ = 0;
  failed_ = false;
  if (counted_) return true;
  return StartPairs();
}

// Once the counts are known: the file must hold every pair they promise.
bool InhibitFileReader::StartPairs() {
  const uint64_t headerSize = counted_ ? 4 : 0;
  const uint64_t pairs = static_cast<uint64_t>(rows_) * static_cast<uint64_t>(width_);
  if (size_ < headerSize + pairs) {
    failed_ = true;
    return false;
  }
  // Sized only now that the file is known to hold what the counts promise.
  if (fit_) table_.Recreate(rows_ + (counted_ ? 1 : 0), width_ + (counted_ ? 1 : 0));
  return pairs > 0;
}

bool InhibitFileReader::Take(const uint8_t* data, size_t count) {
  if (failed_) return false;
  if (counted_ && headerHave_ < 4) {
    while (headerHave_ < 4 && count > 0) {
      header_[headerHave_++] = *data++;
      --count;
    }
    if (headerHave_ < 4) return true;
    rows_ = static_cast<int16_t>(header_[0] | header_[1] << 8);
    width_ = static_cast<int16_t>(header_[2] | header_[3] << 8);
    if (rows_ < 0 || width_ < 0) {
      failed_ = true;
      return false;
    }
    if (!StartPairs()) return false;
  }
  const uint8_t inhibited = counted_ ? '1' : 1;
  const uint64_t pairs = static_cast<uint64_t>(rows_) * static_cast<uint64_t>(width_);
  while (count > 0 && pairsDone_ < pairs) {
    const auto row = static_cast<int>(pairsDone_ / static_cast<uint64_t>(width_));
    const auto column = static_cast<int>(pairsDone_ % static_cast<uint64_t>(width_));
    const size_t run = std::min(count, static_cast<size_t>(width_ - column));
    table_.StoreRun(row, column, data, run, inhibited);
    data += run;
    count -= run;
    pairsDone_ += run;
  }
  return pairsDone_ < pairs;
}

bool InhibitFileReader::Complete() const {
  if (failed_ || (counted_ && headerHave_ < 4)) return false;
  return pairsDone_ == static_cast<uint64_t>(rows_) * static_cast<uint64_t>(width_);
}

void FeedBytes(StreamReader& reader, const FileBytes& bytes) {
  if (reader.Begin(bytes.size()) && !bytes.empty()) reader.Take(bytes.data(), bytes.size());
}

}  // namespace dazi
