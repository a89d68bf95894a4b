// Reads a router description: a line-based text file (format in README.md).
#pragma once

#include <string>

#include "Router.h"

namespace sim {

inline constexpr size_t kMaxRouterFileBytes = 16 * 1024 * 1024;
inline constexpr size_t kMaxAlphaLength = 32;

// Parses `text` over `router`, whose counts and type are the defaults that the file's own lines
// override; unnamed channels are then named in `style`. Returns an empty text on success, or
// "line N: what is wrong".
std::string ParseRouterText(const std::string& text, AlphaStyle style, Router& router);

// Reads the file and parses it as above; the error names the file or line.
std::string LoadRouterFile(const std::string& path, AlphaStyle style, Router& router);

}  // namespace sim
