// One operator step on a full-size list where every channel but one is hidden: the search must
// go once round the list and come back to where it started.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/NullPorts.h"
#include "model/Panel.h"
#include "model/ScopedValue.h"
#include "model/SelectorSteps.h"

namespace {

using namespace dazi;

constexpr int kEntries = 16383;
constexpr int kShownChannel = 8191;

// Both lists hold kEntries channels in reverse order; only kShownChannel is in the display lists.
void LoadHiddenRouter(Panel& panel) {
  InitVariables(panel);
  SwitcherState& s = panel.State;
  std::vector<int16_t> channels(kEntries);
  for (int p = 0; p < kEntries; ++p) channels[p] = static_cast<int16_t>(kEntries - 1 - p);
  s.ReplaceInputs(std::vector<std::string>(kEntries, "SRC"), channels);
  s.ReplaceOutputs(std::vector<std::string>(kEntries, "DST"), channels);
  s.ReplaceRoutes(kEntries);
  s.RecreateInhibits();
  panel.Settings.InputDisplayList.assign(kEntries, '0');
  panel.Settings.OutputDisplayList.assign(kEntries, '0');
  panel.Settings.InputDisplayList[kShownChannel] = '1';
  panel.Settings.OutputDisplayList[kShownChannel] = '1';

  const int shownPosition = *s.Outputs().PositionOf(kShownChannel);
  s.SelectedOutput = s.SelectedInput = shownPosition;
  {
    const ScopedValue busy(s.SelectorsBusy, true);
    panel.View.cmdoutSel.SetMax(kEntries - 1);
    panel.View.cmdoutSel.SetValue(shownPosition);
    panel.View.cmdInSel.SetMax(kEntries - 1);
    panel.View.cmdInSel.SetValue(shownPosition);
  }
  panel.View.txtOutputDisp.Text = "DST";
  panel.View.txtInputDisp.Text = "SRC";
}

void BM_StepPastSkipped_AllButOneHidden(benchmark::State& state) {
  const int start = kEntries / 2;
  int64_t visits = 0;
  for (auto _ : state) {
    const auto rest = StepPastSkipped(start, start + 1, kEntries - 1, [&](int p) {
      ++visits;
      return p != start;
    });
    benchmark::DoNotOptimize(rest);
  }
  state.counters["visits_per_step"] =
      benchmark::Counter(static_cast<double>(visits), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_StepPastSkipped_AllButOneHidden)->Unit(benchmark::kMicrosecond);

template <bool kSource>
void BM_OperatorStep_AllButOneHidden(benchmark::State& state) {
  QuietUi ui;
  IdleSocket socket;
  Panel panel(ui, socket);
  LoadHiddenRouter(panel);
  UpDown& spinner = kSource ? panel.View.cmdInSel : panel.View.cmdoutSel;
  const int start = spinner.Value();
  for (auto _ : state) {
    spinner.StepUp();  // round the whole list and back to the one shown channel
    if (spinner.Value() != start) state.SkipWithError("the step did not come back to its start");
  }
}
BENCHMARK(BM_OperatorStep_AllButOneHidden<false>)
    ->Name("BM_DestinationStep_AllButOneHidden")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OperatorStep_AllButOneHidden<true>)
    ->Name("BM_SourceStep_AllButOneHidden")
    ->Unit(benchmark::kMicrosecond);

}  // namespace
