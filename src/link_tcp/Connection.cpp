#include "link_tcp/Connection.h"

#include <string>
#include <vector>

#include "link_tcp/Commands.h"
#include "link_tcp/Outbound.h"
#include "model/Panel.h"
#include "model/Selection.h"

namespace dazi {

namespace {

constexpr const char* kMenuConnect = "&Connect";
constexpr const char* kMenuDisconnect = "&Disconnect";
constexpr const char* kUnableToConnect = "Unable to connect to remote host";

// Ticks a pending information request waits before it is asked again: the retry goes out on the
// tick after this many.
constexpr int kInfoRetryAfterTicks = 20;

// Whether the channel at a selector position is shown by a display list. A list shorter than
// the channel hides it; a position the channel table does not hold hides nothing, so the caller
// leaves that spinner alone.
bool HiddenByDisplayList(const std::string& displayList, const ChannelTable& table, int position) {
  const int16_t* at = table.ChannelAt(position);
  if (!at) return false;
  const int channel = *at;
  if (channel < 0 || channel >= static_cast<int>(displayList.size())) return true;
  return displayList[channel] != '1';
}

// Once all requested information is in, a selection left on a channel the display lists hide
// moves on; each spinner's change handling steps past further hidden channels.
void ShowInitialData(Panel& panel) {
  const SwitcherState& s = panel.State;
  if (HiddenByDisplayList(panel.Settings.OutputDisplayList, s.Outputs(), s.SelectedOutput))
    panel.View.cmdoutSel.StepUp();
  if (HiddenByDisplayList(panel.Settings.InputDisplayList, s.Inputs(), s.SelectedInput))
    panel.View.cmdInSel.StepUp();
}

void ShowLinkDown(Panel& panel) {
  SwitcherState& s = panel.State;
  MainView& view = panel.View;
  // A salvo or key chosen from data the switcher no longer vouches for must not be taken later:
  // the panel returns to crosspoint mode, and the result of a salvo Take is not waited for.
  if (s.SalvoMode) {
    EndSalvoMode(panel);
    view.tmrSalvoMsg.Enabled = false;
  }
  ++view.SelectorEpoch;
  s.LinkDown();
  view.StatusPanel1 = kStatusLinkNc;
  view.txtInputDisp = {kNoSystem, s.ActiveColor};
  view.txtPresetDisp = {kNoSystem, s.PresetColor};
  view.txtOutputDisp = {kNoSystem, s.ActiveColor};

  // The spinners follow the selection, and may not reach positions the lists no longer hold.
  ParkSelectors(panel);
}

std::string ServerAddress(const Panel& panel) {
  return panel.Settings.IPAddress + ":" + std::to_string(panel.Settings.TCPIPPort);
}

}  // namespace

void ConnectToSwitcher(Panel& panel) {
  // Without a server address the attempt fails at once, as it always did where 0.0.0.0 could
  // not be connected to; here the system would connect it to this computer.
  if (!HasServerAddress(panel.Settings)) {
    if (panel.Log) panel.Log->Event("no server address to connect to");
  } else {
    if (panel.Log) panel.Log->Event("connecting to " + ServerAddress(panel));
    if (panel.Socket.Connect(panel.Settings.IPAddress, panel.Settings.TCPIPPort) == 0) return;
    if (panel.Log) panel.Log->Event("the connection could not be started");
  }
  panel.Socket.Close();
  panel.Ui.MessageBox(kUnableToConnect, kAppTitle, MsgIcon::None, MsgButtons::Ok);
}

void DisconnectFromSwitcher(Panel& panel) {
  SwitcherState& s = panel.State;
  panel.Socket.Close();
  s.SocketConnected = false;
  s.InfoPending = kInfoEverything;
  s.InitialDataShown = false;
  s.PollMisses = 0;
  SetLinkStatus(panel, false);
  panel.View.mnuConnect.Caption = kMenuConnect;
  panel.View.Caption = kCaptionNotConnected;
  if (s.PasswordPromptOpen) panel.Ui.ClosePasswordPrompt();
}

void SetLinkStatus(Panel& panel, bool linkUp) {
  panel.State.LinkState = linkUp;
  if (!linkUp) {
    ShowLinkDown(panel);
    return;
  }
  SendInfoRequest(panel, kInfoEverything);
  // The request finds the socket closed when a stale answer is handled after a disconnection;
  // the disconnection has then taken the link down, and the status must not claim otherwise.
  if (panel.State.LinkState) panel.View.StatusPanel1 = kStatusLinkOk;
}

void OnConnect(Panel& panel) {
  if (panel.Log) panel.Log->Event("connected to " + ServerAddress(panel));
  panel.State.SocketConnected = true;
  panel.View.mnuConnect.Caption = kMenuDisconnect;
  panel.State.PollMisses = 0;
  panel.View.Caption = kCaptionConnected;
}

void OnClose(Panel& panel) {
  if (panel.Log)
    panel.Log->Event(panel.State.SocketConnected ? "closed by the server"
                                                 : "connection to " + ServerAddress(panel) +
                                                       " failed (refused or unreachable)");
  DisconnectFromSwitcher(panel);
}

void PollTick(Panel& panel) {
  SwitcherState& s = panel.State;
  if (s.InfoPending > 0) {
    if (s.InfoRetryTicks > kInfoRetryAfterTicks) {
      SendInfoRequest(panel, s.InfoPending);
      s.InfoRetryTicks = 0;
    } else {
      ++s.InfoRetryTicks;
    }
  } else if (!s.InitialDataShown) {
    s.InitialDataShown = true;
    ShowInitialData(panel);
  }

  if (s.PollMisses > panel.Settings.IPAllowedMisses) {
    if (panel.Log && s.SocketConnected)
      panel.Log->Event("disconnecting: " + std::to_string(s.PollMisses) +
                       " polls unanswered (allowed " +
                       std::to_string(panel.Settings.IPAllowedMisses) + ")");
    DisconnectFromSwitcher(panel);
    s.PollMisses = 0;
    return;
  }
  ++s.PollMisses;
  if (s.SocketConnected) SendToSwitcher(panel, {protocol::kPoll});
}

void mnuConnect_Click(Panel& panel) {
  if (panel.State.SocketConnected) {
    if (panel.Log) panel.Log->Event("disconnecting: Disconnect chosen from the menu");
    DisconnectFromSwitcher(panel);
  } else {
    ConnectToSwitcher(panel);
  }
}

}  // namespace dazi
