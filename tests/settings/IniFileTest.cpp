#include "settings/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
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

class IniFileTest : public ::testing::Test {
 protected:
  IniFileTest() { f.panel.State.AppPath = dir.Path(); }

  PanelSettings& settings() { return f.panel.Settings; }
  fs::path Path(const char* name = kSettingsFileName) const { return dir.Path() / name; }

  testing::TempDir dir;
  testing::PanelFixture f;
};

TEST_F(IniFileTest, MissingFileChangesNothing) {
  EXPECT_FALSE(ReadIniFile(f.panel));
  EXPECT_EQ(settings().LinkMode, FileMode);
  EXPECT_EQ(settings().FileMissLimit, 500);
  EXPECT_EQ(settings().TCPIPPort, 1250);
  EXPECT_TRUE(f.ui.Stacking.empty());
}

TEST_F(IniFileTest, LoadsEveryKeyAndAppliesItToTheMainWindow) {
  WriteBytes(Path(), kValidFile);
  ASSERT_TRUE(ReadIniFile(f.panel));
  const PanelSettings& s = settings();
  EXPECT_EQ(s.LinkMode, TCPIPMode);
  EXPECT_EQ(s.ServerPath, "\\\\server\\zor\\");
  EXPECT_EQ(s.RefreshRate, 250);
  EXPECT_EQ(s.FileTimeOut, 20);
  EXPECT_EQ(s.FileMissLimit, 80);
  EXPECT_EQ(s.IPAddress, "10.0.0.7");
  EXPECT_EQ(s.TCPIPPort, 70000);
  EXPECT_EQ(s.IPPollPeriod, 5);
  EXPECT_EQ(s.IPAllowedMisses, 12);
  EXPECT_EQ(s.Password, u"abc");
  EXPECT_FALSE(s.HideInhibits);
  EXPECT_EQ(s.InputDisplayList, "1101");
  EXPECT_EQ(s.OutputDisplayList, "01");
  EXPECT_EQ(s.StayOnTop, kStayOnTopNo);
  EXPECT_TRUE(f.panel.View.mnuConnect.Enabled);
  EXPECT_TRUE(f.panel.View.mnuSalvoMode.Enabled);
  EXPECT_EQ(f.panel.View.tmrFileCheck.IntervalMs, 5000);
  EXPECT_EQ(f.panel.View.StatusPanel2, "10.0.0.7");
  EXPECT_EQ(f.ui.Stacking, std::vector<int32_t>{kStayOnTopNo});
}

TEST_F(IniFileTest, ReadsAFileWrittenOnWindows) {
  WriteBytes(Path(),
             "; edited by hand\r\n[setup]\r\ntcp/ip mode = Yes\r\nTCP/IP MODE=No\r\n"
             "[Serial]\r\n  SERVER PATH  =  S:\\zor\\  \r\nrefresh rate\t=\t300\r\ntime out=1\r\n"
             "[tcp/ip]\r\nTime Out = 7\r\nTime Out = 9\r\nIP Poll Period = 40\r\n"
             "Password = \xE9\r\n[SERIAL]\r\nRefresh Rate=999\r\n");
  ASSERT_TRUE(ReadIniFile(f.panel));
  EXPECT_EQ(settings().LinkMode, TCPIPMode);  // duplicates: the first one counts
  EXPECT_EQ(settings().ServerPath, "S:\\zor\\");
  EXPECT_EQ(settings().RefreshRate, 300);
  EXPECT_EQ(settings().FileMissLimit, 3);
  EXPECT_EQ(settings().IPAllowedMisses, 7);
  EXPECT_EQ(settings().Password, u"\x00EA");
  // Absent keys read as empty texts.
  EXPECT_EQ(settings().IPAddress, "");
  EXPECT_EQ(settings().TCPIPPort, 1250);
  EXPECT_EQ(settings().StayOnTop, kStayOnTopNo);
  EXPECT_EQ(settings().InputDisplayList, std::string(256, '1'));
  EXPECT_EQ(settings().OutputDisplayList, std::string(256, '1'));
  // Forty seconds does not fit 16 bits of milliseconds; it is applied all the same.
  EXPECT_EQ(f.panel.View.tmrFileCheck.IntervalMs, 40000);
}

TEST_F(IniFileTest, ConvertsAndClampsEachKey) {
  using Field = std::function<int64_t(const PanelSettings&)>;
  const Field refresh = [](const PanelSettings& s) { return s.RefreshRate; };
  const Field timeOut = [](const PanelSettings& s) { return s.FileTimeOut; };
  const Field port = [](const PanelSettings& s) { return s.TCPIPPort; };
  const Field poll = [](const PanelSettings& s) { return s.IPPollPeriod; };
  const struct {
    std::string line;
    Field field;
    int64_t expected;  // -1: the read fails
  } cases[] = {
      {"Refresh Rate=0", refresh, 1},        {"Refresh Rate=40000", refresh, -1},
      {"Refresh Rate=", refresh, -1},        {"Time Out=5000", timeOut, 3600},
      {"TCP/IP Port=abc", port, 1250},       {"TCP/IP Port=1300xyz", port, 1300},
      {"TCP/IP Port=99999999999", port, -1}, {"IP Poll Period=3601", poll, 3600},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    testing::PanelFixture fresh;
    fresh.panel.State.AppPath = dir.Path();
    WriteBytes(Path(), WithLine(c.line));
    ASSERT_EQ(ReadIniFile(fresh.panel), c.expected != -1);
    if (c.expected != -1) {
      EXPECT_EQ(c.field(fresh.panel.Settings), c.expected);
    }
  }
}

