#include "link_file/NetworkFileReads.h"

#include <string_view>

namespace dazi {

namespace {

bool IsCounted(const char* name, const char* countedName) {
  return std::string_view(name) == countedName;
}

}  // namespace

std::optional<uint8_t> ReadStatusByte(ServerFiles& files) {
  const std::optional<FileBytes> bytes = files.ReadHead(kStatusFile, 1);
  if (!bytes || bytes->empty()) return std::nullopt;
  return bytes->front();
}

std::optional<AlphaFile> ReadAlphaTables(ServerFiles& files, const char* name) {
  const bool counted = IsCounted(name, kCountedAlphaFile);
  const std::optional<FileBytes> bytes =
      files.ReadHead(name, counted ? kMaxCountedAlphaBytes : kFixedAlphaBytes);
  if (!bytes) return std::nullopt;
  return counted ? ParseCountedAlphaFile(*bytes) : ParseFixedAlphaFile(*bytes);
}

std::optional<CrosspointFile> ReadCrosspointMap(ServerFiles& files, const char* name) {
  const bool counted = IsCounted(name, kCountedCrosspointFile);
  const std::optional<FileBytes> bytes =
      files.ReadHead(name, counted ? kMaxCountedCrosspointBytes : kFixedCrosspointBytes);
  if (!bytes) return std::nullopt;
  return counted ? ParseCountedCrosspointFile(*bytes) : ParseFixedCrosspointFile(*bytes);
}

}  // namespace dazi
