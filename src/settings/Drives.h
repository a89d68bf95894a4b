// The setup dialog's drive list on a system without drive letters: a "drive" is a mounted file
// system, named by its mount point, with the root and the operator's home folder first.
#pragma once

#include <string>
#include <vector>

namespace dazi {

// "/" first, then home (when given), then the other mount points in name order; each once.
std::vector<std::string> OrderDrives(const std::vector<std::string>& mountPoints,
                                     const std::string& home);

// The drive that holds the path: the longest entry of drives that the path lies in. "/" when
// none does.
std::string DriveOf(const std::vector<std::string>& drives, const std::string& path);

// Whether the directory list can show this directory: it exists and can be read.
bool IsReachableDirectory(const std::string& path);

}  // namespace dazi
