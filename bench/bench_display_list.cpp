// The display-list editor's routines on the largest router: 16383 channels. Opening fills both
// lists, Add All copies every channel across (each checked for a duplicate key), OK turns the
// list back into flags, Remove takes out every other channel.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "model/NullPorts.h"
#include "model/Panel.h"
#include "panel/DisplayListForm.h"

namespace {

using namespace dazi;

constexpr int kChannels = 16383;

struct Editor {
  Editor() {
    InitVariables(panel);
    panel.State.ReplaceInputs(std::vector<std::string>(kChannels), {});
    panel.State.DisplayListTarget = kInputListTarget;
    panel.Settings.InputDisplayList.assign(kChannels, '1');
  }
  QuietUi ui;
  IdleSocket socket;
  Panel panel{ui, socket};
  DisplayListForm form;
};

void BM_OpenWithEveryChannelListed(benchmark::State& state) {
  Editor e;
  for (auto _ : state) {
    DisplayListForm_Activate(e.panel, e.form);
    benchmark::DoNotOptimize(e.form.lvList.Count());
  }
}
BENCHMARK(BM_OpenWithEveryChannelListed)->Unit(benchmark::kMillisecond);

void BM_AddAllToAnEmptyList(benchmark::State& state) {
  Editor e;
  e.panel.Settings.InputDisplayList.assign(kChannels, '0');
  DisplayListForm_Activate(e.panel, e.form);
  for (auto _ : state) {
    DisplayListForm_cmdRemoveAll_Click(e.panel, e.form);
    DisplayListForm_cmdAddAll_Click(e.panel, e.form);
    benchmark::DoNotOptimize(e.form.lvList.Count());
  }
}
BENCHMARK(BM_AddAllToAnEmptyList)->Unit(benchmark::kMillisecond);

void BM_OkWithEveryChannel(benchmark::State& state) {
  Editor e;
  DisplayListForm_Activate(e.panel, e.form);
  for (auto _ : state) {
    DisplayListForm_cmdOk_Click(e.panel, e.form);
    benchmark::DoNotOptimize(e.panel.Settings.InputDisplayList.data());
  }
}
BENCHMARK(BM_OkWithEveryChannel)->Unit(benchmark::kMillisecond);

void BM_RemoveEveryOtherChannel(benchmark::State& state) {
  Editor e;
  for (auto _ : state) {
    state.PauseTiming();
    DisplayListForm_Activate(e.panel, e.form);
    for (size_t i = 0; i < e.form.lvList.Count(); i += 2) e.form.lvList.Items()[i].Selected = true;
    state.ResumeTiming();
    DisplayListForm_cmdRemove_Click(e.panel, e.form);
  }
}
BENCHMARK(BM_RemoveEveryOtherChannel)->Unit(benchmark::kMillisecond);

}  // namespace
