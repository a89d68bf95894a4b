#include "link_tcp/Connection.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "link_tcp/Inbound.h"
#include "model/Selection.h"
#include "model/SmallRouter.h"
#include "support/PanelFixture.h"

namespace dazi {
namespace {

using Bytes = std::vector<uint8_t>;
const Bytes kPoll{245};

class ConnectionTest : public ::testing::Test, protected testing::PanelFixture {
 protected:
  ConnectionTest() { panel.Settings.IPAddress = "10.1.2.3"; }
  void Connect() {
    ConnectToSwitcher(panel);
    socket.IsConnected = true;
    OnConnect(panel);
  }
  void ExpectClosedTexts() const {
    EXPECT_EQ(panel.View.Caption, kCaptionNotConnected);
    EXPECT_EQ(panel.View.mnuConnect.Caption, "&Connect");
    EXPECT_EQ(panel.View.StatusPanel1, kStatusLinkNc);
  }
  // Three named channels each way, channel k at position k, both spinners on `selected`.
  void LoadThreeChannels(int selected) {
    testing::LoadRouter(panel, {"A", "B", "C"}, {0, 1, 2}, {"A", "B", "C"}, {0, 1, 2});
    panel.State.SelectedOutput = panel.State.SelectedInput = selected;
    const ScopedValue busy(panel.State.SelectorsBusy, true);
    panel.View.cmdoutSel.SetValue(selected);
    panel.View.cmdInSel.SetValue(selected);
  }
};

// Connected once the socket says so; the link is up once the server says so, and the first link
// up asks for everything, once.
TEST_F(ConnectionTest, ConnectedOnceTheSocketSaysSoRefusalIsReportedAndStaleLinkUpIgnored) {
  ConnectToSwitcher(panel);
  EXPECT_EQ(socket.ConnectedHost + ":" + std::to_string(socket.ConnectedPort), "10.1.2.3:1250");
  EXPECT_EQ(panel.View.Caption, kCaptionNotConnected);
  socket.IsConnected = true;
  OnConnect(panel);
  EXPECT_EQ(panel.View.Caption, kCaptionConnected);
  EXPECT_EQ(panel.View.mnuConnect.Caption, "&Disconnect");
  EXPECT_FALSE(panel.State.LinkState);
  ProcessSingleByte(panel, 244);
  ProcessSingleByte(panel, 244);
  EXPECT_EQ(socket.Written,
            std::vector<Bytes>{Bytes({242, 0, 39, 1, 0, 0, 0, 0, 0, 0, 0, 40, 255})});
  EXPECT_EQ(panel.View.StatusPanel1, "Switcher Link (OK) ");
  DisconnectFromSwitcher(panel);
  socket.ConnectResult = 10049;
  ConnectToSwitcher(panel);
  EXPECT_EQ(socket.CloseCalls, 2);
  ASSERT_EQ(ui.Messages.size(), 1u);
  EXPECT_EQ(ui.Messages[0].Text + "|" + ui.Messages[0].Title,
            "Unable to connect to remote host|Tolen DaziVedur");
  SetLinkStatus(panel, true);  // a 244 still buffered when the connection dropped
  EXPECT_FALSE(panel.State.LinkState);
  ExpectClosedTexts();
}

TEST_F(ConnectionTest, LinkDownShowsNoSystemEverywhereButKeepsTheConnection) {
  Connect();
  LoadThreeChannels(2);
  panel.State.LinkState = true;
  ProcessSingleByte(panel, 241);
  const SwitcherState& s = panel.State;
  EXPECT_EQ(s.SelectedOutput + s.SelectedInput, 0);
  for (const auto* alphas : {&s.Inputs().Alphas(), &s.Outputs().Alphas()})
    EXPECT_EQ(*alphas, std::vector<std::string>{"NoSystem"});
  EXPECT_EQ(panel.View.StatusPanel1, "Switcher Link (NC) ");
  for (const DisplayBox* box :
       {&panel.View.txtInputDisp, &panel.View.txtOutputDisp, &panel.View.txtPresetDisp})
    EXPECT_EQ(box->Text, "NoSystem");
  EXPECT_EQ(panel.View.txtPresetDisp.Color, 7);
  // The spinners follow the selection and cannot leave the one remaining entry.
  for (const UpDown* spinner : {&panel.View.cmdoutSel, &panel.View.cmdInSel})
    EXPECT_EQ(spinner->Value() + spinner->Max(), 0);
  EXPECT_FALSE(s.SelectorsBusy);
  EXPECT_TRUE(s.SocketConnected);
  EXPECT_EQ(panel.View.SelectorEpoch, 1);  // a find list still open closes
}

TEST_F(ConnectionTest, EveryDisconnectionResetsTheLinkAndClosesAnOpenPrompt) {
  for (auto* disconnect : {DisconnectFromSwitcher, OnClose, mnuConnect_Click}) {
    Connect();
    SwitcherState& s = panel.State;
    s.LinkState = s.InitialDataShown = s.PasswordPromptOpen = true;
    s.InfoPending = 0;
    s.PollMisses = 5;
    const int closes = socket.CloseCalls, promptCloses = ui.PasswordPromptCloses;
    disconnect(panel);
    EXPECT_EQ(socket.CloseCalls, closes + 1);
    EXPECT_EQ(ui.PasswordPromptCloses, promptCloses + 1);
    EXPECT_FALSE(s.SocketConnected || s.LinkState || s.InitialDataShown);
    EXPECT_EQ(s.InfoPending, kInfoEverything);
    EXPECT_EQ(s.PollMisses, 0);
    ExpectClosedTexts();
  }
  mnuConnect_Click(panel);  // not connected now: connects
  EXPECT_EQ(socket.ConnectCalls, 4);
}

TEST_F(ConnectionTest, SilentServerIsDroppedAfterAllowedMissesPlusOnePolls) {
  for (int allowed : {0, 2, 30}) {
    socket.Written.clear();
    panel.Settings.IPAllowedMisses = allowed;
    Connect();
    panel.State.InfoPending = 0;
    panel.State.InitialDataShown = true;
    for (int tick = 1; tick <= allowed + 1; ++tick) PollTick(panel);
    EXPECT_EQ(socket.Written, std::vector<Bytes>(allowed + 1, kPoll)) << allowed;
    EXPECT_TRUE(panel.State.SocketConnected);
    PollTick(panel);
    EXPECT_EQ(socket.Written.size(), static_cast<size_t>(allowed + 1));
    EXPECT_FALSE(panel.State.SocketConnected);
  }
}

TEST_F(ConnectionTest, PendingInformationIsAskedAgainEveryTwentySecondTick) {
  Connect();
  panel.State.InfoPending = kInfoInhibitMap;
  const Bytes askInhibitMap{242, 0, 32, 0, 0, 0, 0, 0, 0, 0, 0, 32, 255};
  for (int tick = 1; tick <= 66; ++tick) {
    PollTick(panel);
    ProcessSingleByte(panel, 241);  // answered: the switcher is down
    EXPECT_EQ(std::count(socket.Written.begin(), socket.Written.end(), askInhibitMap), tick / 22);
    EXPECT_EQ(socket.Written.back(), kPoll);
  }
}

// Once everything has arrived, a hidden selection moves one step on (wrapping); only once.
TEST_F(ConnectionTest, FirstDisplayStepsSpinnersOffHiddenChannelsOnce) {
  struct Case {
    std::string displayList;
    int selected, expected;
  };
  for (const Case& c : {Case{"111", 1, 1}, {"011", 0, 1}, {"110", 2, 0}, {"11", 2, 0}}) {
    for (bool outputs : {true, false}) {
      SCOPED_TRACE(c.displayList + (outputs ? " outputs" : " inputs"));
      Connect();
      LoadThreeChannels(c.selected);
      panel.Settings.OutputDisplayList = outputs ? c.displayList : "111";
      panel.Settings.InputDisplayList = outputs ? "111" : c.displayList;
      const UpDown& spinner = outputs ? panel.View.cmdoutSel : panel.View.cmdInSel;
      panel.State.InfoPending = kInfoSalvos;
      PollTick(panel);
      EXPECT_EQ(spinner.Value(), c.selected) << "waits for everything";
      panel.State.InfoPending = 0;
      PollTick(panel);
      EXPECT_EQ(spinner.Value(), c.expected);
      LoadThreeChannels(c.selected);
      PollTick(panel);
      EXPECT_EQ(spinner.Value(), c.selected) << "only once";
      DisconnectFromSwitcher(panel);
    }
  }
}

}  // namespace
}  // namespace dazi
