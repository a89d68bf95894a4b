// File Mode against the simulator's server directory: the data files it keeps, byte for byte;
// command files carried out on the router that also serves TCP/IP panels; a Take made in File
// Mode seen on a TCP/IP panel and the other way round; the status byte and an outage told once.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "e2e/LiveWindow.h"
#include "e2e/SimulatorProcess.h"
#include "link_tcp/Outbound.h"
#include "panel/MainForm.h"
#include "support/SettingsFile.h"

namespace dazi::testing {
namespace {

QByteArray Of(std::initializer_list<int> bytes) {
  QByteArray result;
  for (int b : bytes) result.append(static_cast<char>(b));
  return result;
}

QByteArray ReadFile(const QTemporaryDir& dir, const QString& name) {
  QFile file(dir.filePath(name));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// Type 1301: the off source is input 3. The second output's name is cut to 8 bytes.
QString TinyRouter() {
  return WriteRouterFile("tiny-router.txt", R"(
type 1301
inputs 3
outputs 2
input 0 CAM 1
input 1 VTR
input 2 BARS
output 0 PGM
output 1 MONITOR 1
route 0 1
route 1 off
inhibit 1 2
)");
}

struct SimulatorFiles : ::testing::Test {
  QByteArray Read(const QString& name) { return ReadFile(dir, name); }
  void Write(const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
  }

  QTemporaryDir dir;
  SimulatorProcess sim{{"--router", TinyRouter(), "--dir", dir.path()}};
};

TEST_F(SimulatorFiles, KeepsTheFourCountPrefixedFiles) {
  EXPECT_EQ(Read("Status.ndf"), Of({1}));
  EXPECT_EQ(Read("lalpha.ndf"), Of({0x15, 0x05, 3, 0}) + "CAM 1   VTR     BARS    " +
                                    Of({0, 0, 1, 0, 2, 0, 2, 0}) + "PGM     MONITOR " +
                                    Of({0, 0, 1, 0}));
  // Serial 1, two outputs: PGM takes input 1, MON has none (the off source).
  EXPECT_EQ(Read("lxptmap.ndf"), Of({1, 2, 0, 1, 0, 1, 0, 0, 0}));
  EXPECT_EQ(Read("linhbt.ndf"), Of({2, 0, 3, 0}) + "000001");
}

// Each command file is removed; the map file changes, with a new serial, only for a route the
// router allows.
TEST_F(SimulatorFiles, CarriesOutTheCommandFilesTheRouterAllows) {
  const struct {
    const char* name;
    QByteArray command;
    QByteArray records;  // lxptmap.ndf after the serial
    bool changed;
  } cases[] = {
      {"xpt00001.wcf", Of({2, 0, 0xEE, 0xEE}), Of({2, 0, 1, 0, 2, 0, 0, 0}), true},
      {"XPT00002.WCF", Of({3, 0, 0, 0}), Of({2, 0, 0, 0, 0, 0}), true},   // off source
      {"xpt00001.wcf", Of({2, 1}), Of({2, 0, 0, 0, 0, 0}), false},        // inhibited
      {"xpt00002.wcf", Of({4, 0, 0, 0}), Of({2, 0, 0, 0, 0, 0}), false},  // no such input
      {"xpt00001.wcf", Of({0}), Of({2, 0, 0, 0, 0, 0}), false},           // too short
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name + (" " + c.command.toHex(' ').toStdString()));
    const QByteArray before = Read("lxptmap.ndf");
    Write(c.name, c.command);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !QFile::exists(dir.filePath(c.name)); }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Read("lxptmap.ndf").mid(1) == c.records; }, 5000));
    EXPECT_EQ(Read("lxptmap.ndf").at(0) != before.at(0), c.changed);
  }
}

TEST(SimulatorFixedFiles, KeepThe256By256LayoutWithTheOffSourceAfterTheInputs) {
  QTemporaryDir dir;
  SimulatorProcess sim({"--router", TinyRouter(), "--dir", dir.path(), "--files", "fixed"});
  const QByteArray alpha = ReadFile(dir, "Alpha.ndf"), inhibits = ReadFile(dir, "Inhbt.ndf");
  ASSERT_EQ(alpha.size(), 4608);
  EXPECT_EQ(alpha.mid(16, 24), "BARS    - OFF -         ");
  EXPECT_EQ(alpha.mid(2048, 4), Of({0, 1, 2, 3}));
  EXPECT_EQ(alpha.mid(2304, 16), "PGM     MONITOR ");
  EXPECT_EQ(ReadFile(dir, "Xptmap.ndf"), Of({1, 1, 3}) + QByteArray(254, 3));
  ASSERT_EQ(inhibits.size(), 65536);
  EXPECT_EQ(inhibits.count('\1'), 1);
  EXPECT_EQ(inhibits.at(256 + 2), 1);
  EXPECT_FALSE(QFile::exists(dir.filePath("lalpha.ndf")));
}

