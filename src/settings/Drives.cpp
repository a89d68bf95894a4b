#include "settings/Drives.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>
#include <system_error>

#include "settings/ShareProbe.h"

namespace dazi {

namespace fs = std::filesystem;

namespace {

// A mount table is small; anything beyond this is not one worth reading whole.
constexpr std::streamsize kMaxMountTableBytes = 1 << 20;
// More folders than any directory list can usefully show; the rest are left out.
constexpr std::size_t kMaxListedFolders = 20000;

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

bool LiesIn(const std::string& path, const std::string& drive) {
  if (drive == "/") return !path.empty() && path.front() == '/';
  return path == drive || (path.starts_with(drive) && path[drive.size()] == '/');
}

// The table writes a blank, tab, line break or backslash in a mount point as \ and three octal
// digits.
std::string Unescaped(std::string_view field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    const auto octal = [&](std::size_t at) { return field[at] >= '0' && field[at] <= '7'; };
    if (field[i] == '\\' && i + 3 < field.size() && octal(i + 1) && octal(i + 2) && octal(i + 3)) {
      out += static_cast<char>(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) |
                               (field[i + 3] - '0'));
      i += 3;
    } else {
      out += field[i];
    }
  }
  return out;
}

bool KernelsOwn(const std::string& mountPoint, const std::string& type) {
  static constexpr std::array<std::string_view, 20> kTypes = {
      "proc",      "sysfs",       "devtmpfs",   "devpts",   "cgroup",     "cgroup2",  "mqueue",
      "debugfs",   "tracefs",     "securityfs", "pstore",   "bpf",        "configfs", "fusectl",
      "hugetlbfs", "binfmt_misc", "autofs",     "efivarfs", "rpc_pipefs", "nsfs"};
  if (std::find(kTypes.begin(), kTypes.end(), type) != kTypes.end()) return true;
  for (const char* folder : {"/proc", "/sys", "/dev", "/run", "/var/run", "/var/lock"}) {
    if (LiesIn(mountPoint, folder) && !LiesIn(mountPoint, "/run/media")) return true;
  }
  return false;
}

bool NameOrder(const std::string& a, const std::string& b) {
  const auto lower = [](unsigned char c) { return std::tolower(c); };
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(),
      [&](unsigned char x, unsigned char y) { return lower(x) < lower(y); });
}

}  // namespace

std::vector<std::string> MountPointsIn(const std::string& mountTable) {
  std::vector<std::string> points;
  std::istringstream lines(mountTable);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string device, mountPoint, type;
    if (!(fields >> device >> mountPoint >> type)) continue;
    mountPoint = Unescaped(mountPoint);
    if (mountPoint.empty() || mountPoint.front() != '/' || KernelsOwn(mountPoint, type)) continue;
    points.push_back(std::move(mountPoint));
  }
  return points;
}

std::vector<std::string> MountedDrives() {
  std::ifstream in("/proc/self/mounts", std::ios::binary);
  std::string table(static_cast<std::size_t>(kMaxMountTableBytes), '\0');
  in.read(table.data(), kMaxMountTableBytes);
  table.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
  std::vector<std::string> points = MountPointsIn(table);
  if (points.empty()) points.push_back("/");
  return points;
}

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
  // An embedded NUL would make the system look at a shorter path than the one asked about.
  if (path.empty() || path.front() != '/' || path.find('\0') != std::string::npos) return false;
  return AskShare<bool>([path] {
           std::error_code error;
           if (!fs::is_directory(path, error)) return false;
           fs::directory_iterator probe(path, error);
           return !error;
         })
      .value_or(false);
}

std::optional<std::vector<std::string>> SubdirectoryNames(const std::string& path) {
  return AskShare<std::vector<std::string>>([path] {
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator entry(path, fs::directory_options::skip_permission_denied, error);
    for (; !error && entry != fs::directory_iterator() && names.size() < kMaxListedFolders;
         entry.increment(error)) {
      std::error_code notFolder;
      if (entry->is_directory(notFolder)) names.push_back(entry->path().filename().string());
    }
    std::sort(names.begin(), names.end(), NameOrder);
    return names;
  });
}

}  // namespace dazi
