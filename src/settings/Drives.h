// The setup dialog's drive list on a system without drive letters: a "drive" is a mounted file
// system, named by its mount point, with the root and the operator's home folder first. Nothing
// here waits on a share longer than the share probe's bound.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace dazi {

// The mount points named by a mount table (the text of /proc/self/mounts), leaving out the
// kernel's own file systems (proc, sysfs, cgroups, devices...), which never hold a server
// directory.
std::vector<std::string> MountPointsIn(const std::string& mountTable);
// The mount points of this computer. Reading the table asks nothing of the mounted file systems,
// so a share that does not answer is listed like any other; choosing it is what tests it.
std::vector<std::string> MountedDrives();

// "/" first, then home (when given), then the other mount points in name order; each once.
std::vector<std::string> OrderDrives(const std::vector<std::string>& mountPoints,
                                     const std::string& home);

// The drive that holds the path: the longest entry of drives that the path lies in. "/" when
// none does.
std::string DriveOf(const std::vector<std::string>& drives, const std::string& path);

// Whether the directory list can show this directory: an absolute path to a directory that can
// be read, answering within the share probe's bound.
bool IsReachableDirectory(const std::string& path);

// The names of the folders in a directory, hidden ones included, in name order; nothing when
// the directory did not answer within the bound. A directory that cannot be read has none.
std::optional<std::vector<std::string>> SubdirectoryNames(const std::string& path);

}  // namespace dazi