// A File Mode panel started on the demo studio's directory, whose files list channels in
// channel order, alphas blank-padded to 8 bytes.
struct FileModeLive : ::testing::Test, LiveWindow {
  FileModeLive() {
    Start(SettingsText(false, "", 0, 30, server.path().toStdString() + "/", false));
    panel.Settings.FileMissLimit = 10;  // a second of 100 ms ticks
  }

  QTemporaryDir server;
  SimulatorProcess sim{{"--router", DEMO_ROUTER_PATH, "--dir", server.path()}};
};

TEST_F(FileModeLive, TakesThroughCommandFilesSharingOneRouterWithTcpIpPanels) {
  EXPECT_EQ(Text("txtOutputDisp") + "|" + Text("txtInputDisp"), "PGM|CAM 1");
  LiveWindow tcp;
  tcp.Start(LoopbackSettings(sim.Port()));
  ASSERT_TRUE(tcp.Loaded());

  Click("cmdInSel", true);
  ASSERT_EQ(Text("txtPresetDisp"), "CAM 2");
  QTest::mouseClick(window.findChild<QWidget*>("cmdTake"), Qt::LeftButton);
  EXPECT_TRUE(TickUntil([&] { return Text("txtInputDisp") == "CAM 2"; }))
      << sim.Log().toStdString();
  EXPECT_TRUE(tcp.WaitFor([&] { return tcp.panel.State.CrosspointMap().at(0).Source[0] == 1; }));

  ASSERT_TRUE(SendCrosspointChange(tcp.panel, 0, 4));  // PGM takes VTR A from the TCP/IP side
  EXPECT_TRUE(TickUntil([&] { return Text("txtInputDisp") == "VTR A"; }));
  EXPECT_TRUE(messages.empty());
}

// The simulator's console moves the status byte and takes the status file away and back; the
// panel follows, and tells of each outage once.
TEST_F(FileModeLive, FollowsTheStatusByteAndReportsAnOutageOncePerOutage) {
  sim.Command("status 0");
  EXPECT_TRUE(TickUntil([&] { return panel.View.StatusPanel2 == "No Server Detected "; }));
  sim.Command("linkup");
  EXPECT_TRUE(TickUntil([&] { return panel.View.StatusPanel1 == "Switcher Link (OK)"; }));
  EXPECT_TRUE(messages.empty());

  for (size_t outages = 1; outages <= 2; ++outages) {
    sim.Command("remove Status.ndf");
    EXPECT_TRUE(TickUntil([&] { return messages.size() == outages; })) << outages;
    for (int tick = 0; tick < 30; ++tick) tmrFileCheck_Timer(panel);
    EXPECT_EQ(messages.size(), outages) << "once per outage";
    sim.Command("restore Status.ndf");
    EXPECT_TRUE(TickUntil([&] { return panel.View.StatusPanel1 == "Switcher Link (OK)"; }));
  }
  EXPECT_TRUE(messages.back().starts_with("Error Reading ZOR Server Network Data Files!"));
}

// A server that lists its channels in reverse order, gives each output three sources, and changes
// between the fixed and the counted layout every second, leaving the fixed files behind stale:
// the panel takes and shows by channel, shows the first source, and follows the files written
// now.
TEST(FileModeServers, ReverseOrderSeveralSourcesAndALayoutThatChanges) {
  QTemporaryDir server;
  SimulatorProcess sim{{"--router", DEMO_ROUTER_PATH, "--dir", server.path(), "--scramble",
                        "--map-sources", "3", "--switch-layouts", "1"}};
  LiveWindow live;
  live.Start(SettingsText(false, "", 0, 30, server.path().toStdString() + "/", false));
  ASSERT_EQ(live.Text("txtOutputDisp") + "|" + live.Text("txtPresetDisp"), "TX 2|STUDIO B");
  live.Click("cmdoutSel", true, 7);  // the eighth position: PGM, output 0
  ASSERT_EQ(live.Text("txtOutputDisp"), "PGM");

  QTest::mouseClick(live.window.findChild<QWidget*>("cmdTake"), Qt::LeftButton);
  EXPECT_TRUE(live.WaitFor([&] { return live.Text("txtInputDisp") == "STUDIO B"; }))
      << sim.Log().toStdString();
  for (const auto& [layout, times, input, name] :
       {std::tuple("counted", 1, 5, "VTR B"), std::tuple("fixed", 1, 6, "GFX 1"),
        std::tuple("counted", 2, 4, "VTR A")}) {
    ASSERT_TRUE(live.WaitFor(
        [&] { return sim.Log().count(QString("now writing the %1 files").arg(layout)) == times; }));
    sim.Command(QString("route 0 %1").arg(input));
    EXPECT_TRUE(live.WaitFor([&] { return live.Text("txtInputDisp") == name; }, 900)) << layout;
  }
  EXPECT_TRUE(live.messages.empty());
}

}  // namespace
}  // namespace dazi::testing
