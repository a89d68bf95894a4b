#include "link_file/FileModel.h"

#include <algorithm>
#include <cstddef>

#include "core/Panel.h"
#include "core/Selection.h"

namespace dazi {

namespace {

template <typename T>
const T* At(const std::vector<T>& list, int index) {
  if (index < 0 || static_cast<size_t>(index) >= list.size()) return nullptr;
  return &list[static_cast<size_t>(index)];
}

void KeepInside(int& selected, int count) {
  if (selected < 0 || selected >= count) selected = 0;
}

}  // namespace

void ApplyAlphaFile(Panel& panel, AlphaFile file) {
  SwitcherState& s = panel.State;
  const int oldInputs = s.InputCount;
  const int oldOutputs = s.OutputCount;
  const auto received = static_cast<int16_t>(file.InputAlpha.size());
  s.SwitcherType = file.SwitcherType;
  s.InputAlpha = std::move(file.InputAlpha);
  s.InputChannelAt = std::move(file.InputChannelAt);
  s.OutputAlpha = std::move(file.OutputAlpha);
  s.OutputChannelAt = std::move(file.OutputChannelAt);
  // The off source comes after the inputs the file names, on a channel of its own.
  const bool offSource = file.Counted && file.SwitcherType == kOffSourceSwitcherType;
  if (offSource) {
    s.InputAlpha.push_back(kOffSource);
    s.InputChannelAt.push_back(received);
  }
  s.InputCount = static_cast<int>(s.InputAlpha.size());
  s.OutputCount = static_cast<int>(s.OutputAlpha.size());
  s.InputPositionOf.assign(static_cast<size_t>(s.InputCount), 0);
  if (offSource) s.InputPositionOf[static_cast<size_t>(received)] = received;

  if (s.InputCount != oldInputs || s.OutputCount != oldOutputs) {
    s.CrosspointMap.resize(static_cast<size_t>(s.OutputCount));
    s.Inhibit.Recreate(s.OutputCount + 1, s.InputCount + 1);
    s.CrosspointSerial = -1;
    s.InhibitFileStamp.clear();
  }
  KeepInside(s.SelectedInput, s.InputCount);
  KeepInside(s.SelectedOutput, s.OutputCount);
  WhileSelectorsBusy(panel, [&] {
    panel.View.cmdInSel.SetMax(s.InputCount - 1);
    panel.View.cmdoutSel.SetMax(s.OutputCount - 1);
  });
  PutSpinnersOnTheSelection(panel);
}

void PutSpinnersOnTheSelection(Panel& panel) {
  WhileSelectorsBusy(panel, [&] {
    panel.View.cmdInSel.SetValue(panel.State.SelectedInput);
    panel.View.cmdoutSel.SetValue(panel.State.SelectedOutput);
  });
}

void StoreCrosspoints(std::vector<OutputRoute>& table, const CrosspointFile& file, int inputCount) {
  const size_t records = std::min(table.size(), file.Sources.size());
  for (size_t o = 0; o < records; ++o) {
    OutputRoute& route = table[o];
    const std::vector<int16_t>& sources = file.Sources[o];
    if (!file.Counted) {
      route.Source[0] = sources.at(0);
      continue;
    }
    route.EntryCount = static_cast<uint8_t>(sources.size());
    if (sources.empty())
      route.Source[0] = static_cast<int16_t>(inputCount - 1);
    else
      std::copy(sources.begin(), sources.end(), route.Source.begin());
  }
}

void RebuildInputPositions(SwitcherState& state) {
  state.InputPositionOf.assign(static_cast<size_t>(std::max(state.InputCount, 0)), 0);
  const int positions = std::min(state.InputCount, static_cast<int>(state.InputChannelAt.size()));
  for (int p = 0; p < positions; ++p) {
    const int channel = state.InputChannelAt[static_cast<size_t>(p)];
    if (channel >= 0 && channel < state.InputCount)
      state.InputPositionOf[static_cast<size_t>(channel)] = static_cast<int16_t>(p);
  }
}

bool ShowNoChannels(Panel& panel) {
  const SwitcherState& s = panel.State;
  if (s.InputCount > 0 && s.OutputCount > 0) return false;
  for (DisplayBox* box :
       {&panel.View.txtInputDisp, &panel.View.txtPresetDisp, &panel.View.txtOutputDisp})
    box->Text = kNoSystem;
  return true;
}

void ShowRoutedSourceFromFiles(Panel& panel) {
  const SwitcherState& s = panel.State;
  const int16_t* output = At(s.OutputChannelAt, s.SelectedOutput);
  const OutputRoute* route = output ? At(s.CrosspointMap, *output) : nullptr;
  if (!route) return;
  const auto end = s.InputChannelAt.begin() +
                   std::clamp<std::ptrdiff_t>(s.InputCount, 0, std::ssize(s.InputChannelAt));
  const auto found = std::find(s.InputChannelAt.begin(), end, route->Source[0]);
  if (found == end) return;
  if (const std::string* alpha =
          At(s.InputAlpha, static_cast<int>(found - s.InputChannelAt.begin())))
    panel.View.txtInputDisp = {*alpha, s.ActiveColor};
}

}  // namespace dazi
