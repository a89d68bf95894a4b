// A small router loaded into a panel by hand, as the link leaves it once the first data arrived.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/Panel.h"
#include "model/ScopedValue.h"

namespace dazi::testing {

// Names in selector order; channels[p] is the channel at position p (a permutation of 0..n-1).
// Every output is routed from input channel 0, nothing is inhibited, the display lists show all.
inline void LoadRouter(Panel& panel, const std::vector<std::string>& inputs,
                       const std::vector<int16_t>& inputChannels,
                       const std::vector<std::string>& outputs,
                       const std::vector<int16_t>& outputChannels) {
  SwitcherState& s = panel.State;
  s.ReplaceInputs(inputs, inputChannels);
  s.ReplaceOutputs(outputs, outputChannels);
  s.ReplaceRoutes(outputs.size());
  s.RecreateInhibits();
  panel.Settings.InputDisplayList.assign(inputs.size(), '1');
  panel.Settings.OutputDisplayList.assign(outputs.size(), '1');
  const ScopedValue busy(s.SelectorsBusy, true);
  panel.View.cmdoutSel.SetMax(s.OutputCount() - 1);
  panel.View.cmdInSel.SetMax(s.InputCount() - 1);
  panel.View.txtOutputDisp.Text = outputs.at(0);
  panel.View.txtInputDisp.Text = panel.View.txtPresetDisp.Text = inputs.at(0);
}

// As a take report would: output channel fed from input channel.
inline void Route(Panel& panel, int output, int input) {
  const auto source = static_cast<int16_t>(input);
  panel.State.StoreSources(output, &source, 1);
}

// As an inhibit map would: input channel inhibited for output channel.
inline void Inhibit(Panel& panel, int output, int input) {
  panel.State.StoreInhibitRun(output, input, input + 1, 1);
}

}  // namespace dazi::testing
