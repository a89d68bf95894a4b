#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/Selection.h"
#include "core/SelectorSteps.h"
#include "core/SmallRouter.h"
#include "support/PanelFixture.h"

namespace dazi {
namespace {

using testing::LoadRouter;
using testing::Route;

TEST(StepPastSkipped, MovesOnInTheOperatorsDirectionWrappingAtBothEnds) {
  struct Case {
    int old, now, last;
    std::set<int> skipped;
    std::optional<int> rest;
  };
  const Case cases[] = {
      {0, 1, 4, {}, 1},
      {0, 1, 4, {1, 2}, 3},
      {3, 2, 4, {2}, 1},
      {1, 0, 4, {0}, 4},
      {3, 4, 4, {4}, 0},
      {4, 0, 4, {0, 1}, 2},
      {0, 4, 4, {4, 3}, 2},
      {0, 1, 2, {1}, 2},
      {0, 1, 1, {1}, 0},
      {2, 3, 4, {0, 1, 3, 4}, 2},  // only the start is selectable: one cycle back to it
      {1, 2, 4, {0, 1, 2, 3, 4}, std::nullopt},
      {0, 1, -1, {}, std::nullopt},  // empty list
      {0, 9, 4, {}, 4},              // spinner maximum beyond the list, wrapping down
      {8, 9, 4, {0}, 1},             // ... and going up
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.old << " -> " << c.now << " of 0.." << c.last);
    EXPECT_EQ(StepPastSkipped(c.old, c.now, c.last, [&](int p) { return c.skipped.count(p) > 0; }),
              c.rest);
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
      {"reserved destination", false, true, [](Panel& p) { p.State.OutputAlpha[1] = "{B"; }, 2},
      {"destination list by channel", false, true,
       [](Panel& p) { p.Settings.OutputDisplayList = "0111"; }, 2},
      {"short destination list, wrap down", false, false,
       [](Panel& p) { p.Settings.OutputDisplayList = "1"; }, 1},
      {"every destination hidden", false, true,
       [](Panel& p) { p.Settings.OutputDisplayList = "0000"; }, 0},
      {"reserved source", true, true, [](Panel& p) { p.State.InputAlpha[1] = "{B"; }, 2},
      {"two sources unlisted", true, true, [](Panel& p) { p.Settings.InputDisplayList = "0110"; },
       3},
      {"down from the first source", true, false, [](Panel&) {}, 3},
      {"inhibited and hidden", true, true, [](Panel& p) { p.State.Inhibit.Set(2, 0, 1); }, 2},
      {"inhibited but shown", true, true,
       [](Panel& p) {
         p.State.Inhibit.Set(2, 0, 1);
         p.Settings.HideInhibits = false;
       },
       1},
      {"inhibited for another destination", true, true,
       [](Panel& p) { p.State.Inhibit.Set(0, 0, 1); }, 1},
      {"only the start selectable", true, true,
       [](Panel& p) {
         p.State.InputAlpha = {"A", "{B", "{C", "{D"};
       },
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::PanelFixture f;
    LoadRouter(f.panel, {"A", "B", "C", "D"}, {2, 0, 3, 1}, {"W", "X", "Y", "Z"}, {2, 0, 3, 1});
    c.setUp(f.panel);
    UpDown& spinner = c.source ? f.panel.View.cmdInSel : f.panel.View.cmdoutSel;
    c.up ? spinner.StepUp() : spinner.StepDown();
    const int selected = c.source ? f.panel.State.SelectedInput : f.panel.State.SelectedOutput;
    EXPECT_EQ(selected, c.rest);
    EXPECT_EQ(spinner.Value(), c.rest);
    const DisplayBox& shown = c.source ? f.panel.View.txtPresetDisp : f.panel.View.txtOutputDisp;
    EXPECT_EQ(shown.Text,
              (c.source ? f.panel.State.InputAlpha : f.panel.State.OutputAlpha)[c.rest]);
    EXPECT_FALSE(f.panel.State.SelectorsBusy);
  }
}

TEST(Selectors, StayPutWithoutDataAndSurviveListsShrunkUnderTheirMaximum) {
  testing::PanelFixture f;
  LoadRouter(f.panel, {"A", "B", "C"}, {0, 1, 2}, {"W", "X", "Y"}, {0, 1, 2});
  f.panel.View.txtInputDisp.Text = f.panel.View.txtOutputDisp.Text = "NoSystem";
  f.panel.View.cmdInSel.StepUp();
  f.panel.View.cmdoutSel.StepUp();
  EXPECT_EQ(f.panel.State.SelectedInput + f.panel.State.SelectedOutput, 0);
  EXPECT_EQ(f.panel.View.txtPresetDisp.Text, "A");

  // Data again, but the lists shrank to one entry while the spinners kept their maximum of 2.
  f.panel.View.txtInputDisp.Text = f.panel.View.txtOutputDisp.Text = "";
  f.panel.State.OutputAlpha = {"W"};
  f.panel.State.InputAlpha = {"A"};
  f.panel.View.cmdoutSel.StepUp();
  f.panel.View.cmdInSel.StepDown();
  EXPECT_EQ(f.panel.State.SelectedOutput, 0);
  EXPECT_EQ(f.panel.View.cmdoutSel.Value(), 0);
  EXPECT_EQ(f.panel.State.SelectedInput, 0);
  EXPECT_EQ(f.panel.View.cmdInSel.Value(), 0);
}

TEST(DisplayCurrentInput, PresetsTheRoutedSourceThroughItsPositionWhateverTheRules) {
  testing::PanelFixture f;
  // Type 1301: two received inputs plus the off source, which has no inverse entry.
  LoadRouter(f.panel, {"A", "B", "- OFF -"}, {1, 0, 2}, {"W", "X", "Y"}, {0, 1, 2});
  f.panel.State.InputPositionOf.resize(2);
  f.panel.Settings.InputDisplayList = "000";
  Route(f.panel, 0, 0);                          // channel 0 sits at position 1
  Route(f.panel, 1, 2);                          // the off source
  f.panel.State.CrosspointMap[2].Source[0] = 2;  // no entries: InputCount-1
  const char* routed[] = {"B", "- OFF -", "- OFF -"};
  const int position[] = {1, 2, 2};
  for (int output = 0; output < 3; ++output) {
    f.panel.State.SelectedOutput = output;
    DisplayCurrentInput(f.panel, true);
    EXPECT_EQ(f.panel.View.txtInputDisp.Text, routed[output]);
    EXPECT_EQ(f.panel.View.txtPresetDisp.Text, routed[output]);
    EXPECT_EQ(f.panel.State.SelectedInput, position[output]);
    EXPECT_EQ(f.panel.View.cmdInSel.Value(), position[output]);
  }
  f.panel.State.SelectedOutput = 0;
  DisplayCurrentInput(f.panel, false);
  EXPECT_EQ(f.panel.View.txtInputDisp.Text, "B");
  EXPECT_EQ(f.panel.View.txtPresetDisp.Text, "- OFF -");
}

TEST(DisplayCurrentInput, TiedDestinationShowsTheOutputAndLeavesThePreset) {
  testing::PanelFixture f;
  LoadRouter(f.panel, {"A", "B"}, {0, 1}, {"W", "X", "Y"}, {0, 2, 1});
  OutputRoute& route = f.panel.State.CrosspointMap[0];
  route.EntryCount = route.TieCount = 2;
  route.TieOutput[0] = 1;
  f.panel.View.cmdInSel.StepUp();
  DisplayCurrentInput(f.panel, true);
  EXPECT_EQ(f.panel.View.txtInputDisp.Text, "Y");
  EXPECT_EQ(f.panel.View.txtPresetDisp.Text, "B");
  EXPECT_EQ(f.panel.State.SelectedInput, 1);
}

TEST(DisplayCurrentInput, LeavesTheDisplaysWhenNothingCanBeNamed) {
  const std::pair<const char*, std::function<void(SwitcherState&)>> cases[] = {
      {"salvo mode", [](SwitcherState& s) { s.SalvoMode = true; }},
      {"tie before output names",
       [](SwitcherState& s) {
         s.OutputPositionOf.clear();
         s.CrosspointMap[0].TieCount = 1;
       }},
      {"negative source", [](SwitcherState& s) { s.CrosspointMap[0].Source[0] = -5; }},
      {"source past the inputs", [](SwitcherState& s) { s.CrosspointMap[0].Source[0] = 9000; }},
      {"output channel past the map", [](SwitcherState& s) { s.OutputChannelAt[0] = 77; }},
      {"position past the alphas", [](SwitcherState& s) { s.InputPositionOf[1] = 12; }},
  };
  for (const auto& [name, spoil] : cases) {
    SCOPED_TRACE(name);
    testing::PanelFixture f;
    LoadRouter(f.panel, {"A", "B", "C"}, {0, 1, 2}, {"W"}, {0});
    Route(f.panel, 0, 1);
    f.panel.View.txtInputDisp.Text = "before";
    spoil(f.panel.State);
    DisplayCurrentInput(f.panel, true);
    EXPECT_EQ(f.panel.View.txtInputDisp.Text, "before");
    EXPECT_EQ(f.panel.View.txtPresetDisp.Text, "A");
    EXPECT_FALSE(f.panel.State.SelectorsBusy);
  }
}

}  // namespace
}  // namespace dazi
