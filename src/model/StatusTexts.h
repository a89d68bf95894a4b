// Texts the status bar and the message boxes show whichever link is live: each link writes them,
// so they live below both.
#pragma once

namespace dazi {

inline constexpr const char* kStatusLinkOk = "Switcher Link (OK) ";
inline constexpr const char* kStatusLinkNc = "Switcher Link (NC) ";
inline constexpr const char* kStatusNoServer = "No Server Detected ";
inline constexpr const char* kNotConfiguredText =
    "System Not Yet Configured. Please Specify Server Location.";
inline constexpr const char* kServerFilesNotFound = "Server Files not found";
inline constexpr const char* kErrorReadingFile = "Error Reading File";

}  // namespace dazi
