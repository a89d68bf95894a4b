// Where the panel keeps zorntpnl.ini and DisplayList.dat: beside the program for a portable
// copy, in the user's configuration folder for an installed program, or where the command line
// says.
#pragma once

#include <filesystem>
#include <string>

namespace dazi {

inline constexpr const char* kSettingsFolderName = "DaziVedur";

enum class SettingsFolderKind { Requested, Portable, PerUser };

// What the choice depends on, gathered from the process and the file system.
struct SettingsFolderFacts {
  std::filesystem::path ProgramFolder;       // absolute, symbolic links resolved
  std::filesystem::path InstalledBinFolder;  // where an installation puts the program
  std::filesystem::path RequestedFolder;     // --settings-dir; empty when not given
  bool ProgramFolderWritable = false;
  bool ProgramFolderHasSettings = false;
  std::string XdgConfigHome;  // $XDG_CONFIG_HOME, may be empty
  std::string Home;           // $HOME, or the account's home folder
};

struct SettingsFolderChoice {
  std::filesystem::path Folder;  // empty when there is no home folder to name one in
  SettingsFolderKind Kind = SettingsFolderKind::Portable;
};

// A requested folder wins. An installed program (in the installation's bin folder, or anywhere
// under /usr) always uses the per-user folder, also for root, who can write there. Any other
// copy is portable when its folder already holds the settings or the user can write in it.
SettingsFolderChoice ChooseSettingsFolder(const SettingsFolderFacts& facts);

SettingsFolderFacts ReadSettingsFolderFacts(const std::filesystem::path& programFolder,
                                            const std::filesystem::path& requestedFolder);

// Empty when the folder exists and the user can write in it; otherwise why it cannot be used.
std::string CheckRequestedFolder(const std::filesystem::path& folder);

// Creates the per-user folder, readable by its owner only, when it is missing. Empty on
// success; otherwise why not.
std::string PrepareSettingsFolder(const std::filesystem::path& folder);

}  // namespace dazi
