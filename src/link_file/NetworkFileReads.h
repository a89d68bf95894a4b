// Each network data file read whole from the server directory and parsed: empty when it cannot
// be read or does not hold what its layout promises. The inhibit files stream instead.
#pragma once

#include <cstdint>
#include <optional>

#include "link_file/NetworkFileParsers.h"
#include "link_file/ServerFiles.h"

namespace dazi {

std::optional<uint8_t> ReadStatusByte(ServerFiles& files);
// `name` is kCountedAlphaFile or kFixedAlphaFile.
std::optional<AlphaFile> ReadAlphaTables(ServerFiles& files, const char* name);
// `name` is kCountedCrosspointFile or kFixedCrosspointFile.
std::optional<CrosspointFile> ReadCrosspointMap(ServerFiles& files, const char* name);

}  // namespace dazi
