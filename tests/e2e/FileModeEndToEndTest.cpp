// File Mode against the simulator's server directory: the start-up load, a Take carried out
// through a command file and seen on a TCP/IP panel of the same router (and the other way
// round), the status byte, an outage reported once and recovered.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>

#include "core/MainForm.h"
#include "core/TakeAndSalvo.h"
#include "e2e/LivePanel.h"
#include "e2e/SimulatorProcess.h"
#include "link_file/NetworkFiles.h"
#include "link_tcp/Outbound.h"

namespace dazi::testing {
namespace {

// The demo studio's files list channels in channel order, alphas blank-padded to 8 bytes.
struct FileModeLive : ::testing::Test {
  FileModeLive() {
    InitVariables(panel);
    panel.Settings.ServerPath = server.path().toStdString() + "/";
    panel.Settings.FileTimeOut = 1;  // ten ticks of 100 ms
    panel.Settings.FileMissLimit = ComputeFileMissLimit(100, 1);
    panel.Settings.InputDisplayList = panel.Settings.OutputDisplayList = std::string(256, '1');
  }
  // Ticks the link timer as the window would until the condition holds.
  bool TickUntil(const std::function<bool()>& condition) {
    return QTest::qWaitFor(
        [&] {
          tmrFileCheck_Timer(panel);
          return condition();
        },
        5000);
  }
  bool Shows(const std::string& source) {
    return TickUntil([&] { return panel.View.txtInputDisp.Text == source; });
  }

  QTemporaryDir server;
  SimulatorProcess sim{{"--router", DEMO_ROUTER_PATH, "--dir", server.path()}};
  FakeUi ui;
  FakeSocket socket;
  Panel panel{ui, socket};
};

TEST_F(FileModeLive, TakesThroughCommandFilesSharingOneRouterWithTcpIpPanels) {
  ASSERT_TRUE(ReadNetworkFiles(panel)) << sim.Log().toStdString();
  EXPECT_EQ(std::tie(panel.View.txtOutputDisp.Text, panel.View.txtInputDisp.Text,
                     panel.View.StatusPanel1, panel.View.Caption),
            std::make_tuple("PGM     ", "CAM 1   ", "Switcher Link (OK) ",
                            "ZOR Tolen DaziVedur - Connected"));
  LivePanel tcp(sim.Port());
  ASSERT_TRUE(tcp.ConnectAndLoad());

  panel.View.cmdInSel.StepUp();
  ASSERT_EQ(panel.View.txtPresetDisp.Text, "CAM 2   ");
  cmdTake_Click(panel);
  EXPECT_TRUE(Shows("CAM 2   ")) << sim.Log().toStdString();
  EXPECT_TRUE(tcp.WaitFor([&] { return tcp.panel.State.CrosspointMap.at(0).Source[0] == 1; }));

  ASSERT_TRUE(SendCrosspointChange(tcp.panel, 0, 4));  // PGM takes VTR A from the TCP/IP side
  EXPECT_TRUE(Shows("VTR A   "));
  EXPECT_TRUE(ui.Messages.empty());
}

TEST_F(FileModeLive, FollowsTheStatusByteAndReportsAnOutageOncePerOutage) {
  ASSERT_TRUE(ReadNetworkFiles(panel));
  sim.Command("status 0");
  EXPECT_TRUE(TickUntil([&] { return panel.View.StatusPanel1 == "Switcher Link (NC) "; }));
  EXPECT_EQ(std::tie(panel.View.StatusPanel2, panel.View.Caption),
            std::make_tuple("No Server Detected ", "ZOR Tolen DaziVedur - Not Connected"));
  sim.Command("status 1");
  EXPECT_TRUE(TickUntil([&] { return panel.View.StatusPanel1 == "Switcher Link (OK)"; }));
  EXPECT_EQ(panel.View.Caption, "ZOR Tolen DaziVedur - Connected");
  EXPECT_TRUE(ui.Messages.empty());

  const std::string outage =
      "Error Reading ZOR Server Network Data Files!\r\rPlease verify the ZOR Server Software is "
      "running and that the network connection\rto that computer is functional. Until the Server "
      "connection is reestablished this\rsoftware control panel will not function.";
  for (int outages = 1; outages <= 2; ++outages) {
    SCOPED_TRACE(outages);
    sim.Command("remove Status.ndf");
    ASSERT_TRUE(TickUntil([&] { return panel.State.FileFailTicks > 0; }));
    for (int tick = 1; tick < panel.Settings.FileMissLimit; ++tick) tmrFileCheck_Timer(panel);
    EXPECT_EQ(ui.Messages.size(), size_t(outages - 1)) << "nothing before the limit is passed";
    tmrFileCheck_Timer(panel);
    ASSERT_EQ(ui.Messages.size(), size_t(outages));
    EXPECT_EQ(std::tie(ui.Messages.back().Text, ui.Messages.back().Title, ui.Messages.back().Icon),
              std::make_tuple(outage, "Error Reading Network Files", MsgIcon::Critical));
    EXPECT_EQ(panel.View.StatusPanel2, "No Server Detected ");
    for (int tick = 0; tick < 3 * panel.Settings.FileMissLimit; ++tick) tmrFileCheck_Timer(panel);
    EXPECT_EQ(ui.Messages.size(), size_t(outages)) << "once per outage";

    sim.Command("restore Status.ndf");
    EXPECT_TRUE(TickUntil([&] { return panel.View.StatusPanel1 == "Switcher Link (OK)"; }));
  }
}

}  // namespace
}  // namespace dazi::testing
