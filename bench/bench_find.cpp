// One more typed character in the source find list of a full-size studio router, where every
// seventh source is outside the display list, every fifth is inhibited for the chosen
// destination (and inhibits are hidden) and every hundredth name is reserved.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "model/FindByName.h"
#include "model/NullPorts.h"
#include "model/Panel.h"

namespace {

using namespace dazi;

std::string StudioName(int channel) {
  static const char* const kKinds[] = {"CAM", "VTR", "GFX", "SAT", "LINE"};
  char name[16];
  std::snprintf(name, sizeof name, "%s %04d", kKinds[channel % 5], channel / 5 + 1);
  return channel % 100 == 99 ? "{" + std::string(name) : name;
}

void LoadStudio(Panel& panel, int count) {
  InitVariables(panel);
  SwitcherState& s = panel.State;
  std::vector<std::string> names(count);
  std::vector<int16_t> channels(count);
  for (int p = 0; p < count; ++p) {
    names[p] = StudioName(p);
    channels[p] = static_cast<int16_t>(p);
  }
  s.ReplaceInputs(std::move(names), channels);
  s.ReplaceOutputs(std::vector<std::string>(count, "MON"), channels);
  s.ReplaceRoutes(count);
  s.RecreateInhibits();
  panel.Settings.HideInhibits = true;
  panel.Settings.InputDisplayList.assign(count, '1');
  panel.Settings.OutputDisplayList.assign(count, '1');
  for (int channel = 0; channel < count; ++channel) {
    if (channel % 7 == 3) panel.Settings.InputDisplayList[channel] = '0';
    if (channel % 5 == 2) s.StoreInhibitRun(0, channel, channel + 1, 1);
  }
  panel.View.cmdoutSel.SetMax(count - 1);
  panel.View.cmdInSel.SetMax(count - 1);
  panel.View.txtOutputDisp.Text = "MON";
  panel.View.txtInputDisp.Text = panel.View.txtPresetDisp.Text = *s.Inputs().Alpha(0);
}

// The operator has typed "cam 0" and now types "1": matching names begin "CAM 01" or hold it.
void BM_FindKeystroke(benchmark::State& state) {
  QuietUi ui;
  IdleSocket socket;
  Panel panel(ui, socket);
  LoadStudio(panel, static_cast<int>(state.range(0)));
  std::size_t found = 0;
  for (auto _ : state) {
    const std::vector<int> values = FindByName(panel, FindSide::Preset, "cam 01");
    found = values.size();
    benchmark::DoNotOptimize(values.data());
  }
  state.counters["found"] = static_cast<double>(found);
}
BENCHMARK(BM_FindKeystroke)->Arg(16383)->Unit(benchmark::kMicrosecond);

}  // namespace
