// The simulator's File Mode side, seen from outside: the data files it keeps in its directory,
// byte for byte, command files carried out from the same router that serves TCP panels, and the
// status byte as a fault switch.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "e2e/LivePanel.h"
#include "e2e/SimulatorProcess.h"
#include "link_tcp/Outbound.h"

namespace dazi::testing {
namespace {

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

QByteArray Of(std::initializer_list<int> bytes) {
  QByteArray result;
  for (int b : bytes) result.append(static_cast<char>(b));
  return result;
}

QByteArray ReadFile(const QTemporaryDir& dir, const QString& name) {
  QFile file(dir.filePath(name));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

struct SimulatorFiles : ::testing::Test {
  QByteArray Read(const QString& name) { return ReadFile(dir, name); }
  void Write(const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
  }
  bool WaitFor(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, 5000); }

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

TEST_F(SimulatorFiles, CarriesOutCommandFilesAndTcpTakesOnTheOneRouter) {
  LivePanel live(sim.Port());
  ASSERT_TRUE(live.ConnectAndLoad()) << sim.Log().toStdString();
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
    EXPECT_TRUE(WaitFor([&] { return !QFile::exists(dir.filePath(c.name)); }));
    EXPECT_TRUE(WaitFor([&] { return Read("lxptmap.ndf").mid(1) == c.records; }));
    EXPECT_EQ(Read("lxptmap.ndf").at(0) != before.at(0), c.changed);
  }
  // The file takes reached the TCP panel; its own take reaches the directory.
  EXPECT_TRUE(live.WaitFor([&] { return live.panel.State.CrosspointMap.at(0).Source[0] == 3; }));
  ASSERT_TRUE(SendCrosspointChange(live.panel, 1, 0));
  EXPECT_TRUE(WaitFor([&] { return Read("lxptmap.ndf").mid(1) == Of({2, 0, 0, 0, 1, 0, 0, 0}); }));
}

TEST_F(SimulatorFiles, StatusCommandRewritesTheStatusByte) {
  sim.Command("status 0");
  EXPECT_TRUE(WaitFor([&] { return Read("Status.ndf") == Of({0}); })) << sim.Log().toStdString();
  sim.Command("linkup");
  EXPECT_TRUE(WaitFor([&] { return Read("Status.ndf") == Of({1}); }));
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

}  // namespace
}  // namespace dazi::testing
