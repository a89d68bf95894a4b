// The whole program as the operator meets it, against the simulator's demo studio: the main
// window started from its settings and worked with the mouse, a first start set up through Setup
// in either mode, a display list edited, honoured and saved, and the link running on while the
// password prompt is open. With DAZI_SCREENSHOT_DIR set, the first test also saves what the
// window showed in crosspoint mode, salvo mode and key entry.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "e2e/LiveWindow.h"
#include "e2e/SimulatorProcess.h"
#include "support/SettingsFile.h"

namespace dazi::testing {
namespace {

// The demo studio, served over TCP/IP and as files; each test starts the window its own way.
class DemoStudio : public ::testing::Test, protected LiveWindow {
 protected:
  QTemporaryDir server;
  SimulatorProcess sim{{"--router", DEMO_ROUTER_PATH, "--dir", server.path()}};
};

TEST_F(DemoStudio, TheOperatorTakesASourceAndRunsAKeyedSalvo) {
  const auto take = [this] {
    QTest::mouseClick(window.findChild<QWidget*>("cmdTake"), Qt::LeftButton);
  };
  const auto save = [this](const char* name) {
    const QString dir = qEnvironmentVariable("DAZI_SCREENSHOT_DIR");
    if (!dir.isEmpty()) window.grab().save(QDir(dir).filePath(QString::fromLatin1(name)));
  };
  Start(LoopbackSettings(sim.Port()));
  // Sorted, the destinations begin MON 1, MON 2, PGM; MON 1 takes CAM 3 at start.
  ASSERT_TRUE(QTest::qWaitFor([&] { return panel.State.InitialDataShown; }, 10000));
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(window.windowTitle(), "ZOR Tolen DaziVedur - Connected");
  EXPECT_EQ(Text("txtOutputDisp"), "MON 1");
  EXPECT_EQ(Text("txtInputDisp"), "CAM 3");

  Click("cmdoutSel", true, 2);
  EXPECT_EQ(Text("txtOutputDisp"), "PGM");
  EXPECT_EQ(Text("txtInputDisp"), "CAM 1");
  Click("cmdInSel", true);
  const QString preset = Text("txtPresetDisp");
  ASSERT_NE(preset, "CAM 1");
  take();
  ASSERT_TRUE(QTest::qWaitFor([&] { return Text("txtInputDisp") == preset; }, 5000));
  save("screenshot-crosspoint.png");

  Trigger("mnuSalvoMode");
  EXPECT_EQ(Text("txtInputDisp"), "Salvo Mode");
  EXPECT_EQ(Text("txtPresetDisp"), "ALL BLACK");
  Click("cmdInSel", false);  // wraps to the last salvo
  EXPECT_EQ(Text("txtPresetDisp"), "SAT LINE UP");
  save("screenshot-salvo.png");

  take();
  EXPECT_EQ(Text("txtInputDisp"), "SAT LINE UP");
  EXPECT_EQ(Text("txtPresetDisp"), "Key 001");
  Click("cmdInSel", true, 4);
  EXPECT_EQ(Text("txtPresetDisp"), "Key 005");
  save("screenshot-key-entry.png");

  take();
  EXPECT_EQ(Text("txtPresetDisp"), "Executed");
  // A second later the panel is back in crosspoint mode, showing PGM's new source.
  auto* salvoMode = window.findChild<QAction*>("mnuSalvoMode");
  EXPECT_TRUE(QTest::qWaitFor([&] { return salvoMode->text() == "Salvo &Mode"; }, 5000));
  EXPECT_EQ(Text("txtInputDisp"), "SAT 1");
}

class FirstStart : public DemoStudio, public ::testing::WithParamInterface<bool> {};

TEST_P(FirstStart, IsSetUpThroughSetupAndLinksAtOnce) {
  const bool tcpIp = GetParam();
  WhenShown("frmTolenFile", [&](QWidget& setup) {
    if (tcpIp) {
      setup.findChild<QRadioButton*>("optTCPIP")->click();
      for (const auto& [box, text] : {std::pair("txtIP", QString("127.0.0.1")),
                                      std::pair("txtIpPort", QString::number(sim.Port()))}) {
        setup.findChild<QLineEdit*>(box)->clear();
        QTest::keyClicks(setup.findChild<QLineEdit*>(box), text);
      }
    } else {
      setup.findChild<QRadioButton*>("optFile")->click();
      setup.findChild<QLineEdit*>("txtDirectory")->setText(server.path());
    }
    QTest::mouseClick(setup.findChild<QWidget*>("cmdSelect"), Qt::LeftButton);
  });
  Start("");

  EXPECT_EQ(messages,
            std::vector<std::string>{"System Not Yet Configured. Please Specify Server Location."});
  // TCP/IP Mode sorts the destinations; File Mode keeps the files' channel order.
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return Text("txtOutputDisp") == (tcpIp ? "MON 1" : "PGM"); }, 10000))
      << sim.Log().toStdString();
  EXPECT_EQ(window.windowTitle(), "ZOR Tolen DaziVedur - Connected");
  EXPECT_TRUE(ProgramFile("zorntpnl.ini")
                  .contains(tcpIp ? "TCP/IP Port=" + QByteArray::number(sim.Port())
                                  : "Server path=" + server.path().toUtf8() + "/"));
}

