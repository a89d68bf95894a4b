#include "model/Selection.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "model/Panel.h"
#include "model/ScopedValue.h"
#include "model/SelectorSteps.h"

namespace dazi {

namespace {

int LastPosition(const ChannelTable& table) {
  return table.size() - 1;
}

bool IsReserved(const std::string& alpha) {
  return !alpha.empty() && alpha.front() == '{';
}

// Character channel+1 of a display list; a list too short to hold it hides the channel.
bool ShownByDisplayList(const std::string& list, int channel) {
  return channel >= 0 && static_cast<std::size_t>(channel) < list.size() &&
         list[static_cast<std::size_t>(channel)] == '1';
}

}  // namespace

bool OutputSkipped(const Panel& panel, int position) {
  const SwitcherState& s = panel.State;
  const std::string* alpha = s.Outputs().Alpha(position);
  const int16_t* channel = s.Outputs().ChannelAt(position);
  if (!alpha || !channel || IsReserved(*alpha)) return true;
  return !ShownByDisplayList(panel.Settings.OutputDisplayList, *channel);
}

bool InputSkipped(const Panel& panel, int outputChannel, int position) {
  const SwitcherState& s = panel.State;
  const std::string* alpha = s.Inputs().Alpha(position);
  const int16_t* channel = s.Inputs().ChannelAt(position);
  if (!alpha || !channel || IsReserved(*alpha)) return true;
  if (panel.Settings.HideInhibits && s.Inhibit().Get(outputChannel, *channel) == 1) return true;
  return !ShownByDisplayList(panel.Settings.InputDisplayList, *channel);
}

std::string KeyText(int value) {
  std::string digits = std::to_string(value + 1);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  return "Key " + digits;
}

namespace {

// Moves `selected` on past skipped positions (back to `old` when all are skipped) and puts the
// spinner on it without re-entering the change event.
void SettleOnSelectable(Panel& panel, UpDown& spinner, int& selected, int old, int last,
                        const std::function<bool(int)>& skipped) {
  selected = StepPastSkipped(old, selected, last, skipped).value_or(old);
  const ScopedValue busy(panel.State.SelectorsBusy, true);
  spinner.SetValue(selected);
}

// The routed source (or tied output) of the chosen destination. Anything the lists cannot name
// -- a tie seen before the output names arrived, a channel outside the tables -- leaves the
// displays as they are.
void ShowRoutedSource(Panel& panel, bool updatePreset) {
  SwitcherState& s = panel.State;
  MainView& view = panel.View;
  const OutputRoute* route = s.ChosenRoute();
  if (!route) return;

  if (route->EntryCount > 0 && route->TieCount == route->EntryCount) {
    const int16_t* position = s.Outputs().PositionOf(route->TieOutput[0]);
    const std::string* alpha = position ? s.Outputs().Alpha(*position) : nullptr;
    if (alpha) view.txtInputDisp.Text = *alpha;
    return;  // a tie has no source to preset
  }

  // The off source and the no-entries marker sit on the last position, which has no inverse.
  const int source = route->Source[0];
  int position = source;
  if (source < s.InputCount() - 1) {
    const int16_t* found = s.Inputs().PositionOf(source);
    if (!found) return;
    position = *found;
  }
  const std::string* alpha = s.Inputs().Alpha(position);
  if (!alpha) return;
  view.txtInputDisp.Text = *alpha;
  if (updatePreset) {
    view.txtPresetDisp.Text = *alpha;
    s.SelectedInput = position;
    view.cmdInSel.SetValue(position);
  }
}

}  // namespace

void cmdoutSel_Change(Panel& panel) {
  SwitcherState& s = panel.State;
  MainView& view = panel.View;
  if (s.SelectorsBusy) return;
  if (view.txtOutputDisp.Text == kNoSystem) return;
  const int old = s.SelectedOutput;
  s.SelectedOutput = view.cmdoutSel.Value();
  if (s.SelectedOutput == old) return;

  SettleOnSelectable(panel, view.cmdoutSel, s.SelectedOutput, old, LastPosition(s.Outputs()),
                     [&panel](int p) { return OutputSkipped(panel, p); });

  view.txtOutputDisp.Color = s.ActiveColor;
  if (const std::string* alpha = s.Outputs().Alpha(s.SelectedOutput)) {
    view.txtOutputDisp.Text = *alpha;
  }
  DisplayCurrentInput(panel, false);
}

void cmdInSel_Change(Panel& panel) {
  SwitcherState& s = panel.State;
  MainView& view = panel.View;
  if (s.SelectorsBusy) return;
  if (view.txtInputDisp.Text == kNoSystem) return;
  const int old = s.SelectedInput;
  s.SelectedInput = view.cmdInSel.Value();
  if (s.SelectedInput == old) return;

  if (s.KeyEntryMode) {
    view.txtPresetDisp.Text = KeyText(view.cmdInSel.Value());
    return;
  }
  if (s.SalvoMode) {
    if (s.SalvoCount() == 0) return;
    if (const std::string* name = s.Salvos().Alpha(s.SelectedInput)) {
      view.txtPresetDisp.Text = *name;
    }
    return;
  }

  const int outputChannel = s.SelectedOutputChannel();
  SettleOnSelectable(
      panel, view.cmdInSel, s.SelectedInput, old, LastPosition(s.Inputs()),
      [&panel, outputChannel](int p) { return InputSkipped(panel, outputChannel, p); });

  view.txtPresetDisp.Color = s.PresetColor;
  if (const std::string* alpha = s.Inputs().Alpha(s.SelectedInput)) {
    view.txtPresetDisp.Text = *alpha;
  }
}

void DisplayCurrentInput(Panel& panel, bool updatePreset) {
  SwitcherState& s = panel.State;
  MainView& view = panel.View;
  if (s.SalvoMode) return;
  if (view.txtInputDisp.Text == kNoSystem) return;

  const ScopedValue busy(s.SelectorsBusy, true);
  view.cmdInSel.SetMax(s.InputCount() - 1);
  // A smaller maximum may have pulled the spinner down; the selection follows it.
  if (s.SelectedInput > view.cmdInSel.Max()) s.SelectedInput = view.cmdInSel.Value();
  ShowRoutedSource(panel, updatePreset);
}

int FirstSelectableOutput(const Panel& panel) {
  return FirstSelectable(LastPosition(panel.State.Outputs()),
                         [&panel](int p) { return OutputSkipped(panel, p); })
      .value_or(0);
}

int FirstSelectableInput(const Panel& panel) {
  const int outputChannel = panel.State.SelectedOutputChannel();
  return FirstSelectable(
             LastPosition(panel.State.Inputs()),
             [&panel, outputChannel](int p) { return InputSkipped(panel, outputChannel, p); })
      .value_or(0);
}

void ParkSelectors(Panel& panel) {
  const ScopedValue busy(panel.State.SelectorsBusy, true);
  for (UpDown* spinner : {&panel.View.cmdoutSel, &panel.View.cmdInSel}) {
    spinner->SetMax(0);
    spinner->SetValue(0);
  }
}

void EndSalvoMode(Panel& panel) {
  panel.State.SalvoMode = false;
  panel.State.KeyEntryMode = false;
  panel.State.PendingSalvo = kNoSalvoPending;
  panel.View.mnuSalvoMode.Caption = "Salvo &Mode";
}

bool HasSwitcherData(const SwitcherState& s) {
  const std::string* first = s.Inputs().Alpha(0);
  return first && *first != kNoSystem;
}

void DisplayFirstSalvo(Panel& panel) {
  SwitcherState& s = panel.State;
  MainView& view = panel.View;
  if (!s.SalvoMode) return;
  const ScopedValue busy(s.SelectorsBusy, true);
  view.cmdInSel.SetMax(s.Salvos().Listed() - 1);
  view.txtInputDisp.Text = kSalvoModeText;
  const std::string* first = s.Salvos().Alpha(0);
  view.txtPresetDisp.Text = first ? *first : kNoSalvos;
  s.SelectedInput = 0;
  view.cmdInSel.SetValue(0);
}

}  // namespace dazi
