// The whole program as the operator meets it: the main window started from its settings file,
// connected to the simulator's demo studio, worked with the mouse. With DAZI_SCREENSHOT_DIR set,
// it also saves what the window showed in crosspoint mode, salvo mode and key entry.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

#include "core/Panel.h"
#include "e2e/SimulatorProcess.h"
#include "ui/MainWindow.h"
#include "ui/QtSocket.h"
#include "ui/QtUi.h"
#include "ui/SpinnerWidget.h"

namespace dazi::testing {
namespace {

class MainWindowLive : public ::testing::Test {
 protected:
  // The simulator to run, and the panel's allowed misses, for a fixture that needs others.
  virtual QStringList SimulatorArguments() const { return {"--router", DEMO_ROUTER_PATH}; }
  virtual int AllowedMisses() const { return 30; }

  void SetUp() override {
    sim = std::make_unique<SimulatorProcess>(SimulatorArguments());
    QFile ini(QDir(programDir.path()).filePath("zorntpnl.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QStringLiteral("[SETUP]\nTCP/IP Mode=Yes\n[SERIAL]\nRefresh Rate=100\nTime Out=50\n"
                             "[TCP/IP]\nIP Address=127.0.0.1\nTCP/IP Port=%1\n"
                             "IP Poll Period=1\nTime Out=%2\n[CONFIG]\nHide Inhibits=Yes\n"
                             "Stay On Top=No\n")
                  .arg(sim->Port())
                  .arg(AllowedMisses())
                  .toUtf8());
    ini.close();
    ui.Attach(panel, &window);
    ui.AnswerMessageBox = [this](const std::string& text, const std::string&, MsgIcon, MsgButtons) {
      messages.push_back(text);
      return MsgResult::Ok;
    };
    QObject::connect(&socket, &QtSocket::connectEvent, &window, &ui::MainWindow::onSocketConnect);
    QObject::connect(&socket, &QtSocket::closeEvent, &window, &ui::MainWindow::onSocketClose);
    QObject::connect(&socket, &QtSocket::dataArrival, &window, &ui::MainWindow::onSocketData);
    window.load(programDir.path());
    window.show();
  }

  QString Text(const char* name) {
    // Names travel blank-padded to a fixed width; the operator sees no difference.
    return window.findChild<QLineEdit*>(QString::fromLatin1(name))->text().trimmed();
  }
  void Click(const char* spinner, bool up, int times = 1) {
    auto* widget = window.findChild<ui::SpinnerWidget*>(QString::fromLatin1(spinner));
    for (int i = 0; i < times; ++i)
      QTest::mouseClick(up ? widget->upButton() : widget->downButton(), Qt::LeftButton);
  }
  void Take() { QTest::mouseClick(window.findChild<QWidget*>("cmdTake"), Qt::LeftButton); }
  void Trigger(const char* action) {
    window.findChild<QAction*>(QString::fromLatin1(action))->trigger();
  }
  void Save(const char* name) {
    const QString dir = qEnvironmentVariable("DAZI_SCREENSHOT_DIR");
    if (!dir.isEmpty()) window.grab().save(QDir(dir).filePath(QString::fromLatin1(name)));
  }

  std::unique_ptr<SimulatorProcess> sim;
  QTemporaryDir programDir;
  QtSocket socket;
  ui::QtUi ui;
  Panel panel{ui, socket};
  ui::MainWindow window{panel};
  std::vector<std::string> messages;
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

}  // namespace
}  // namespace dazi::testing

namespace dazi::testing {
namespace {

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