INSTANTIATE_TEST_SUITE_P(TcpIpOrFileMode, FirstStart, ::testing::Bool());

TEST_F(DemoStudio, AnEditedDisplayListIsHonouredAndSaved) {
  Start(LoopbackSettings(sim.Port()));
  ASSERT_TRUE(QTest::qWaitFor([&] { return panel.State.InitialDataShown; }, 10000));

  // Only VTR A (channel 4) and BARS (channel 8) stay on the source arrows; the thirteenth
  // channel is the switcher's off source.
  WhenShown("frmDisplayListView", [](QWidget& editor) {
    QTest::mouseClick(editor.findChild<QWidget*>("cmdRemoveAll"), Qt::LeftButton);
    auto* channels = editor.findChild<QTreeView*>("lvChannel");
    for (int row : {4, 8})
      channels->selectionModel()->select(channels->model()->index(row, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::mouseClick(editor.findChild<QWidget*>("cmdAdd"), Qt::LeftButton);
    QTest::mouseClick(editor.findChild<QWidget*>("cmdOk"), Qt::LeftButton);
  });
  Trigger("mnuInDisplay");
  EXPECT_EQ(panel.Settings.InputDisplayList, "0000100010000");

  QStringList presets;
  for (int step = 0; step < 4; ++step) {
    Click("cmdInSel", true);
    presets << Text("txtPresetDisp");
  }
  EXPECT_EQ(presets, QStringList({"VTR A", "BARS", "VTR A", "BARS"}));

  Trigger("mnuExit");
  EXPECT_EQ(ProgramFile("DisplayList.dat"), QByteArray("\x01\x00\x0d\x00"
                                                       "0000100010000"
                                                       "\x08\x00"
                                                       "11111111",
                                                       27));
  EXPECT_TRUE(ProgramFile("zorntpnl.ini").contains("Input Display List=0000100010000"));
}

// A server that asks for the password and serves the panel meanwhile; the panel's own prompt.
struct LoginLive : ::testing::Test, LiveWindow {
  LoginLive() { Start(LoopbackSettings(sim.Port(), 1)); }  // silent servers go on the third tick
  SimulatorProcess sim{{"--router", DEMO_ROUTER_PATH, "--password", "secret",
                        "--serve-during-login", "--poll", "1"}};
};

// While the operator types, the link goes on: the server's polls are answered, the panel's
// polls are answered and counted as such, and a take report changes the display.
TEST_F(LoginLive, TheLinkKeepsRunningWhileThePasswordPromptIsOpen) {
  QElapsedTimer open;
  bool droppedMeanwhile = false;
  bool routeShownMeanwhile = false;
  bool answered = false;
  QTimer driver;  // runs inside the prompt's modal loop
  QObject::connect(&driver, &QTimer::timeout, [&] {
    auto* prompt = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!prompt || prompt->objectName() != "frmSwitcherPassword" || answered) return;
    if (!open.isValid()) open.start();
    droppedMeanwhile |= !panel.State.SocketConnected;
    if (panel.State.InitialDataShown && !routeShownMeanwhile) {
      sim.Command("route 2 5");  // MON 1, on show, now takes VTR B
      routeShownMeanwhile = QTest::qWaitFor([&] { return Text("txtInputDisp") == "VTR B"; });
    }
    if (open.elapsed() < 4500) return;  // past the (1 + 2) seconds a silent server is given
    QTest::keyClicks(prompt->findChild<QLineEdit*>("txtPassword"), "secret");
    QTest::mouseClick(prompt->findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
    answered = true;
  });
  driver.start(50);
  ASSERT_TRUE(QTest::qWaitFor([&] { return answered; }, 20000)) << sim.Log().toStdString();
  EXPECT_TRUE(QTest::qWaitFor([&] { return sim.Log().contains("password accepted"); }));

  EXPECT_FALSE(droppedMeanwhile);
  EXPECT_TRUE(routeShownMeanwhile);
  EXPECT_TRUE(panel.State.SocketConnected);
  const QString log = sim.Log();
  const QString duringLogin =
      log.section("password requested", 1).section("password accepted", 0, 0);
  EXPECT_GE(duringLogin.count("poll answer 244"), 3) << log.toStdString();
}

}  // namespace
}  // namespace dazi::testing
