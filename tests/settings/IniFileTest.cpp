#include "settings/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "displaylist/DisplayListFile.h"
#include "settings/TempDir.h"
#include "support/PanelFixture.h"

namespace dazi {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::ReadBytes;
using testing::WriteBytes;

// Every key present and valid, exactly as WriteIniFile writes these settings.
const std::string kValidFile =
    "[SETUP]\r\nTCP/IP Mode=Yes\r\n\r\n"
    "[SERIAL]\r\nServer path=\\\\server\\zor\\\r\nRefresh Rate=250\r\nTime Out=20\r\n\r\n"
    "[TCP/IP]\r\nIP Address=10.0.0.7\r\nTCP/IP Port=70000\r\nIP Poll Period=5\r\n"
    "Time Out=12\r\nPassword=```\r\n\r\n"
    "[CONFIG]\r\nHide Inhibits=No\r\nInput Display List=1101\r\nOutput Display List=01\r\n"
    "Stay On Top=No\r\n";

// The valid file with the first line that starts with the new line's key replaced.
std::string WithLine(const std::string& line) {
  const std::string key = line.substr(0, line.find('=') + 1);
  std::string text = kValidFile;
  const size_t at = text.find("\n" + key) + 1;
  text.replace(at, text.find("\r\n", at) - at, line);
  return text;
}

// What the file holds, but the password (too long to print when a round trip fails).
auto Stored(const PanelSettings& s) {
  return std::tie(s.LinkMode, s.ServerPath, s.RefreshRate, s.FileTimeOut, s.IPAddress, s.TCPIPPort,
                  s.IPPollPeriod, s.IPAllowedMisses, s.HideInhibits, s.StayOnTop,
                  s.InputDisplayList, s.OutputDisplayList);
}

class IniFileTest : public ::testing::Test {
 protected:
  IniFileTest() { f.panel.State.AppPath = dir.Path(); }

  fs::path Path(const char* name = kSettingsFileName) const { return dir.Path() / name; }
  PanelSettings& settings() { return f.panel.Settings; }
  bool ReadInto(testing::PanelFixture& fresh) {
    fresh.panel.State.AppPath = dir.Path();
    return ReadIniFile(fresh.panel);
  }

