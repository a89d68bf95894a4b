#include "settings/SettingsFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "settings/TempDir.h"

namespace dazi {
namespace {

namespace fs = std::filesystem;

struct FolderCase {
  const char* Name;
  const char* Program;
  bool Writable;
  bool HasSettings;
  const char* Requested;
  const char* Xdg;
  const char* Home;
  const char* Expected;
  SettingsFolderKind Kind;
};

constexpr auto kPortable = SettingsFolderKind::Portable;
constexpr auto kPerUser = SettingsFolderKind::PerUser;
constexpr auto kRequested = SettingsFolderKind::Requested;

const FolderCase kFolderCases[] = {
    {"writable copy", "/home/op/panel", true, false, "", "", "/home/op", "/home/op/panel",
     kPortable},
    {"read-only copy with settings", "/mnt/panel", false, true, "", "", "/home/op", "/mnt/panel",
     kPortable},
    {"read-only copy without", "/mnt/panel", false, false, "", "", "/home/op",
     "/home/op/.config/DaziVedur", kPerUser},
    {"installed, root can write", "/usr/bin", true, false, "", "", "/root",
     "/root/.config/DaziVedur", kPerUser},
    {"installed with settings beside", "/usr/local/bin", true, true, "", "", "/root",
     "/root/.config/DaziVedur", kPerUser},
    {"installation's own bin", "/opt/dazi/bin", true, true, "", "", "/home/op",
     "/home/op/.config/DaziVedur", kPerUser},
    {"a folder merely named like /usr", "/usrdata/panel", true, false, "", "", "/home/op",
     "/usrdata/panel", kPortable},
    {"requested wins", "/usr/bin", true, false, "/srv/router2", "/x", "/home/op", "/srv/router2",
     kRequested},
    {"XDG_CONFIG_HOME", "/usr/bin", false, false, "", "/cfg", "/home/op", "/cfg/DaziVedur",
     kPerUser},
    {"relative XDG_CONFIG_HOME ignored", "/usr/bin", false, false, "", "cfg", "/home/op",
     "/home/op/.config/DaziVedur", kPerUser},
    {"no home", "/usr/bin", false, false, "", "", "", "", kPerUser},
};

TEST(SettingsFolderTest, ChoosesByRequestLocationAndWritability) {
  for (const FolderCase& c : kFolderCases) {
    SettingsFolderFacts facts;
    facts.ProgramFolder = c.Program;
    facts.InstalledBinFolder = "/opt/dazi/bin";
    facts.RequestedFolder = c.Requested;
    facts.ProgramFolderWritable = c.Writable;
    facts.ProgramFolderHasSettings = c.HasSettings;
    facts.XdgConfigHome = c.Xdg;
    facts.Home = c.Home;
    const SettingsFolderChoice choice = ChooseSettingsFolder(facts);
    EXPECT_EQ(choice.Folder, fs::path(c.Expected)) << c.Name;
    EXPECT_EQ(choice.Kind, c.Kind) << c.Name;
  }
}

TEST(SettingsFolderTest, RequestedFolderMustExistAndPerUserFolderIsMadeOwnerOnly) {
  testing::TempDir dir;
  EXPECT_EQ(CheckRequestedFolder(dir.Path()), "");
  EXPECT_NE(CheckRequestedFolder(dir.Path() / "missing"), "");
  EXPECT_FALSE(fs::exists(dir.Path() / "missing"));
  testing::WriteBytes(dir.Path() / "file", "x");
  EXPECT_NE(CheckRequestedFolder(dir.Path() / "file"), "");

  const fs::path folder = dir.Path() / "config" / kSettingsFolderName;
  ASSERT_EQ(PrepareSettingsFolder(folder), "");
  EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
  EXPECT_EQ(PrepareSettingsFolder(folder), "") << "an existing folder is used as it is";
}

}  // namespace
}  // namespace dazi
