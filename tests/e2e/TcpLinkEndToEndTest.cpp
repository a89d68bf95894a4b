// The panel against the switcher simulator over loopback: connection and information, the stored
// password, the switcher link going down and back, a refused connection. Operating the panel
// (Take, salvos, keys, the typed password) runs in the main window's end-to-end tests; the rules
// behind it (poll misses, captions, the status panels) have unit tests of their own.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTcpServer>

#include "e2e/LiveWindow.h"
#include "e2e/SimulatorProcess.h"
#include "support/SettingsFile.h"

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

// With a stored password the panel logs in without asking, and shows what the server sends.
TEST(TcpLink, LogsInAndShowsTheSwitchersNamesAndRoutesAndTheLinkGoingDown) {
  SimulatorProcess sim({"--router", SmallRouter(), "--password", "secret"});
  LiveWindow live;
  live.Start(LoopbackSettings(sim.Port(), 30, u"secret"));
  ASSERT_TRUE(live.Loaded()) << sim.Log().toStdString();
  EXPECT_TRUE(live.messages.empty());

  const SwitcherState& s = live.panel.State;
  EXPECT_EQ(s.Inputs().Alphas(), (std::vector<std::string>{"Bars ", "cam 1", "GFX  ", "VTR 2"}));
  EXPECT_EQ(s.Inputs().Channels(), (std::vector<int16_t>{2, 1, 3, 0}));
  EXPECT_EQ(s.Outputs().Alphas(), (std::vector<std::string>{"MON", "PGM", "TX "}));
  EXPECT_EQ(s.CrosspointMap().at(2).Source[0], 3);
  EXPECT_EQ(s.Inhibit().Get(2, 2), 1);
  EXPECT_EQ(s.Salvos().Alphas(), (std::vector<std::string>{"KEYED", "OPEN "}));
  EXPECT_EQ(s.SalvoKeys().at(1), 5);
  EXPECT_EQ(live.Text("txtOutputDisp") + "|" + live.Text("txtInputDisp"), "MON|Bars");

  sim.Command("linkdown");
  ASSERT_TRUE(live.WaitFor([&] { return live.Text("txtInputDisp") == "NoSystem"; }));
  EXPECT_TRUE(s.SocketConnected);
  sim.Command("linkup");  // everything is asked for again
  EXPECT_TRUE(live.WaitFor([&] { return live.Text("txtOutputDisp") == "MON"; }));
  EXPECT_TRUE(live.WaitFor([&] { return live.Text("txtInputDisp") == "Bars"; }));
}

// The server closes on a wrong password; nothing listens on a free port. Either way the close
// event comes once and the panel stays closed, without a word to the operator.
TEST(TcpLink, AWrongPasswordOrARefusedConnectionLeavesThePanelClosed) {
  SimulatorProcess sim({"--router", SmallRouter(), "--password", "secret"});
  QTcpServer probe;
  ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
  const quint16 freePort = probe.serverPort();
  probe.close();
  for (const quint16 port : {sim.Port(), freePort}) {
    LiveWindow live;
    QSignalSpy closed(&live.socket, &QtSocket::closeEvent);
    live.Start(LoopbackSettings(port, 30, u"guess"));
    EXPECT_TRUE(live.WaitFor([&] { return closed.count() == 1; })) << port;
    EXPECT_FALSE(live.panel.State.SocketConnected);
    EXPECT_EQ(live.window.windowTitle(), "ZOR Tolen DaziVedur - Not Connected");
    EXPECT_TRUE(live.messages.empty());
  }
  EXPECT_TRUE(sim.Log().contains("wrong password"));
}

}  // namespace
}  // namespace dazi::testing
