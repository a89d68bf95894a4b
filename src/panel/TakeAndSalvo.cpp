#include "panel/TakeAndSalvo.h"

#include <algorithm>
#include <cstddef>
#include <exception>
#include <string>
#include <vector>

#include "link_file/NetworkFiles.h"
#include "link_tcp/Outbound.h"
#include "model/Panel.h"
#include "model/ScopedValue.h"
#include "model/Selection.h"

namespace dazi {

namespace {

constexpr int kLastKeyValue = 254;  // keys 1..255
constexpr const char* kExecuted = "Executed";
constexpr const char* kFailed = "Failed";
constexpr const char* kFirstKeyText = "Key 001";

// Ends a salvo Take: shows its result for the second before the timer returns the panel to
// crosspoint mode.
void FinishSalvoTake(Panel& panel, bool executed) {
  panel.View.txtPresetDisp.Text = executed ? kExecuted : kFailed;
  panel.State.PendingSalvo = kNoSalvoPending;
  panel.View.tmrSalvoMsg.Enabled = true;
}

void TakeWithKey(Panel& panel) {
  SwitcherState& s = panel.State;
  const int entered = panel.View.cmdInSel.Value() + 1;
  const int16_t* key = s.SalvoKey(s.PendingSalvo);
  const bool keyMatches = key && entered == *key;
  const bool executed = keyMatches && SendSalvoExecute(panel, s.PendingSalvo);
  s.KeyEntryMode = false;
  ++panel.View.SelectorEpoch;
  FinishSalvoTake(panel, executed);
}

void StartKeyEntry(Panel& panel) {
  SwitcherState& s = panel.State;
  MainView& view = panel.View;
  s.KeyEntryMode = true;
  ++view.SelectorEpoch;
  if (const std::string* name = s.Salvos().Alpha(s.SelectedInput)) view.txtInputDisp.Text = *name;
  view.txtPresetDisp.Text = kFirstKeyText;
  view.cmdInSel.SetMax(kLastKeyValue);
  view.cmdInSel.SetValue(0);
  s.SelectedInput = 0;
}

void TakeSalvo(Panel& panel) {
  SwitcherState& s = panel.State;
  if (s.SalvoCount() == 0) {
    mnuSalvoMode_Click(panel);
    return;
  }
  // A position or salvo number the salvo tables do not hold fails the Take; nothing is sent.
  const int16_t* number = s.Salvos().ChannelAt(s.SelectedInput);
  if (!number) {
    FinishSalvoTake(panel, false);
    return;
  }
  s.PendingSalvo = *number;
  const int16_t* key = s.SalvoKey(s.PendingSalvo);
  if (!key) {
    FinishSalvoTake(panel, false);
    return;
  }

  if (*key == 0) {
    FinishSalvoTake(panel, SendSalvoExecute(panel, s.PendingSalvo));
    return;
  }
  StartKeyEntry(panel);
}

void TakeCrosspoint(Panel& panel) {
  const SwitcherState& s = panel.State;
  const int16_t* input = s.Inputs().ChannelAt(s.SelectedInput);
  const int16_t* output = s.Outputs().ChannelAt(s.SelectedOutput);
  if (!input || !output)
    return LogFailure(panel.Log, "Take ignored", "the selection names no channel");

  if (panel.Settings.LinkMode == TCPIPMode) {
    SendCrosspointChange(panel, *output, *input);  // the displays follow the server's report
    return;
  }
  if (panel.Settings.ServerPath.empty()) return;
  if (!WriteCommandFile(panel, *input, *output)) {
    panel.Ui.MessageBox("Error Writing Comamnd File!", "bCommand Error", MsgIcon::Critical,
                        MsgButtons::Ok);
  }
}

// Leaving salvo mode, the preset must name a source again even where the routed source cannot
// be preset (a tied destination): otherwise it would still read a salvo or "Executed" while
// Take routed whatever source the salvo position happened to point at.
void PresetSelectedSource(Panel& panel) {
  SwitcherState& s = panel.State;
  MainView& view = panel.View;
  const ScopedValue busy(s.SelectorsBusy, true);
  view.cmdInSel.SetMax(s.InputCount() - 1);
  s.SelectedInput = std::clamp(s.SelectedInput, 0, view.cmdInSel.Max());
  view.cmdInSel.SetValue(s.SelectedInput);
  if (const std::string* alpha = s.Inputs().Alpha(s.SelectedInput))
    view.txtPresetDisp = {*alpha, s.PresetColor};
}

}  // namespace

void cmdTake_Click(Panel& panel) {
  // Without switcher data the positions name no real channels or salvos, and a key compared
  // against a parked spinner means nothing: Take does nothing in any mode.
  const MainView& view = panel.View;
  for (const DisplayBox* box : {&view.txtInputDisp, &view.txtOutputDisp, &view.txtPresetDisp}) {
    if (box->Text == kNoSystem) return;
  }
  try {
    if (panel.State.KeyEntryMode) {
      TakeWithKey(panel);
    } else if (panel.State.SalvoMode) {
      TakeSalvo(panel);
    } else {
      TakeCrosspoint(panel);
    }
  } catch (const std::exception& error) {
    // The click ends, keeping what it had already done.
    LogFailure(panel.Log, "Error Processing Take", error.what());
  }
}

void mnuSalvoMode_Click(Panel& panel) {
  SwitcherState& s = panel.State;
  MainView& view = panel.View;
  ++view.SelectorEpoch;
  if (!s.SalvoMode) {
    s.SalvoMode = true;
    view.mnuSalvoMode.Caption = "Crosspoint &Mode";
    DisplayFirstSalvo(panel);
    return;
  }
  EndSalvoMode(panel);
  if (!HasSwitcherData(s)) {
    // Back to what crosspoint mode shows without switcher data.
    view.txtInputDisp = {kNoSystem, s.ActiveColor};
    view.txtPresetDisp = {kNoSystem, s.PresetColor};
    s.SelectedInput = 0;
    const ScopedValue busy(s.SelectorsBusy, true);
    view.cmdInSel.SetMax(0);
    view.cmdInSel.SetValue(0);
    return;
  }
  PresetSelectedSource(panel);
  DisplayCurrentInput(panel, true);
}

void tmrSalvoMsg_Timer(Panel& panel) {
  panel.View.tmrSalvoMsg.Enabled = false;
  // Only ever back to crosspoint mode: the operator may have left salvo mode already.
  if (panel.State.SalvoMode) mnuSalvoMode_Click(panel);
}

}  // namespace dazi
