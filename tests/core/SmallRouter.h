// A small router loaded into a panel by hand, as the link leaves it once the first data arrived.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Panel.h"

namespace dazi::testing {

inline std::vector<int16_t> Inverse(const std::vector<int16_t>& channelAt) {
  std::vector<int16_t> positionOf(channelAt.size());
  for (std::size_t p = 0; p < channelAt.size(); ++p) positionOf.at(channelAt[p]) = int16_t(p);
  return positionOf;
}

// Names in selector order; channels[p] is the channel at position p (a permutation of 0..n-1).
// Every output is routed from input channel 0, nothing is inhibited, the display lists show all.
inline void LoadRouter(Panel& panel, const std::vector<std::string>& inputs,
                       const std::vector<int16_t>& inputChannels,
                       const std::vector<std::string>& outputs,
                       const std::vector<int16_t>& outputChannels) {
  SwitcherState& s = panel.State;
  s.InputCount = static_cast<int>(inputs.size());
  s.OutputCount = static_cast<int>(outputs.size());
  s.InputAlpha = inputs;
  s.OutputAlpha = outputs;
  s.InputChannelAt = inputChannels;
  s.OutputChannelAt = outputChannels;
  s.InputPositionOf = Inverse(inputChannels);
  s.OutputPositionOf = Inverse(outputChannels);
  s.CrosspointMap.assign(outputs.size(), OutputRoute{});
  s.Inhibit.Recreate(s.OutputCount, s.InputCount);
  panel.Settings.InputDisplayList.assign(inputs.size(), '1');
  panel.Settings.OutputDisplayList.assign(outputs.size(), '1');
  s.SelectorsBusy = true;
  panel.View.cmdoutSel.SetMax(s.OutputCount - 1);
  panel.View.cmdInSel.SetMax(s.InputCount - 1);
  s.SelectorsBusy = false;
  panel.View.txtOutputDisp.Text = outputs.at(0);
  panel.View.txtInputDisp.Text = panel.View.txtPresetDisp.Text = inputs.at(0);
}

// As a take report would: output channel fed from input channel.
inline void Route(Panel& panel, int output, int input) {
  panel.State.CrosspointMap.at(output).EntryCount = 1;
  panel.State.CrosspointMap.at(output).Source[0] = static_cast<int16_t>(input);
}

}  // namespace dazi::testing
