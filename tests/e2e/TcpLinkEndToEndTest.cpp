// The panel against the switcher simulator over loopback: connection and information, the
// password, the switcher link going down and back, a refused connection. Operating the panel
// (Take, salvos, keys, the typed password) runs in the real window's end-to-end tests; the rules
// behind it (poll misses, captions, the status panels) have unit tests of their own.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTcpServer>

#include "core/MainView.h"
#include "e2e/LivePanel.h"
#include "e2e/SimulatorProcess.h"
#include "link_tcp/Connection.h"

namespace dazi::testing {
namespace {

// Sorted by name, the sources are Bars, cam 1, GFX, VTR 2 and the destinations MON, PGM, TX.
// Names travel blank-padded to the longest one in their table, and are kept so.
QString SmallRouter() {
  return WriteRouterFile("small-router.txt", R"(
inputs 4
outputs 3
input 0 VTR 2
input 1 cam 1
input 2 Bars
input 3 GFX
output 0 PGM
output 1 MON
output 2 TX
route 0 1
route 1 2
route 2 3
inhibit 2 2
salvo 0 OPEN
set 0 0
salvo 5 KEYED
set 1 3
)");
}

TEST(TcpLink, ConnectsAndShowsTheSwitchersNamesAndRoutes) {
  SimulatorProcess sim({"--router", SmallRouter()});
  LivePanel live(sim.Port());
  ASSERT_TRUE(live.ConnectAndLoad()) << sim.Log().toStdString();

  const SwitcherState& s = live.panel.State;
  EXPECT_EQ(s.InputAlpha, (std::vector<std::string>{"Bars ", "cam 1", "GFX  ", "VTR 2"}));
  EXPECT_EQ(s.InputChannelAt, (std::vector<int16_t>{2, 1, 3, 0}));
  EXPECT_EQ(s.OutputAlpha, (std::vector<std::string>{"MON", "PGM", "TX "}));
  EXPECT_EQ(s.CrosspointMap.at(2).Source[0], 3);
  EXPECT_EQ(s.Inhibit.Get(2, 2), 1);
  EXPECT_EQ(s.SalvoName, (std::vector<std::string>{"KEYED", "OPEN "}));
  EXPECT_EQ(s.SalvoKey.at(1), 5);
  EXPECT_EQ(std::tie(live.panel.View.txtOutputDisp.Text, live.panel.View.txtInputDisp.Text),
            std::make_tuple("MON", "Bars "));
}

TEST(TcpLink, SendsTheStoredPasswordWhenAskedAndIsRefusedAWrongOne) {
  SimulatorProcess sim({"--router", SmallRouter(), "--password", "secret"});
  LivePanel right(sim.Port(), u"secret");
  EXPECT_TRUE(right.ConnectAndLoad()) << sim.Log().toStdString();
  EXPECT_TRUE(right.ui.Dialogs.empty());  // no prompt while a password is stored

  LivePanel wrong(sim.Port(), u"guess");
  QSignalSpy closed(&wrong.socket, &QtSocket::closeEvent);
  ConnectToSwitcher(wrong.panel);
  EXPECT_TRUE(wrong.WaitFor([&] { return closed.count() == 1; }));
  EXPECT_FALSE(wrong.panel.State.SocketConnected);
  EXPECT_EQ(wrong.panel.View.Caption, "ZOR Tolen DaziVedur - Not Connected");
  EXPECT_TRUE(sim.Log().contains("wrong password"));
}

TEST(TcpLink, SwitcherLinkDownShowsNoSystemUntilItComesBack) {
  SimulatorProcess sim({"--router", SmallRouter()});
  LivePanel live(sim.Port());
  ASSERT_TRUE(live.ConnectAndLoad());

  sim.Command("linkdown");
  ASSERT_TRUE(live.WaitFor([&] { return live.panel.View.txtInputDisp.Text == "NoSystem"; }));
  EXPECT_TRUE(live.panel.State.SocketConnected);

  sim.Command("linkup");  // everything is asked for again
  const MainView& v = live.panel.View;
  EXPECT_TRUE(live.WaitFor(
      [&] { return v.txtOutputDisp.Text == "MON" && v.txtInputDisp.Text == "Bars "; }));
}

TEST(TcpLink, ARefusedConnectionLeavesThePanelClosed) {
  QTcpServer probe;
  ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
  const quint16 freePort = probe.serverPort();
  probe.close();

  LivePanel live(freePort);
  QSignalSpy closed(&live.socket, &QtSocket::closeEvent);
  ConnectToSwitcher(live.panel);
  EXPECT_TRUE(live.WaitFor([&] { return closed.count() == 1; }));
  EXPECT_FALSE(live.panel.State.SocketConnected);
  EXPECT_EQ(live.panel.View.Caption, "ZOR Tolen DaziVedur - Not Connected");
  EXPECT_TRUE(live.ui.Messages.empty());
}

}  // namespace
}  // namespace dazi::testing
