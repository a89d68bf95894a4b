// The whole program as the operator meets it: the main window started from its settings file,
// connected to the simulator's demo studio, worked with the mouse. With DAZI_SCREENSHOT_DIR set,
// it also saves what the window showed in crosspoint mode, salvo mode and key entry.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

#include "e2e/LiveWindow.h"
#include "e2e/SimulatorProcess.h"
#include "support/SettingsFile.h"

namespace dazi::testing {
namespace {

class MainWindowLive : public ::testing::Test, protected LiveWindow {
 protected:
  // The simulator to run, and the panel's allowed misses, for a fixture that needs others.
  virtual QStringList SimulatorArguments() const { return {"--router", DEMO_ROUTER_PATH}; }
  virtual int AllowedMisses() const { return 30; }

  void SetUp() override {
    sim = std::make_unique<SimulatorProcess>(SimulatorArguments());
    Start(LoopbackSettings(sim->Port(), AllowedMisses()));
  }
  void Take() { QTest::mouseClick(window.findChild<QWidget*>("cmdTake"), Qt::LeftButton); }
  void Save(const char* name) {
    const QString dir = qEnvironmentVariable("DAZI_SCREENSHOT_DIR");
    if (!dir.isEmpty()) window.grab().save(QDir(dir).filePath(QString::fromLatin1(name)));
  }

  std::unique_ptr<SimulatorProcess> sim;
};

TEST_F(MainWindowLive, TheOperatorTakesASourceAndRunsAKeyedSalvo) {
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
  Take();
  ASSERT_TRUE(QTest::qWaitFor([&] { return Text("txtInputDisp") == preset; }, 5000));
  Save("screenshot-crosspoint.png");

  Trigger("mnuSalvoMode");
  EXPECT_EQ(Text("txtInputDisp"), "Salvo Mode");
  EXPECT_EQ(Text("txtPresetDisp"), "ALL BLACK");
  Click("cmdInSel", false);  // wraps to the last salvo
  EXPECT_EQ(Text("txtPresetDisp"), "SAT LINE UP");
  Save("screenshot-salvo.png");

  Take();
  EXPECT_EQ(Text("txtInputDisp"), "SAT LINE UP");
  EXPECT_EQ(Text("txtPresetDisp"), "Key 001");
  Click("cmdInSel", true, 4);
  EXPECT_EQ(Text("txtPresetDisp"), "Key 005");
  Save("screenshot-key-entry.png");

  Take();
  EXPECT_EQ(Text("txtPresetDisp"), "Executed");
  // A second later the panel is back in crosspoint mode, showing PGM's new source.
  auto* salvoMode = window.findChild<QAction*>("mnuSalvoMode");
  EXPECT_TRUE(QTest::qWaitFor([&] { return salvoMode->text() == "Salvo &Mode"; }, 5000));
  EXPECT_EQ(Text("txtInputDisp"), "SAT 1");
}

// A server that asks for the password and serves the panel meanwhile; the panel's own prompt.
class LoginLive : public MainWindowLive {
 protected:
  QStringList SimulatorArguments() const override {
    return {"--router", DEMO_ROUTER_PATH, "--password", "secret", "--serve-during-login", "--poll",
            "1"};
  }
  int AllowedMisses() const override { return 1; }  // a silent server goes on the third tick
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
      sim->Command("route 2 5");  // MON 1, on show, now takes VTR B
      routeShownMeanwhile = QTest::qWaitFor([&] { return Text("txtInputDisp") == "VTR B"; });
    }
    if (open.elapsed() < 4500) return;  // past the (1 + 2) seconds a silent server is given
    QTest::keyClicks(prompt->findChild<QLineEdit*>("txtPassword"), "secret");
    QTest::mouseClick(prompt->findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
    answered = true;
  });
  driver.start(50);
  ASSERT_TRUE(QTest::qWaitFor([&] { return answered; }, 20000)) << sim->Log().toStdString();
  EXPECT_TRUE(QTest::qWaitFor([&] { return sim->Log().contains("password accepted"); }));

  EXPECT_FALSE(droppedMeanwhile);
  EXPECT_TRUE(routeShownMeanwhile);
  EXPECT_TRUE(panel.State.SocketConnected);
  const QString log = sim->Log();
  const QString duringLogin =
      log.section("password requested", 1).section("password accepted", 0, 0);
  EXPECT_GE(duringLogin.count("poll answer 244"), 3) << log.toStdString();
}

}  // namespace
}  // namespace dazi::testing
