// DisplayList.dat: both display lists, beside the settings file.
#pragma once

#include <filesystem>

namespace dazi {

struct Panel;

inline constexpr const char* kDisplayListFileName = "DisplayList.dat";

std::filesystem::path DisplayListFilePath(const Panel& panel);

// Replaces both lists from the file when it exists and reads whole; otherwise changes nothing.
void LoadDisplayList(Panel& panel);
// Writes both lists; errors are swallowed.
void SaveDisplayList(Panel& panel);

}  // namespace dazi
