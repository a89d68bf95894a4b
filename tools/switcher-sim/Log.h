// One line per event on stderr, prefixed with the time of day (HH:MM:SS.mmm).
#pragma once

#include <string>

namespace sim {

void LogLine(const std::string& text);

}  // namespace sim
