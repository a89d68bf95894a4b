#include "settings/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "displaylist/DisplayListFile.h"
#include "settings/TempDir.h"
#include "support/PanelFixture.h"

namespace dazi {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::ReadBytes;
using testing::WriteBytes;

// Every key present and valid; tests replace one line at a time.
const std::string kValidFile =
    "[SETUP]\r\n"
    "TCP/IP Mode=Yes\r\n"
    "[SERIAL]\r\n"
    "Server path=\\\\server\\zor\\\r\n"
    "Refresh Rate=250\r\n"
    "Time Out=20\r\n"
    "[TCP/IP]\r\n"
    "IP Address=10.0.0.7\r\n"
    "TCP/IP Port=1300\r\n"
    "IP Poll Period=5\r\n"
    "Time Out=12\r\n"
    "Password=```\r\n"
    "[CONFIG]\r\n"
    "Hide Inhibits=No\r\n"
    "Input Display List=1101\r\n"
    "Output Display List=01\r\n"
    "Stay On Top=No\r\n";

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

class IniFileTest : public ::testing::Test {
 protected:
  IniFileTest() { panel().State.AppPath = dir.Path(); }

  Panel& panel() { return fixture.panel; }
  PanelSettings& settings() { return fixture.panel.Settings; }
  fs::path IniPath() const { return dir.Path() / kSettingsFileName; }
  fs::path BadPath() const { return dir.Path() / "zorntpnl.ini.bad"; }

