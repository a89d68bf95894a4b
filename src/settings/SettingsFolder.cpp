#include "settings/SettingsFolder.h"

#include <cstdlib>
#include <system_error>

#include "BuildInfo.h"
#include "settings/IniFile.h"

#ifdef _WIN32
#include <io.h>
#else
#include <pwd.h>
#include <unistd.h>
#endif

namespace dazi {

namespace fs = std::filesystem;

namespace {

bool IsWithin(const fs::path& folder, const fs::path& root) {
  const fs::path relative = folder.lexically_normal().lexically_relative(root);
  return !relative.empty() && *relative.begin() != "..";
}

bool IsInstalledLocation(const SettingsFolderFacts& facts) {
  const fs::path folder = facts.ProgramFolder.lexically_normal();
  if (!facts.InstalledBinFolder.empty() && folder == facts.InstalledBinFolder.lexically_normal())
    return true;
  return IsWithin(folder, "/usr");
}

fs::path PerUserFolder(const SettingsFolderFacts& facts) {
  // A relative XDG_CONFIG_HOME is invalid and ignored, as the base-directory rules ask.
  if (!facts.XdgConfigHome.empty() && fs::path(facts.XdgConfigHome).is_absolute())
    return fs::path(facts.XdgConfigHome) / kSettingsFolderName;
  if (!facts.Home.empty()) return fs::path(facts.Home) / ".config" / kSettingsFolderName;
  return {};
}

bool Writable(const fs::path& folder) {
#ifdef _WIN32
  return _waccess(folder.c_str(), 2) == 0;
#else
  return ::access(folder.c_str(), W_OK | X_OK) == 0;
#endif
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string AccountHome() {
#ifndef _WIN32
  if (const passwd* account = ::getpwuid(::getuid()); account && account->pw_dir)
    return account->pw_dir;
#endif
  return {};
}

}  // namespace

SettingsFolderChoice ChooseSettingsFolder(const SettingsFolderFacts& facts) {
  if (!facts.RequestedFolder.empty()) return {facts.RequestedFolder, SettingsFolderKind::Requested};
  if (!IsInstalledLocation(facts) &&
      (facts.ProgramFolderHasSettings || facts.ProgramFolderWritable))
    return {facts.ProgramFolder, SettingsFolderKind::Portable};
  return {PerUserFolder(facts), SettingsFolderKind::PerUser};
}

SettingsFolderFacts ReadSettingsFolderFacts(const fs::path& programFolder,
                                            const fs::path& requestedFolder) {
  SettingsFolderFacts facts;
  facts.ProgramFolder = programFolder;
  facts.InstalledBinFolder = build::kInstalledBinDir;
  std::error_code ec;
  facts.RequestedFolder = requestedFolder.empty() ? fs::path() : fs::absolute(requestedFolder, ec);
  facts.ProgramFolderWritable = Writable(programFolder);
  facts.ProgramFolderHasSettings = fs::exists(programFolder / kSettingsFileName, ec);
  facts.XdgConfigHome = Environment("XDG_CONFIG_HOME");
  facts.Home = Environment("HOME");
  if (facts.Home.empty()) facts.Home = AccountHome();
  return facts;
}

std::string CheckRequestedFolder(const fs::path& folder) {
  std::error_code ec;
  if (!fs::exists(folder, ec)) return "settings folder '" + folder.string() + "' does not exist";
  if (!fs::is_directory(folder, ec))
    return "settings folder '" + folder.string() + "' is not a folder";
  if (!Writable(folder)) return "settings folder '" + folder.string() + "' is not writable";
  return {};
}

std::string PrepareSettingsFolder(const fs::path& folder) {
  std::error_code ec;
  if (fs::is_directory(folder, ec)) return {};
  fs::create_directories(folder.parent_path(), ec);
  // Made owner-only before anything is put in it: it will hold the scrambled password.
  if (!ec) fs::create_directory(folder, ec);
  if (!ec) fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, ec);
  if (ec) return "cannot create settings folder '" + folder.string() + "': " + ec.message();
  return {};
}

}  // namespace dazi
