#include "link_file/FileModel.h"

#include <algorithm>
#include <cstddef>

#include "model/Panel.h"
#include "model/ScopedValue.h"
#include "model/Selection.h"

namespace dazi {

namespace {

void KeepInside(int& selected, int count) {
  if (selected < 0 || selected >= count) selected = 0;
}

}  // namespace

void ApplyAlphaFile(Panel& panel, AlphaFile file) {
  SwitcherState& s = panel.State;
  const int oldInputs = s.InputCount();
  const int oldOutputs = s.OutputCount();
  const auto received = static_cast<int16_t>(file.InputAlpha.size());
  s.SwitcherType = file.SwitcherType;
  s.ReplaceInputs(std::move(file.InputAlpha), std::move(file.InputChannelAt));
  s.ReplaceOutputs(std::move(file.OutputAlpha), std::move(file.OutputChannelAt));
  // The off source comes after the inputs the file names, on a channel of its own.
  if (file.Counted && file.SwitcherType == kOffSourceSwitcherType) s.AddOffSource(received);

  if (s.InputCount() != oldInputs || s.OutputCount() != oldOutputs) {
    s.FitRoutes();
    s.RecreateInhibits();
    s.CrosspointSerial = -1;
    s.InhibitFileStamp.clear();
  }
  KeepInside(s.SelectedInput, s.InputCount());
  KeepInside(s.SelectedOutput, s.OutputCount());
  {
    const ScopedValue busy(s.SelectorsBusy, true);
    panel.View.cmdInSel.SetMax(s.InputCount() - 1);
    panel.View.cmdoutSel.SetMax(s.OutputCount() - 1);
  }
  PutSpinnersOnTheSelection(panel);
}

void PutSpinnersOnTheSelection(Panel& panel) {
  const ScopedValue busy(panel.State.SelectorsBusy, true);
  panel.View.cmdInSel.SetValue(panel.State.SelectedInput);
  panel.View.cmdoutSel.SetValue(panel.State.SelectedOutput);
}

void StoreCrosspoints(SwitcherState& state, const CrosspointFile& file) {
  const size_t records = std::min(state.CrosspointMap().size(), file.Sources.size());
  for (size_t o = 0; o < records; ++o) {
    const std::vector<int16_t>& sources = file.Sources[o];
    const int output = static_cast<int>(o);
    if (file.Counted)
      state.StoreSources(output, sources.data(), sources.size());
    else
      state.ApplyRoute(output, sources.at(0));
  }
}

bool ShowNoChannels(Panel& panel) {
  const SwitcherState& s = panel.State;
  if (s.InputCount() > 0 && s.OutputCount() > 0) return false;
  for (DisplayBox* box :
       {&panel.View.txtInputDisp, &panel.View.txtPresetDisp, &panel.View.txtOutputDisp})
    box->Text = kNoSystem;
  return true;
}

void ShowRoutedSourceFromFiles(Panel& panel) {
  const SwitcherState& s = panel.State;
  const OutputRoute* route = s.ChosenRoute();
  if (!route) return;
  if (const std::string* alpha = s.Inputs().Alpha(s.Inputs().FirstPositionOf(route->Source[0])))
    panel.View.txtInputDisp = {*alpha, s.ActiveColor};
}

}  // namespace dazi