  testing::TempDir dir;
  testing::PanelFixture fixture;
};

TEST_F(IniFileTest, MissingFileChangesNothing) {
  EXPECT_FALSE(ReadIniFile(panel()));
  const PanelSettings defaults;
  EXPECT_EQ(settings().LinkMode, FileMode);
  EXPECT_EQ(settings().RefreshRate, defaults.RefreshRate);
  EXPECT_EQ(settings().FileMissLimit, 500);
  EXPECT_EQ(settings().IPAddress, "0.0.0.0");
  EXPECT_EQ(settings().TCPIPPort, 1250);
  EXPECT_TRUE(settings().HideInhibits);
  EXPECT_EQ(settings().StayOnTop, kStayOnTopYes);
  EXPECT_TRUE(fixture.ui.Stacking.empty());
  EXPECT_EQ(panel().View.tmrFileCheck.IntervalMs, 100);
}

TEST_F(IniFileTest, LoadsEveryKeyAndAppliesItToTheMainWindow) {
  WriteBytes(IniPath(), kValidFile);
  ASSERT_TRUE(ReadIniFile(panel()));
  EXPECT_EQ(settings().LinkMode, TCPIPMode);
  EXPECT_EQ(settings().ServerPath, "\\\\server\\zor\\");
  EXPECT_EQ(settings().RefreshRate, 250);
  EXPECT_EQ(settings().FileTimeOut, 20);
  EXPECT_EQ(settings().FileMissLimit, 80);
  EXPECT_EQ(settings().IPAddress, "10.0.0.7");
  EXPECT_EQ(settings().TCPIPPort, 1300);
  EXPECT_EQ(settings().IPPollPeriod, 5);
  EXPECT_EQ(settings().IPAllowedMisses, 12);
  EXPECT_EQ(settings().Password, u"abc");
  EXPECT_FALSE(settings().HideInhibits);
  EXPECT_EQ(settings().InputDisplayList, "1101");
  EXPECT_EQ(settings().OutputDisplayList, "01");
  EXPECT_EQ(settings().StayOnTop, kStayOnTopNo);

  const MainView& view = panel().View;
  EXPECT_TRUE(view.mnuConnect.Enabled);
  EXPECT_TRUE(view.mnuSalvoMode.Enabled);
  EXPECT_EQ(view.tmrFileCheck.IntervalMs, 5000);
  EXPECT_EQ(view.StatusPanel2, "10.0.0.7");
  EXPECT_EQ(fixture.ui.Stacking, std::vector<int32_t>{kStayOnTopNo});
}

TEST_F(IniFileTest, ReadsAFileWrittenOnWindows) {
  WriteBytes(IniPath(),
             "; written by hand\r\n"
             "[setup]\r\n"
             "tcp/ip mode = Yes\r\n"
             "TCP/IP MODE=No\r\n"
             "[Serial]\r\n"
             "  SERVER PATH  =  S:\\zor\\  \r\n"
             "refresh rate\t=\t300\r\n"
             "time out=1\r\n"
             "[tcp/ip]\r\n"
             "ip address = 192.168.1.9\r\n"
             "Time Out = 7\r\n"
             "Time Out = 9\r\n"
             "tcp/ip port = 2000\r\n"
             "IP Poll Period = 40\r\n"
             "Password = \xE9\r\n"
             "[SERIAL]\r\n"
             "Refresh Rate=999\r\n");
  ASSERT_TRUE(ReadIniFile(panel()));
  EXPECT_EQ(settings().LinkMode, TCPIPMode);
  EXPECT_EQ(settings().ServerPath, "S:\\zor\\");
  EXPECT_EQ(settings().RefreshRate, 300);
  EXPECT_EQ(settings().FileMissLimit, 3);
  EXPECT_EQ(settings().IPAddress, "192.168.1.9");
  EXPECT_EQ(settings().IPAllowedMisses, 7);
  EXPECT_EQ(settings().TCPIPPort, 2000);
  EXPECT_EQ(settings().Password, u"\x00EA");
  // Sections and keys absent from the file read as empty texts.
  EXPECT_FALSE(settings().HideInhibits);
  EXPECT_EQ(settings().StayOnTop, kStayOnTopNo);
  EXPECT_EQ(settings().InputDisplayList, std::string(256, '1'));
  EXPECT_EQ(settings().OutputDisplayList, std::string(256, '1'));
  // Forty seconds: beyond a 16-bit count of milliseconds, still applied as it stands.
  EXPECT_EQ(panel().View.tmrFileCheck.IntervalMs, 40000);
}

struct KeyCase {
  std::string line;  // replaces the key's line in the valid file
  bool loads;
  std::function<int64_t(const PanelSettings&)> field;
  int64_t expected;
};

TEST_F(IniFileTest, ConvertsAndClampsNumbers) {
  auto refresh = [](const PanelSettings& s) { return s.RefreshRate; };
  auto fileTimeOut = [](const PanelSettings& s) { return s.FileTimeOut; };
  auto missLimit = [](const PanelSettings& s) { return s.FileMissLimit; };
  auto port = [](const PanelSettings& s) { return s.TCPIPPort; };
  auto poll = [](const PanelSettings& s) { return s.IPPollPeriod; };
  const KeyCase cases[] = {
      {"Refresh Rate=0", true, refresh, 1},         {"Refresh Rate=12.5", true, refresh, 12},
      {"Refresh Rate=32767", true, refresh, 32500}, {"Refresh Rate=-5", true, refresh, 1},
      {"Refresh Rate=400", true, missLimit, 50},    {"Refresh Rate=40000", false, refresh, 0},
      {"Refresh Rate=", false, refresh, 0},         {"Refresh Rate=fast", false, refresh, 0},
      {"Time Out=5000", true, fileTimeOut, 3600},   {"Time Out=0", true, fileTimeOut, 1},
      {"Time Out=99999", false, fileTimeOut, 0},    {"TCP/IP Port=abc", true, port, 1250},
      {"TCP/IP Port=0", true, port, 1250},          {"TCP/IP Port=-7", true, port, 1250},
      {"TCP/IP Port=1300xyz", true, port, 1300},    {"TCP/IP Port=70000", true, port, 70000},
      {"TCP/IP Port=", true, port, 1250},           {"TCP/IP Port=99999999999", false, port, 0},
      {"IP Poll Period=0", true, poll, 1},          {"IP Poll Period=3601", true, poll, 3600},
      {"IP Poll Period=x", false, poll, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    testing::PanelFixture fresh;
    fresh.panel.State.AppPath = dir.Path();
    const std::string key = c.line.substr(0, c.line.find('='));
    // The key's first line in the file (SERIAL's "Time Out" comes before TCP/IP's).
    const size_t at = kValidFile.find(key + "=");
    ASSERT_NE(at, std::string::npos);
    std::string text = kValidFile;
    text.replace(at, text.find("\r\n", at) - at, c.line);
    WriteBytes(IniPath(), text);
    EXPECT_EQ(ReadIniFile(fresh.panel), c.loads);
    if (c.loads) {
      EXPECT_EQ(c.field(fresh.panel.Settings), c.expected);
    }
  }
}

TEST_F(IniFileTest, YesIsExactAndCaseSensitive) {
  WriteBytes(IniPath(), Replace(Replace(kValidFile, "TCP/IP Mode=Yes", "TCP/IP Mode=yes"),
                                "Hide Inhibits=No", "Hide Inhibits=YES"));
  ASSERT_TRUE(ReadIniFile(panel()));
  EXPECT_EQ(settings().LinkMode, FileMode);
  EXPECT_FALSE(settings().HideInhibits);
  EXPECT_FALSE(panel().View.mnuConnect.Enabled);
  EXPECT_FALSE(panel().View.mnuSalvoMode.Enabled);
  EXPECT_EQ(panel().View.tmrFileCheck.IntervalMs, 250);
  EXPECT_NE(panel().View.StatusPanel2, "10.0.0.7");
}

TEST_F(IniFileTest, ABadValueMovesTheFileAsideAndKeepsWhatWasLoaded) {
  WriteBytes(BadPath(), "an older bad file");
  const std::string text = Replace(kValidFile, "Refresh Rate=250", "Refresh Rate=40000");
  WriteBytes(IniPath(), text);
  EXPECT_FALSE(ReadIniFile(panel()));
  EXPECT_FALSE(fs::exists(IniPath()));
  EXPECT_EQ(ReadBytes(BadPath()), text);
  // Loaded before the bad key: kept. After it: untouched.
  EXPECT_EQ(settings().LinkMode, TCPIPMode);
  EXPECT_TRUE(panel().View.mnuConnect.Enabled);
  EXPECT_EQ(settings().ServerPath, "\\\\server\\zor\\");
  EXPECT_EQ(settings().RefreshRate, 100);
  EXPECT_EQ(settings().IPAddress, "0.0.0.0");
  EXPECT_TRUE(fixture.ui.Stacking.empty());
}

TEST_F(IniFileTest, RejectsJunkWithoutHarm) {
  const std::string junk[] = {
      std::string("\0\xFF\x01[SETUP\r\n=\r\n[]\r\n==x\r\n", 20),
      "",
      Replace(kValidFile, "Refresh Rate=250", "Refresh Rate=" + std::string(200000, '9')),
      std::string((1 << 20) + 1, '['),
  };
  for (const auto& bytes : junk) {
    testing::PanelFixture fresh;
    fresh.panel.State.AppPath = dir.Path();
    WriteBytes(IniPath(), bytes);
    EXPECT_FALSE(ReadIniFile(fresh.panel));
    EXPECT_FALSE(fs::exists(IniPath()));
    EXPECT_EQ(ReadBytes(BadPath()).size(), bytes.size());
  }
}

TEST_F(IniFileTest, LeavesADirectoryInItsPlaceAlone) {
  fs::create_directory(IniPath());
  EXPECT_FALSE(ReadIniFile(panel()));
  EXPECT_TRUE(fs::is_directory(IniPath()));
}

TEST_F(IniFileTest, DisplayListFileWinsOverTheSettingsFile) {
  WriteBytes(IniPath(), kValidFile);
  WriteBytes(dir.Path() / kDisplayListFileName,
             Bytes({0x01, 0x00, 0x02, 0x00}) + "00" + Bytes({0x01, 0x00}) + "1");
  ASSERT_TRUE(ReadIniFile(panel()));
  EXPECT_EQ(settings().InputDisplayList, "00");
  EXPECT_EQ(settings().OutputDisplayList, "1");
}

TEST_F(IniFileTest, WritesEveryKeyInOrder) {
  settings().LinkMode = TCPIPMode;
  settings().ServerPath = "\\\\server\\zor\\";
  settings().RefreshRate = 250;
  settings().FileTimeOut = 20;
  settings().IPAddress = "10.0.0.7";
  settings().TCPIPPort = 70000;
  settings().IPPollPeriod = 5;
  settings().IPAllowedMisses = 12;
  settings().Password = u"abc";
  settings().HideInhibits = true;
  settings().InputDisplayList = "1101";
  settings().OutputDisplayList = "01";
  settings().StayOnTop = kStayOnTopYes;
  WriteBytes(IniPath(), "[CONFIG]\r\nHand Added=1\r\n");

  ASSERT_TRUE(WriteIniFile(panel()));
  EXPECT_EQ(ReadBytes(IniPath()),
            "[SETUP]\r\n"
            "TCP/IP Mode=Yes\r\n"
            "\r\n"
            "[SERIAL]\r\n"
            "Server path=\\\\server\\zor\\\r\n"
            "Refresh Rate=250\r\n"
            "Time Out=20\r\n"
            "\r\n"
            "[TCP/IP]\r\n"
            "IP Address=10.0.0.7\r\n"
            "TCP/IP Port=70000\r\n"
            "IP Poll Period=5\r\n"
            "Time Out=12\r\n"
            "Password=```\r\n"
            "\r\n"
            "[CONFIG]\r\n"
            "Hide Inhibits=Yes\r\n"
            "Input Display List=1101\r\n"
            "Output Display List=01\r\n"
            "Stay On Top=Yes\r\n");
  EXPECT_EQ(ReadBytes(dir.Path() / kDisplayListFileName).size(), 12u);
  EXPECT_FALSE(fs::exists(dir.Path() / "zorntpnl.ini.new"));
}

TEST_F(IniFileTest, WrittenFileIsForItsOwnerOnly) {
  settings().ServerPath = "S:\\";
  WriteBytes(IniPath(), kValidFile);
  fs::permissions(IniPath(), fs::perms::all);
  ASSERT_TRUE(WriteIniFile(panel()));
  EXPECT_EQ(fs::status(IniPath()).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(IniFileTest, WhatIsWrittenReadsBackTheSame) {
  PanelSettings& s = settings();
  s.LinkMode = FileMode;
  s.ServerPath = "/srv/zor/";
  s.RefreshRate = 1;
  s.FileTimeOut = 3600;
  s.IPAddress = "host.example";
  s.TCPIPPort = 2147483647;
  s.IPPollPeriod = 3600;
  s.IPAllowedMisses = 1;
  s.HideInhibits = false;
  s.StayOnTop = kStayOnTopNo;
  s.InputDisplayList = "10";
  s.OutputDisplayList = "0";
  // Every 16-bit code, each at its own position.
  for (unsigned code = 0; code <= 0xFFFF; ++code) s.Password.push_back(static_cast<char16_t>(code));
  ASSERT_TRUE(WriteIniFile(panel()));

  testing::PanelFixture reread;
  reread.panel.State.AppPath = dir.Path();
  ASSERT_TRUE(ReadIniFile(reread.panel));
  const PanelSettings& r = reread.panel.Settings;
  EXPECT_EQ(r.LinkMode, s.LinkMode);
  EXPECT_EQ(r.ServerPath, s.ServerPath);
  EXPECT_EQ(r.RefreshRate, s.RefreshRate);
  EXPECT_EQ(r.FileTimeOut, s.FileTimeOut);
  EXPECT_EQ(r.FileMissLimit, 3600000);
  EXPECT_EQ(r.IPAddress, s.IPAddress);
  EXPECT_EQ(r.TCPIPPort, s.TCPIPPort);
  EXPECT_EQ(r.IPPollPeriod, s.IPPollPeriod);
  EXPECT_EQ(r.IPAllowedMisses, s.IPAllowedMisses);
  EXPECT_TRUE(r.Password == s.Password);
  EXPECT_EQ(r.HideInhibits, s.HideInhibits);
  EXPECT_EQ(r.StayOnTop, s.StayOnTop);
  EXPECT_EQ(r.InputDisplayList, s.InputDisplayList);
  EXPECT_EQ(r.OutputDisplayList, s.OutputDisplayList);
  EXPECT_EQ(reread.panel.View.tmrFileCheck.IntervalMs, 1);
}

TEST_F(IniFileTest, ValuesCannotAddLinesOfTheirOwn) {
  settings().ServerPath = "S:\\\r\n[SETUP]\r\nTCP/IP Mode=Yes";
  settings().InputDisplayList = " 1\r\n1";
  ASSERT_TRUE(WriteIniFile(panel()));
  const std::string text = ReadBytes(IniPath());
  EXPECT_NE(text.find("Server path=S:\\  [SETUP]  TCP/IP Mode=Yes\r\n"), std::string::npos);
  EXPECT_NE(text.find("Input Display List=01001\r\n"), std::string::npos);
}

TEST_F(IniFileTest, FileModeWithoutServerPathWritesNothing) {
  WriteBytes(IniPath(), kValidFile);
  settings().LinkMode = FileMode;
  settings().ServerPath.clear();
  EXPECT_FALSE(WriteIniFile(panel()));
  EXPECT_EQ(ReadBytes(IniPath()), kValidFile);
  EXPECT_FALSE(fs::exists(dir.Path() / kDisplayListFileName));
}

TEST_F(IniFileTest, AFailedWriteKeepsTheOldFile) {
  WriteBytes(IniPath(), kValidFile);
  settings().ServerPath = "S:\\";
  // Something that cannot be replaced stands where the new file would be written.
  fs::create_directories(dir.Path() / "zorntpnl.ini.new" / "occupied");
  EXPECT_FALSE(WriteIniFile(panel()));
  EXPECT_EQ(ReadBytes(IniPath()), kValidFile);
  EXPECT_FALSE(fs::exists(dir.Path() / kDisplayListFileName));
}

TEST_F(IniFileTest, AnUnwritableDirectoryKeepsTheOldFile) {
#ifndef _WIN32
  if (geteuid() == 0) GTEST_SKIP() << "root writes regardless of permissions";
#endif
  WriteBytes(IniPath(), kValidFile);
  settings().ServerPath = "S:\\";
  fs::permissions(dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(WriteIniFile(panel()));
  fs::permissions(dir.Path(), fs::perms::owner_all);
  EXPECT_EQ(ReadBytes(IniPath()), kValidFile);
}

}  // namespace
}  // namespace dazi
