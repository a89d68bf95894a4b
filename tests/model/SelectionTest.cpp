#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "model/Selection.h"
#include "model/SelectorSteps.h"
#include "model/SmallRouter.h"
#include "support/PanelFixture.h"

namespace dazi {
namespace {

using testing::LoadRouter;
using testing::Route;

// Skipped positions as digits; -1: nothing selectable. Then: only the start selectable (one
// cycle back to it), all skipped, an empty list, and a spinner maximum beyond the list.
TEST(StepPastSkipped, MovesOnInTheOperatorsDirectionWrappingAtBothEnds) {
  const struct {
    int old, now, last;
    std::string skipped;
    int rest;
  } cases[] = {
      {0, 1, 4, "", 1},  {0, 1, 4, "12", 3},   {3, 2, 4, "2", 1},      {1, 0, 4, "0", 4},
      {3, 4, 4, "4", 0}, {4, 0, 4, "01", 2},   {0, 4, 4, "34", 2},     {0, 1, 2, "1", 2},
      {0, 1, 1, "1", 0}, {2, 3, 4, "0134", 2}, {1, 2, 4, "01234", -1}, {0, 1, -1, "", -1},
      {0, 9, 4, "", 4},  {8, 9, 4, "0", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.old << " -> " << c.now << " of 0.." << c.last);
    const auto skipped = [&](int p) { return c.skipped.find(char('0' + p)) != std::string::npos; };
    EXPECT_EQ(StepPastSkipped(c.old, c.now, c.last, skipped).value_or(-1), c.rest);
  }
}

// Four sources and four destinations, positions sorted away from channels: position p holds
// channel {2, 0, 3, 1}[p]. The operator takes one step from position 0.
TEST(Selectors, SkipReservedInhibitedAndUnlistedChannels) {
  struct Case {
    const char* name;
    bool source, up;
    std::function<void(Panel&)> setUp;
    int rest;
  };
  const Case cases[] = {
      {"reserved destination", false, true,
       [](Panel& p) {
         p.State.ReplaceOutputs({"W", "{B", "Y", "Z"}, {2, 0, 3, 1});
       },
       2},
      {"destination list by channel", false, true,
       [](Panel& p) { p.Settings.OutputDisplayList = "0111"; }, 2},
      {"short destination list, wrap down", false, false,
       [](Panel& p) { p.Settings.OutputDisplayList = "1"; }, 1},
      {"every destination hidden", false, true,
       [](Panel& p) { p.Settings.OutputDisplayList = "0000"; }, 0},
      {"reserved source", true, true,
       [](Panel& p) {
         p.State.ReplaceInputs({"A", "{B", "C", "D"}, {2, 0, 3, 1});
       },
       2},
      {"two sources unlisted", true, true, [](Panel& p) { p.Settings.InputDisplayList = "0110"; },
       3},
      {"down from the first source", true, false, [](Panel&) {}, 3},
      {"inhibited and hidden", true, true, [](Panel& p) { testing::Inhibit(p, 2, 0); }, 2},
      {"inhibited but shown", true, true,
       [](Panel& p) {
         testing::Inhibit(p, 2, 0);
         p.Settings.HideInhibits = false;
       },
       1},
      {"inhibited for another destination", true, true, [](Panel& p) { testing::Inhibit(p, 0, 0); },
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::PanelFixture f;
    LoadRouter(f.panel, {"A", "B", "C", "D"}, {2, 0, 3, 1}, {"W", "X", "Y", "Z"}, {2, 0, 3, 1});
    c.setUp(f.panel);
    UpDown& spinner = c.source ? f.panel.View.cmdInSel : f.panel.View.cmdoutSel;
    c.up ? spinner.StepUp() : spinner.StepDown();
    const SwitcherState& s = f.panel.State;
    EXPECT_EQ(c.source ? s.SelectedInput : s.SelectedOutput, c.rest);
    EXPECT_EQ(spinner.Value(), c.rest);
    EXPECT_EQ((c.source ? f.panel.View.txtPresetDisp : f.panel.View.txtOutputDisp).Text,
              (c.source ? s.Inputs().Alphas() : s.Outputs().Alphas())[c.rest]);
    EXPECT_FALSE(s.SelectorsBusy);
  }
}

TEST(Selectors, StayPutWithoutDataAndSurviveListsShrunkUnderTheirMaximum) {
  testing::PanelFixture f;
  SwitcherState& s = f.panel.State;
  MainView& v = f.panel.View;
  LoadRouter(f.panel, {"A", "B", "C"}, {0, 1, 2}, {"W", "X", "Y"}, {0, 1, 2});
  v.txtInputDisp.Text = v.txtOutputDisp.Text = "NoSystem";
  v.cmdInSel.StepUp();
  v.cmdoutSel.StepUp();
  EXPECT_EQ(s.SelectedInput + s.SelectedOutput, 0);
  EXPECT_EQ(v.txtPresetDisp.Text, "A");

  // Data again, but the lists shrank to one entry while the spinners kept their maximum of 2.
  v.txtInputDisp.Text = v.txtOutputDisp.Text = "";
  s.ReplaceOutputs({"W"}, {0});
  s.ReplaceInputs({"A"}, {0});
  v.cmdoutSel.StepUp();
  v.cmdInSel.StepDown();
  EXPECT_EQ(
      std::make_tuple(s.SelectedOutput, v.cmdoutSel.Value(), s.SelectedInput, v.cmdInSel.Value()),
      std::make_tuple(0, 0, 0, 0));
}

TEST(DisplayCurrentInput, PresetsTheRoutedSourceThroughItsPositionWhateverTheRules) {
  testing::PanelFixture f;
  SwitcherState& s = f.panel.State;
  MainView& v = f.panel.View;
  // Type 1301: two received inputs plus the off source.
  LoadRouter(f.panel, {"A", "B", "- OFF -"}, {1, 0, 2}, {"W", "X", "Y"}, {0, 1, 2});
  s.ReplaceInputs({"A", "B"}, {1, 0});
  s.AddOffSource(2);
  f.panel.Settings.InputDisplayList = "000";
  Route(f.panel, 0, 0);           // channel 0 sits at position 1
  Route(f.panel, 1, 2);           // the off source
  s.StoreSources(2, nullptr, 0);  // no entries: InputCount-1
  const std::pair<const char*, int> routed[] = {{"B", 1}, {"- OFF -", 2}, {"- OFF -", 2}};
  for (int output = 0; output < 3; ++output) {
    s.SelectedOutput = output;
    DisplayCurrentInput(f.panel, true);
    const auto [name, position] = routed[output];
    EXPECT_EQ(std::tie(v.txtInputDisp.Text, v.txtPresetDisp.Text), std::make_tuple(name, name));
    EXPECT_EQ(std::make_tuple(s.SelectedInput, v.cmdInSel.Value()),
              std::make_tuple(position, position));
  }
  s.SelectedOutput = 0;
  DisplayCurrentInput(f.panel, false);
  EXPECT_EQ(std::tie(v.txtInputDisp.Text, v.txtPresetDisp.Text), std::make_tuple("B", "- OFF -"));
}

TEST(DisplayCurrentInput, TiedDestinationShowsTheOutputAndLeavesThePreset) {
  testing::PanelFixture f;
  LoadRouter(f.panel, {"A", "B"}, {0, 1}, {"W", "X", "Y"}, {0, 2, 1});
  f.panel.State.StoreEntries(0, 0, {{.Tie = true, .A = 1}, {.Tie = true, .A = 0}}, false);
  f.panel.View.cmdInSel.StepUp();
  DisplayCurrentInput(f.panel, true);
  EXPECT_EQ(std::tie(f.panel.View.txtInputDisp.Text, f.panel.View.txtPresetDisp.Text),
            std::make_tuple("Y", "B"));
  EXPECT_EQ(f.panel.State.SelectedInput, 1);
}

TEST(DisplayCurrentInput, LeavesTheDisplaysWhenNothingCanBeNamed) {
  const std::pair<const char*, std::function<void(SwitcherState&)>> cases[] = {
      {"salvo mode", [](SwitcherState& s) { s.SalvoMode = true; }},
      {"tie to an output without a position",
       [](SwitcherState& s) { s.StoreEntries(0, 0, {{.Tie = true, .A = 77}}, false); }},
      {"negative source", [](SwitcherState& s) { s.ApplyRoute(0, -5); }},
      {"source past the inputs", [](SwitcherState& s) { s.ApplyRoute(0, 9000); }},
      {"output channel past the map", [](SwitcherState& s) { s.ReplaceOutputs({"W"}, {77}); }},
  };
  for (const auto& [name, spoil] : cases) {
    SCOPED_TRACE(name);
    testing::PanelFixture f;
    LoadRouter(f.panel, {"A", "B", "C"}, {0, 1, 2}, {"W"}, {0});
    Route(f.panel, 0, 1);
    f.panel.View.txtInputDisp.Text = "before";
    spoil(f.panel.State);
    DisplayCurrentInput(f.panel, true);
    EXPECT_EQ(std::tie(f.panel.View.txtInputDisp.Text, f.panel.View.txtPresetDisp.Text),
              std::make_tuple("before", "A"));
    EXPECT_FALSE(f.panel.State.SelectorsBusy);
  }
}

}  // namespace
}  // namespace dazi
