#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "link_tcp/Connection.h"
#include "model/SmallRouter.h"
#include "panel/TakeAndSalvo.h"
#include "support/PanelFixture.h"

namespace dazi {
namespace {

using Bytes = std::vector<uint8_t>;
using Sent = std::vector<Bytes>;

// A connected TCP/IP panel; positions sorted away from channels so a swapped lookup shows.
// Destination position 1 is output channel 2, routed from input channel 0 ("B"); the preset is
// position 2, input channel 1 ("C"). Salvo positions name salvo numbers {3, 0, 1}; keys by number.
struct TakeFixture : testing::PanelFixture {
  explicit TakeFixture(bool salvos = true) {
    testing::LoadRouter(panel, {"A", "B", "C"}, {2, 0, 1}, {"W", "X", "Y"}, {1, 2, 0});
    testing::Route(panel, 2, 0);
    panel.Settings.LinkMode = TCPIPMode;
    socket.IsConnected = true;
    panel.View.cmdoutSel.StepUp();
    panel.View.cmdInSel.StepDown();
    if (!salvos) return;
    panel.State.ReplaceSalvoKeys({0, 5, 0, 0});
    panel.State.ReplaceSalvos({"ALL BARS", "NEWS", "SPORT"}, {3, 0, 1});
  }
  void Step(int steps) {  // the source spinner; negative steps go down
    for (; steps > 0; --steps) panel.View.cmdInSel.StepUp();
    for (; steps < 0; ++steps) panel.View.cmdInSel.StepDown();
  }
  void TakeSalvoAt(int position) {
    mnuSalvoMode_Click(panel);
    Step(position);
    cmdTake_Click(panel);
  }
  std::tuple<std::string, std::string> Shown() const {
    return {panel.View.txtInputDisp.Text, panel.View.txtPresetDisp.Text};
  }
  const std::string& Preset() const { return panel.View.txtPresetDisp.Text; }
};

using Texts = std::tuple<std::string, std::string>;
const Bytes kCrosspointChange = {254, 4, 8, 1, 0, 2, 0, 15, 255};  // output 2, input 1

TEST(CrosspointTake, SendsTheChannelsOnlyWithSwitcherDataAndInsideTheTables) {
  for (int spoil = 0; spoil < 5; ++spoil) {
    TakeFixture f;
    if (spoil == 1) f.panel.View.txtInputDisp.Text = "NoSystem";
    if (spoil == 2) f.panel.View.txtOutputDisp.Text = "NoSystem";
    if (spoil == 3) f.panel.View.txtPresetDisp.Text = "NoSystem";
    if (spoil == 4) f.panel.State.SelectedInput = 3;
    cmdTake_Click(f.panel);
    EXPECT_EQ(f.socket.Written, spoil ? Sent{} : Sent{kCrosspointChange}) << spoil;
    if (!spoil) {
      EXPECT_EQ(f.Shown(), Texts("B", "C"));  // the displays follow the report
    }
  }
}

// Leaving salvo mode through the menu, also from key entry, sends nothing and presets the routed
// source again.
TEST(SalvoMode, MenuEntersOnTheFirstSalvoAndLeavesWithTheRoutedSourcePreset) {
  for (bool keyEntry : {false, true}) {
    SCOPED_TRACE(keyEntry);
    TakeFixture f;
    mnuSalvoMode_Click(f.panel);
    EXPECT_EQ(f.panel.View.mnuSalvoMode.Caption, "Crosspoint &Mode");
    EXPECT_EQ(f.Shown(), Texts("Salvo Mode", "ALL BARS"));
    EXPECT_EQ(f.panel.View.cmdInSel.Max(), 2);
    f.Step(-1);
    EXPECT_EQ(f.Preset(), "SPORT");
    if (keyEntry) {
      cmdTake_Click(f.panel);  // SPORT has a key
      EXPECT_EQ(f.Shown(), Texts("SPORT", "Key 001"));
      EXPECT_EQ(f.panel.View.cmdInSel.Max(), 254);
      EXPECT_FALSE(f.panel.View.tmrSalvoMsg.Enabled);
      f.Step(4);
    }
    mnuSalvoMode_Click(f.panel);
    EXPECT_FALSE(f.panel.State.SalvoMode || f.panel.State.KeyEntryMode);
    EXPECT_EQ(f.panel.View.mnuSalvoMode.Caption, "Salvo &Mode");
    EXPECT_EQ(f.Shown(), Texts("B", "B"));
    EXPECT_EQ(std::make_tuple(f.panel.State.SelectedInput, f.panel.View.cmdInSel.Value(),
                              f.panel.View.cmdInSel.Max(), f.panel.State.PendingSalvo),
              std::make_tuple(1, 1, 2, 16383));
    EXPECT_TRUE(f.socket.Written.empty());
  }
}

TEST(SalvoMode, WithoutSalvoInformationShowsNoSalvosAndTakeLeaves) {
  TakeFixture f(false);
  mnuSalvoMode_Click(f.panel);
  EXPECT_EQ(f.Preset(), "No Salvos");
  EXPECT_EQ(f.panel.View.cmdInSel.Max(), 0);
  cmdTake_Click(f.panel);
  EXPECT_FALSE(f.panel.State.SalvoMode);
  EXPECT_TRUE(f.socket.Written.empty());
}

TEST(SalvoMode, TakeWithoutKeyExecutesThenTheTimerOnlyEverReturnsToCrosspointMode) {
  for (bool operatorLeavesFirst : {false, true}) {
    SCOPED_TRACE(operatorLeavesFirst);
    TakeFixture f;
    f.TakeSalvoAt(0);  // salvo number 3
    EXPECT_EQ(f.socket.Written, (Sent{{234, 100, 3, 0, 103, 255}}));
    EXPECT_EQ(f.Preset(), "Executed");
    EXPECT_EQ(f.panel.State.PendingSalvo, 16383);
    EXPECT_TRUE(f.panel.View.tmrSalvoMsg.Enabled);
    if (operatorLeavesFirst) mnuSalvoMode_Click(f.panel);  // within the second
    tmrSalvoMsg_Timer(f.panel);
    EXPECT_FALSE(f.panel.View.tmrSalvoMsg.Enabled);
    EXPECT_FALSE(f.panel.State.SalvoMode);
    EXPECT_EQ(f.Preset(), "B");
    cmdTake_Click(f.panel);  // a crosspoint Take, not a second salvo
    EXPECT_EQ(f.socket.Written.back().at(0), 254);
  }
}

TEST(SalvoMode, TakeFailsWhenTheExecuteCannotBeSentOrTheSalvoTablesDoNotMatch) {
  const struct {
    int position;
    std::vector<int16_t> numbers;
    bool sendable = true;
  } cases[] = {{0, {3, 0, 1}, false}, {0, {9, 0, 1}}, {0, {-2, 0, 1}}};
  for (const auto& c : cases) {
    TakeFixture f;
    f.socket.AcceptWrites = c.sendable;
    f.panel.State.ReplaceSalvos({"ALL BARS", "NEWS", "SPORT"}, c.numbers);
    f.TakeSalvoAt(c.position);
    EXPECT_EQ(f.Preset(), "Failed");
    EXPECT_FALSE(f.panel.State.KeyEntryMode);
    EXPECT_TRUE(f.socket.Written.empty());
  }
}

// A salvo or key chosen before the switcher link went down is never taken: the panel is back in
// crosspoint mode, reading NoSystem, and stays so through the menu until data returns.
TEST(SalvoMode, TheLinkGoingDownEndsItAndNothingIsTakenUntilDataReturns) {
  for (int stage : {0, 1, 2}) {  // salvo mode, key entry, the second after a salvo Take
    SCOPED_TRACE(stage);
    TakeFixture f;
    mnuSalvoMode_Click(f.panel);
    if (stage == 1) f.Step(2);
    if (stage > 0) cmdTake_Click(f.panel);
    f.socket.Written.clear();
    SetLinkStatus(f.panel, false);
    EXPECT_FALSE(f.panel.State.SalvoMode || f.panel.State.KeyEntryMode ||
                 f.panel.View.tmrSalvoMsg.Enabled);
    EXPECT_EQ(f.Shown(), Texts("NoSystem", "NoSystem"));
    cmdTake_Click(f.panel);
    mnuSalvoMode_Click(f.panel);
    cmdTake_Click(f.panel);
    mnuSalvoMode_Click(f.panel);
    EXPECT_EQ(f.Shown(), Texts("NoSystem", "NoSystem"));
    EXPECT_TRUE(f.socket.Written.empty());
  }
}

// Salvo "SPORT" is salvo number 1 with key 5; key entry starts on "Key 001". Spoilt: 1, the
// execute cannot be sent; 2, new salvo information arrived during key entry.
TEST(KeyEntry, ExecutesOnlyWhenTheShownKeyIsTheSalvosKeyAndCanBeSent) {
  const struct {
    int steps;
    const char* shown;
    bool executes;
    int spoilt = 0;
  } cases[] = {{4, "Key 005", true},    {3, "Key 004", false},  {5, "Key 006", false},
               {0, "Key 001", false},   {-1, "Key 255", false}, {4, "Key 005", false, 1},
               {4, "Key 005", false, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.shown << " spoilt " << c.spoilt);
    TakeFixture f;
    f.TakeSalvoAt(2);
    f.Step(c.steps);
    EXPECT_EQ(f.Preset(), c.shown);
    f.socket.AcceptWrites = c.spoilt != 1;
    if (c.spoilt == 2) f.panel.State.ReplaceSalvoKeys({0});  // salvo 1 has no key now
    cmdTake_Click(f.panel);
    EXPECT_EQ(f.Preset(), c.executes ? "Executed" : "Failed");
    EXPECT_EQ(f.socket.Written, (c.executes ? Sent{{234, 100, 1, 0, 101, 255}} : Sent{}));
    EXPECT_EQ(std::make_tuple(f.panel.State.KeyEntryMode, f.panel.State.PendingSalvo,
                              f.panel.View.tmrSalvoMsg.Enabled),
              std::make_tuple(false, 16383, true));
  }
}

TEST(KeyEntry, LeavingOnATiedDestinationPresetsWhatTakeWouldRoute) {
  TakeFixture f;
  // Output channel 0 sits at position 2.
  f.panel.State.StoreEntries(2, 0, {{.Tie = true, .A = 0}}, false);
  f.TakeSalvoAt(2);
  f.Step(2);
  mnuSalvoMode_Click(f.panel);
  EXPECT_EQ(f.Shown(), Texts("Y", "C"));
  cmdTake_Click(f.panel);
  EXPECT_EQ(f.socket.Written, Sent{kCrosspointChange});
}

}  // namespace
}  // namespace dazi
