// The dialogs as the operator meets them, with the real main window and the simulator's demo
// studio: a first start without settings that ends on a working link in either mode through
// Setup, and a display list edited, then honoured by the source arrows and saved.
#include <gtest/gtest.h>

#include <QFileSystemModel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTreeView>

#include "e2e/LiveWindow.h"
#include "e2e/SimulatorProcess.h"
#include "support/SettingsFile.h"

namespace dazi::testing {
namespace {

class DialogsLive : public ::testing::Test, protected LiveWindow {
 protected:
  QTemporaryDir server;
  SimulatorProcess sim{{"--router", DEMO_ROUTER_PATH, "--dir", server.path()}};
};

class FirstStart : public DialogsLive, public ::testing::WithParamInterface<bool> {};

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
      auto* tree = setup.findChild<QTreeView*>("dirDirectory");
      tree->setCurrentIndex(qobject_cast<QFileSystemModel*>(tree->model())->index(server.path()));
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

TEST_F(DialogsLive, AnEditedDisplayListIsHonouredAndSaved) {
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

}  // namespace
}  // namespace dazi::testing