TEST_F(IniFileTest, YesIsExactAndCaseSensitive) {
  WriteBytes(Path(), WithLine("TCP/IP Mode=yes"));
  ASSERT_TRUE(ReadIniFile(f.panel));
  EXPECT_EQ(settings().LinkMode, FileMode);
  EXPECT_FALSE(f.panel.View.mnuConnect.Enabled);
  EXPECT_FALSE(f.panel.View.mnuSalvoMode.Enabled);
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
  EXPECT_EQ(settings().RefreshRate, 250);
  EXPECT_EQ(settings().FileTimeOut, 50);
  EXPECT_EQ(settings().FileMissLimit, 200);  // follows the refresh rate now held
  EXPECT_EQ(settings().IPAddress, "0.0.0.0");
  EXPECT_TRUE(f.ui.Stacking.empty());
}

TEST_F(IniFileTest, RejectsJunkWithoutHarm) {
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

TEST_F(IniFileTest, DisplayListFileWinsOverTheSettingsFile) {
  WriteBytes(Path(), kValidFile);
  WriteBytes(Path(kDisplayListFileName), Bytes({1, 0, 2, 0, '0', '0', 1, 0, '1'}));
  ASSERT_TRUE(ReadIniFile(f.panel));
  EXPECT_EQ(settings().InputDisplayList, "00");
  EXPECT_EQ(settings().OutputDisplayList, "1");
}

TEST_F(IniFileTest, WritesTheWholeFileInOrderForItsOwnerOnly) {
  WriteBytes(Path(), "[CONFIG]\r\nHand Added=1\r\n");
  fs::permissions(Path(), fs::perms::all);
  PanelSettings& s = settings();
  s.LinkMode = TCPIPMode;
  s.ServerPath = "\\\\server\\zor\\";
  s.RefreshRate = 250;
  s.FileTimeOut = 20;
  s.IPAddress = "10.0.0.7";
  s.TCPIPPort = 70000;
  s.IPPollPeriod = 5;
  s.IPAllowedMisses = 12;
  s.Password = u"abc";
  s.HideInhibits = false;
  s.InputDisplayList = "1101";
  s.OutputDisplayList = "01";
  s.StayOnTop = kStayOnTopNo;

  ASSERT_TRUE(WriteIniFile(f.panel));
  EXPECT_EQ(ReadBytes(Path()), kValidFile);
  EXPECT_EQ(fs::status(Path()).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(ReadBytes(Path(kDisplayListFileName)).size(), 12u);
  EXPECT_FALSE(fs::exists(Path("zorntpnl.ini.new")));
}

TEST_F(IniFileTest, WhatIsWrittenReadsBackTheSame) {
  PanelSettings& s = settings();
  s.ServerPath = "/srv/zor/";
  s.RefreshRate = 1;
  s.FileTimeOut = 3600;
  s.IPAddress = "host.example";
  s.TCPIPPort = 2147483647;
  s.IPPollPeriod = 3600;
  s.IPAllowedMisses = 1;
  s.HideInhibits = false;
  s.InputDisplayList = "1x";
  s.OutputDisplayList = "";
  for (unsigned code = 0; code <= 0xFFFF; ++code) s.Password.push_back(static_cast<char16_t>(code));
  ASSERT_TRUE(WriteIniFile(f.panel));

  testing::PanelFixture reread;
  reread.panel.State.AppPath = dir.Path();
  ASSERT_TRUE(ReadIniFile(reread.panel));
  const PanelSettings& r = reread.panel.Settings;
  EXPECT_EQ(std::tie(r.LinkMode, r.ServerPath, r.RefreshRate, r.FileTimeOut, r.IPAddress,
                     r.TCPIPPort, r.IPPollPeriod, r.IPAllowedMisses, r.HideInhibits, r.StayOnTop,
                     r.InputDisplayList, r.OutputDisplayList),
            std::tie(s.LinkMode, s.ServerPath, s.RefreshRate, s.FileTimeOut, s.IPAddress,
                     s.TCPIPPort, s.IPPollPeriod, s.IPAllowedMisses, s.HideInhibits, s.StayOnTop,
                     s.InputDisplayList, s.OutputDisplayList));
  EXPECT_EQ(r.FileMissLimit, 3600000);
  EXPECT_TRUE(r.Password == s.Password);
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
