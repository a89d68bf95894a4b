#include "settings/Drives.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace dazi {

namespace {

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

bool LiesIn(const std::string& path, const std::string& drive) {
  if (drive == "/") return !path.empty() && path.front() == '/';
  return path == drive || (path.starts_with(drive) && path[drive.size()] == '/');
}

}  // namespace

std::vector<std::string> OrderDrives(const std::vector<std::string>& mountPoints,
                                     const std::string& home) {
  std::vector<std::string> others;
  for (const std::string& mount : mountPoints) {
    std::string drive = WithoutTrailingSlash(mount);
    if (!drive.empty() && drive != "/" && drive != WithoutTrailingSlash(home))
      others.push_back(std::move(drive));
  }
  std::sort(others.begin(), others.end());
  others.erase(std::unique(others.begin(), others.end()), others.end());

  std::vector<std::string> drives{"/"};
  if (!home.empty() && WithoutTrailingSlash(home) != "/")
    drives.push_back(WithoutTrailingSlash(home));
  drives.insert(drives.end(), others.begin(), others.end());
  return drives;
}

std::string DriveOf(const std::vector<std::string>& drives, const std::string& path) {
  const std::string target = WithoutTrailingSlash(path);
  std::string best;
  for (const std::string& drive : drives) {
    if (drive.size() > best.size() && LiesIn(target, drive)) best = drive;
  }
  return best.empty() ? "/" : best;
}

bool IsReachableDirectory(const std::string& path) {
  if (path.empty()) return false;
  std::error_code error;
  if (!std::filesystem::is_directory(path, error)) return false;
  std::filesystem::directory_iterator probe(path, error);
  return !error;
}

}  // namespace dazi