  testing::TempDir dir;
  testing::PanelFixture f;
};

TEST_F(IniFileTest, LoadsEveryKeyAndWritesThemBackInOrderForItsOwnerOnly) {
  WriteBytes(Path(), kValidFile);
  ASSERT_TRUE(ReadIniFile(f.panel));
  const PanelSettings& s = settings();
  EXPECT_EQ(std::tie(s.LinkMode, s.ServerPath, s.RefreshRate, s.FileTimeOut, s.FileMissLimit,
                     s.IPAddress, s.TCPIPPort, s.IPPollPeriod, s.IPAllowedMisses, s.Password,
                     s.HideInhibits, s.InputDisplayList, s.OutputDisplayList, s.StayOnTop),
            std::make_tuple(TCPIPMode, "\\\\server\\zor\\", 250, 20, 80, "10.0.0.7", 70000, 5, 12,
                            u"abc", false, "1101", "01", kStayOnTopNo));
  const MainView& v = f.panel.View;
  EXPECT_TRUE(v.mnuConnect.Enabled && v.mnuSalvoMode.Enabled);
  EXPECT_EQ(std::tie(v.tmrFileCheck.IntervalMs, v.StatusPanel2),
            std::make_tuple(int64_t{5000}, "10.0.0.7"));
  EXPECT_EQ(f.ui.Stacking, std::vector<int32_t>{kStayOnTopNo});

  WriteBytes(Path(), "[CONFIG]\r\nHand Added=1\r\n");
  fs::permissions(Path(), fs::perms::all);
  ASSERT_TRUE(WriteIniFile(f.panel));
  EXPECT_EQ(ReadBytes(Path()), kValidFile);
  EXPECT_EQ(fs::status(Path()).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(ReadBytes(Path(kDisplayListFileName)).size(), 12u);
  EXPECT_FALSE(fs::exists(Path("zorntpnl.ini.new")));

  // The display-list file wins over the lists in the settings file.
  WriteBytes(Path(kDisplayListFileName), Bytes({1, 0, 2, 0, '0', '0', 1, 0, '1'}));
  ASSERT_TRUE(ReadIniFile(f.panel));
  EXPECT_EQ(std::tie(s.InputDisplayList, s.OutputDisplayList), std::make_tuple("00", "1"));
}

TEST_F(IniFileTest, ReadsAFileWrittenOnWindows) {
  WriteBytes(Path(),
             "; edited by hand\r\n[setup]\r\ntcp/ip mode = Yes\r\nTCP/IP MODE=No\r\n"
             "[Serial]\r\n  SERVER PATH  =  S:\\zor\\  \r\nrefresh rate\t=\t300\r\ntime out=1\r\n"
             "[tcp/ip]\r\nTime Out = 7\r\nTime Out = 9\r\nIP Poll Period = 40\r\n"
             "Password = \xE9\r\n[SERIAL]\r\nRefresh Rate=999\r\n");
  ASSERT_TRUE(ReadIniFile(f.panel));
  const PanelSettings& s = settings();
  // Of duplicates the first one counts; absent keys read as empty texts.
  EXPECT_EQ(std::tie(s.LinkMode, s.ServerPath, s.RefreshRate, s.FileMissLimit, s.IPAllowedMisses,
                     s.Password, s.IPAddress, s.TCPIPPort, s.StayOnTop),
            std::make_tuple(TCPIPMode, "S:\\zor\\", 300, 3, 7, u"\x00EA", "", 1250, kStayOnTopNo));
  EXPECT_EQ(std::tie(s.InputDisplayList, s.OutputDisplayList),
            std::make_tuple(std::string(256, '1'), std::string(256, '1')));
  // Forty seconds does not fit 16 bits of milliseconds; it is applied all the same.
  EXPECT_EQ(f.panel.View.tmrFileCheck.IntervalMs, 40000);
}

TEST_F(IniFileTest, ConvertsAndClampsEachKey) {
  using P = PanelSettings;
  const struct {
    std::string line;
    int P::*field;  // none: the read fails
    int expected;
  } cases[] = {
      {"Refresh Rate=0", &P::RefreshRate, 1},
      {"Refresh Rate=40000", nullptr, 0},
      {"Refresh Rate=", nullptr, 0},
      {"Time Out=5000", &P::FileTimeOut, 3600},
      {"TCP/IP Port=abc", &P::TCPIPPort, 1250},
      {"TCP/IP Port=1300xyz", &P::TCPIPPort, 1300},
      {"TCP/IP Port=99999999999", nullptr, 0},
      {"IP Poll Period=3601", &P::IPPollPeriod, 3600},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    WriteBytes(Path(), WithLine(c.line));
    testing::PanelFixture fresh;
    ASSERT_EQ(ReadInto(fresh), c.field != nullptr);
    EXPECT_EQ(c.field ? fresh.panel.Settings.*c.field : 0, c.expected);
  }
}

TEST_F(IniFileTest, YesIsExactAndCaseSensitive) {
  WriteBytes(Path(), WithLine("TCP/IP Mode=yes"));
  ASSERT_TRUE(ReadIniFile(f.panel));
  EXPECT_EQ(settings().LinkMode, FileMode);
  EXPECT_FALSE(f.panel.View.mnuConnect.Enabled || f.panel.View.mnuSalvoMode.Enabled);
  EXPECT_EQ(f.panel.View.tmrFileCheck.IntervalMs, 250);
}

TEST_F(IniFileTest, ABadValueMovesTheFileAsideAndKeepsWhatWasLoaded) {
  WriteBytes(Path("zorntpnl.ini.bad"), "an older bad file");
  const std::string text = WithLine("Time Out=never");
  WriteBytes(Path(), text);
  EXPECT_FALSE(ReadIniFile(f.panel));
  EXPECT_FALSE(fs::exists(Path()));
  EXPECT_EQ(ReadBytes(Path("zorntpnl.ini.bad")), text);
  EXPECT_TRUE(f.panel.View.mnuConnect.Enabled);
  // The refresh rate came before the bad value; the miss limit waits for the time-out.
  EXPECT_EQ(std::tie(settings().RefreshRate, settings().FileTimeOut, settings().FileMissLimit,
                     settings().IPAddress),
            std::make_tuple(250, 50, 500, "0.0.0.0"));
  EXPECT_TRUE(f.ui.Stacking.empty());
}

TEST_F(IniFileTest, MissingFileChangesNothingAndJunkIsSetAside) {
  EXPECT_FALSE(ReadIniFile(f.panel));
  EXPECT_EQ(Stored(settings()), Stored(testing::PanelFixture().panel.Settings));
  EXPECT_TRUE(f.ui.Stacking.empty());
  const std::string junk[] = {
      "",
      std::string("\0\xFF[SETUP\r\n=\r\n[]\r\n==x", 17),
      WithLine("Refresh Rate=" + std::string(200000, '9')),
      std::string((1 << 20) + 1, '['),
  };
  for (const auto& bytes : junk) {
    WriteBytes(Path(), bytes);
    EXPECT_FALSE(ReadIniFile(f.panel));
    EXPECT_EQ(ReadBytes(Path("zorntpnl.ini.bad")).size(), bytes.size());
  }
  fs::create_directory(Path());
  EXPECT_FALSE(ReadIniFile(f.panel));
  EXPECT_TRUE(fs::is_directory(Path()));
}

TEST_F(IniFileTest, WhatIsWrittenReadsBackTheSame) {
  PanelSettings& s = settings();
  s.ServerPath = "/srv/s\xC3\xA9rv/z\xE9or/";  // the bytes of the path, whatever they are
  s.RefreshRate = 1;
  s.FileTimeOut = 3600;
  s.IPAddress = "host.example";
  s.TCPIPPort = 2147483647;
  s.IPPollPeriod = 3600;
  s.IPAllowedMisses = 1;
  s.HideInhibits = false;
  s.InputDisplayList = "1x";
  s.OutputDisplayList = "0";
  for (unsigned code = 0; code <= 0xFFFF; ++code) s.Password.push_back(static_cast<char16_t>(code));
  ASSERT_TRUE(WriteIniFile(f.panel));
  testing::PanelFixture reread;
  ASSERT_TRUE(ReadInto(reread));
  EXPECT_EQ(Stored(reread.panel.Settings), Stored(s));
  EXPECT_EQ(reread.panel.Settings.FileMissLimit, 3600000);
  EXPECT_TRUE(reread.panel.Settings.Password == s.Password);
}

TEST_F(IniFileTest, ValuesCannotAddLinesOfTheirOwn) {
  settings().ServerPath = "S:\\\r\n[SETUP]\r\nTCP/IP Mode=Yes";
  settings().InputDisplayList = " 1\r\n1";
  ASSERT_TRUE(WriteIniFile(f.panel));
  const std::string text = ReadBytes(Path());
  EXPECT_NE(text.find("Server path=S:\\  [SETUP]  TCP/IP Mode=Yes\r\n"), std::string::npos);
  EXPECT_NE(text.find("Input Display List=01001\r\n"), std::string::npos);
}

TEST_F(IniFileTest, WritesNothingWhenItCannot) {
  WriteBytes(Path(), kValidFile);
  settings().ServerPath.clear();  // File Mode without a server path
  EXPECT_FALSE(WriteIniFile(f.panel));

  settings().ServerPath = "S:\\";
  // Something that cannot be replaced stands where the new file would be written.
  fs::create_directories(Path("zorntpnl.ini.new") / "occupied");
  EXPECT_FALSE(WriteIniFile(f.panel));
  EXPECT_EQ(ReadBytes(Path()), kValidFile);
  EXPECT_FALSE(fs::exists(Path(kDisplayListFileName)));
}

}  // namespace
}  // namespace dazi
