// The dialogs as the operator meets them, with the real main window and the simulator's demo
// studio: a first start without settings that ends connected through Setup, and a display list
// edited, then honoured by the source arrows and saved.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include "core/Panel.h"
#include "e2e/SimulatorProcess.h"
#include "ui/MainWindow.h"
#include "ui/QtSocket.h"
#include "ui/QtUi.h"
#include "ui/SpinnerWidget.h"

namespace dazi::testing {
namespace {

class DialogsLive : public ::testing::Test {
 protected:
  DialogsLive() {
    ui.Attach(panel, &window);
    ui.AnswerMessageBox = [this](const std::string& text, const std::string&, MsgIcon, MsgButtons) {
      messages.push_back(text);
      return MsgResult::Ok;
    };
    QObject::connect(&socket, &QtSocket::connectEvent, &window, &ui::MainWindow::onSocketConnect);
    QObject::connect(&socket, &QtSocket::closeEvent, &window, &ui::MainWindow::onSocketClose);
    QObject::connect(&socket, &QtSocket::dataArrival, &window, &ui::MainWindow::onSocketData);
  }

  // Once the named dialog is the modal window, the operator works it: act runs on it once.
  void WhenShown(const char* name, std::function<void(QWidget&)> act) {
    auto* watch = new QTimer(&window);
    QObject::connect(watch, &QTimer::timeout, watch, [watch, name, act = std::move(act)] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal || modal->objectName() != QLatin1String(name)) return;
      watch->stop();
      watch->deleteLater();
      act(*modal);
    });
    watch->start(20);
  }
  QString Text(const char* name) {
    return window.findChild<QLineEdit*>(QString::fromLatin1(name))->text().trimmed();
  }
  QByteArray ProgramFile(const char* name) {
    QFile file(QDir(programDir.path()).filePath(QString::fromLatin1(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  SimulatorProcess sim{{"--router", DEMO_ROUTER_PATH}};
  QTemporaryDir programDir;
  QtSocket socket;
  ui::QtUi ui;
  Panel panel{ui, socket};
  ui::MainWindow window{panel};
  std::vector<std::string> messages;
};

TEST_F(DialogsLive, AFirstStartIsSetUpAndConnectedThroughSetup) {
  WhenShown("frmTolenFile", [this](QWidget& setup) {
    setup.findChild<QRadioButton*>("optTCPIP")->click();
    auto* address = setup.findChild<QLineEdit*>("txtIP");
    auto* port = setup.findChild<QLineEdit*>("txtIpPort");
    address->clear();
    QTest::keyClicks(address, "127.0.0.1");
    port->clear();
    QTest::keyClicks(port, QString::number(sim.Port()));
    QTest::mouseClick(setup.findChild<QWidget*>("cmdSelect"), Qt::LeftButton);
  });
  window.load(programDir.path());
  window.show();

  EXPECT_EQ(messages,
            std::vector<std::string>{"System Not Yet Configured. Please Specify Server Location."});
  ASSERT_TRUE(QTest::qWaitFor([&] { return panel.State.InitialDataShown; }, 10000))
      << sim.Log().toStdString();
  EXPECT_EQ(window.windowTitle(), "ZOR Tolen DaziVedur - Connected");
  EXPECT_EQ(Text("txtOutputDisp"), "MON 1");
  const QByteArray settings = ProgramFile("zorntpnl.ini");
  EXPECT_TRUE(settings.contains("TCP/IP Mode=Yes"));
  EXPECT_TRUE(settings.contains("IP Address=127.0.0.1"));
  EXPECT_TRUE(settings.contains("TCP/IP Port=" + QByteArray::number(sim.Port())));
}

TEST_F(DialogsLive, AnEditedDisplayListIsHonouredAndSaved) {
  QFile ini(QDir(programDir.path()).filePath("zorntpnl.ini"));
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
  ini.write(QStringLiteral("[SETUP]\nTCP/IP Mode=Yes\n[TCP/IP]\nIP Address=127.0.0.1\n"
                           "TCP/IP Port=%1\nIP Poll Period=1\nTime Out=30\n"
                           "[SERIAL]\nRefresh Rate=100\nTime Out=50\n[CONFIG]\nStay On Top=No\n")
                .arg(sim.Port())
                .toUtf8());
  ini.close();
  window.load(programDir.path());
  window.show();
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
  window.findChild<QAction*>("mnuInDisplay")->trigger();
  EXPECT_EQ(panel.Settings.InputDisplayList, "0000100010000");

  auto* sources = window.findChild<ui::SpinnerWidget*>("cmdInSel");
  QStringList presets;
  for (int step = 0; step < 4; ++step) {
    QTest::mouseClick(sources->upButton(), Qt::LeftButton);
    presets << Text("txtPresetDisp");
  }
  EXPECT_EQ(presets, QStringList({"VTR A", "BARS", "VTR A", "BARS"}));

  window.findChild<QAction*>("mnuExit")->trigger();
  EXPECT_EQ(ProgramFile("DisplayList.dat"), QByteArray("\x01\x00\x0d\x00"
                                                       "0000100010000"
                                                       "\x08\x00"
                                                       "11111111",
                                                       27));
  EXPECT_TRUE(ProgramFile("zorntpnl.ini").contains("Input Display List=0000100010000"));
}

}  // namespace
}  // namespace dazi::testing
