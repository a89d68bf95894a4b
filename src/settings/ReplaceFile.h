// Writing a whole file so that a failure never leaves a half-written one behind.
#pragma once

#include <filesystem>
#include <string_view>

namespace dazi {

// Writes the contents beside the target (target + ".new"), readable and writable by its owner
// only, and moves it over the target once it is whole. On failure the target is untouched and
// the temporary file is removed.
bool ReplacePrivateFile(const std::filesystem::path& target, std::string_view contents);

}  // namespace dazi
