#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/SmallRouter.h"
#include "core/TakeAndSalvo.h"
#include "support/PanelFixture.h"

namespace dazi {
namespace {

using Bytes = std::vector<uint8_t>;
using Sent = std::vector<Bytes>;

// A connected TCP/IP panel; positions sorted away from channels so a swapped lookup shows.
// Destination position 1 is output channel 2, routed from input channel 0 ("B"); the preset is
// position 2, input channel 1 ("C"). Salvo positions name salvo numbers {3, 0, 1}; keys by number.
struct TakeFixture : testing::PanelFixture {
  TakeFixture() {
    testing::LoadRouter(panel, {"A", "B", "C"}, {2, 0, 1}, {"W", "X", "Y"}, {1, 2, 0});
    testing::Route(panel, 2, 0);
    panel.Settings.LinkMode = TCPIPMode;
    socket.IsConnected = true;
    panel.View.cmdoutSel.StepUp();
    panel.View.cmdInSel.StepDown();
    panel.State.SalvoCount = 3;
    panel.State.SalvoName = {"ALL BARS", "NEWS", "SPORT"};
    panel.State.SalvoNumberAt = {3, 0, 1};
    panel.State.SalvoKey = {0, 5, 0, 0};
  }
  // Enters salvo mode, chooses the salvo at a position and takes it.
  void TakeSalvoAt(int position) {
    mnuSalvoMode_Click(panel);
    for (int k = 0; k < position; ++k) panel.View.cmdInSel.StepUp();
    cmdTake_Click(panel);
  }
};

const Bytes kCrosspointChange = {254, 4, 8, 1, 0, 2, 0, 15, 255};  // output 2, input 1

TEST(CrosspointTake, SendsTheChannelsAndLeavesTheDisplaysToTheReport) {
  TakeFixture f;
  cmdTake_Click(f.panel);
  EXPECT_EQ(f.socket.Written, Sent{kCrosspointChange});
  EXPECT_EQ(f.panel.View.txtInputDisp.Text, "B");
  EXPECT_EQ(f.panel.View.txtPresetDisp.Text, "C");
}

TEST(CrosspointTake, SendsNothingWithoutSwitcherDataOrOutsideTheTables) {
  for (int spoil = 0; spoil < 3; ++spoil) {
    TakeFixture f;
    if (spoil == 0) f.panel.View.txtInputDisp.Text = "NoSystem";
    if (spoil == 1) f.panel.View.txtOutputDisp.Text = "NoSystem";
    if (spoil == 2) f.panel.State.SelectedInput = 3;
    cmdTake_Click(f.panel);
    EXPECT_TRUE(f.socket.Written.empty()) << spoil;
  }
}

TEST(CrosspointTake, FileModeReportsACommandFileThatCannotBeWritten) {
  TakeFixture f;
  f.panel.Settings.LinkMode = FileMode;
  cmdTake_Click(f.panel);  // no server path: nothing, silently
  EXPECT_TRUE(f.ui.Messages.empty());
  f.panel.Settings.ServerPath = "/nonexistent/dazi-server/";
  cmdTake_Click(f.panel);
  ASSERT_EQ(f.ui.Messages.size(), 1u);
  EXPECT_EQ(f.ui.Messages[0].Text, "Error Writing Comamnd File!");
  EXPECT_EQ(f.ui.Messages[0].Title, "bCommand Error");
  EXPECT_EQ(f.ui.Messages[0].Icon, MsgIcon::Critical);
  EXPECT_TRUE(f.socket.Written.empty());
}

TEST(SalvoMode, MenuEntersOnTheFirstSalvoAndLeavesWithTheRoutedSourcePreset) {
  TakeFixture f;
  mnuSalvoMode_Click(f.panel);
  EXPECT_EQ(f.panel.View.mnuSalvoMode.Caption, "Crosspoint &Mode");
  EXPECT_EQ(f.panel.View.txtInputDisp.Text, "Salvo Mode");
  EXPECT_EQ(f.panel.View.txtPresetDisp.Text, "ALL BARS");
  EXPECT_EQ(f.panel.View.cmdInSel.Max(), 2);
  f.panel.View.cmdInSel.StepDown();
  EXPECT_EQ(f.panel.View.txtPresetDisp.Text, "SPORT");

  mnuSalvoMode_Click(f.panel);
  EXPECT_EQ(f.panel.View.mnuSalvoMode.Caption, "Salvo &Mode");
  EXPECT_EQ(f.panel.View.txtInputDisp.Text, "B");
  EXPECT_EQ(f.panel.View.txtPresetDisp.Text, "B");
  EXPECT_EQ(f.panel.State.SelectedInput, 1);
  EXPECT_EQ(f.panel.View.cmdInSel.Value(), 1);
}

TEST(SalvoMode, WithoutSalvoInformationShowsNoSalvosAndTakeLeaves) {
  TakeFixture f;
  f.panel.State.SalvoCount = 0;
  f.panel.State.SalvoName.clear();
  mnuSalvoMode_Click(f.panel);
  EXPECT_EQ(f.panel.View.txtPresetDisp.Text, "No Salvos");
  EXPECT_EQ(f.panel.View.cmdInSel.Max(), 0);
  cmdTake_Click(f.panel);
  EXPECT_FALSE(f.panel.State.SalvoMode);
  EXPECT_TRUE(f.socket.Written.empty());
}

TEST(SalvoMode, TakeWithoutKeyExecutesThenTheTimerReturnsToCrosspointMode) {
  TakeFixture f;
  f.TakeSalvoAt(0);  // salvo number 3
  EXPECT_EQ(f.socket.Written, (Sent{{234, 100, 3, 0, 103, 255}}));
  EXPECT_EQ(f.panel.View.txtPresetDisp.Text, "Executed");
  EXPECT_EQ(f.panel.State.PendingSalvo, 16383);
  EXPECT_TRUE(f.panel.View.tmrSalvoMsg.Enabled);
  tmrSalvoMsg_Timer(f.panel);
  EXPECT_FALSE(f.panel.View.tmrSalvoMsg.Enabled);
  EXPECT_FALSE(f.panel.State.SalvoMode);
  EXPECT_EQ(f.panel.View.txtPresetDisp.Text, "B");
}

TEST(SalvoMode, ExecuteThatCannotBeSentShowsFailed) {
  for (int position : {0, 2}) {  // without and with a key
    TakeFixture f;
    f.socket.AcceptWrites = false;
    f.TakeSalvoAt(position);
    if (position == 2) {
      for (int k = 0; k < 4; ++k) f.panel.View.cmdInSel.StepUp();
      cmdTake_Click(f.panel);
    }
    EXPECT_EQ(f.panel.View.txtPresetDisp.Text, "Failed") << position;
  }
}

TEST(SalvoMode, TimerNeverReturnsThePanelToSalvoMode) {
  TakeFixture f;
  f.TakeSalvoAt(0);
  mnuSalvoMode_Click(f.panel);  // the operator leaves within the second
  tmrSalvoMsg_Timer(f.panel);
  EXPECT_FALSE(f.panel.State.SalvoMode);
  EXPECT_EQ(f.panel.View.mnuSalvoMode.Caption, "Salvo &Mode");
  cmdTake_Click(f.panel);  // a crosspoint Take, not a second salvo
  EXPECT_EQ(f.socket.Written.back().at(0), 254);
}

TEST(SalvoMode, SalvoTablesThatDoNotMatchFailTheTake) {
  for (const std::vector<int16_t>& numbers :
       {std::vector<int16_t>{3}, std::vector<int16_t>{9, 0, 1}, std::vector<int16_t>{-2, 0, 1}}) {
    TakeFixture f;
    f.panel.State.SalvoNumberAt = numbers;
    f.TakeSalvoAt(numbers.size() == 1 ? 2 : 0);
    EXPECT_EQ(f.panel.View.txtPresetDisp.Text, "Failed");
    EXPECT_FALSE(f.panel.State.KeyEntryMode);
    EXPECT_TRUE(f.socket.Written.empty());
  }
}

TEST(KeyEntry, ExecutesOnlyWhenTheShownKeyIsTheSalvosKey) {
  struct Case {
    int steps;
    const char* shown;
    bool executes;
    bool keysReplaced = false;  // new salvo information arrived during key entry
  };
  for (const Case& c :
       {Case{4, "Key 005", true}, Case{3, "Key 004", false}, Case{5, "Key 006", false},
        Case{0, "Key 001", false}, Case{4, "Key 005", false, true}}) {
    SCOPED_TRACE(c.shown);
    TakeFixture f;
    f.TakeSalvoAt(2);  // "SPORT", salvo number 1, key 5
    EXPECT_TRUE(f.panel.State.KeyEntryMode);
    EXPECT_EQ(f.panel.View.txtInputDisp.Text, "SPORT");
    EXPECT_EQ(f.panel.View.cmdInSel.Max(), 254);
    EXPECT_FALSE(f.panel.View.tmrSalvoMsg.Enabled);
    for (int k = 0; k < c.steps; ++k) f.panel.View.cmdInSel.StepUp();
    EXPECT_EQ(f.panel.View.txtPresetDisp.Text, c.shown);
    if (c.keysReplaced) f.panel.State.SalvoKey.clear();
    cmdTake_Click(f.panel);
    EXPECT_EQ(f.panel.View.txtPresetDisp.Text, c.executes ? "Executed" : "Failed");
    EXPECT_EQ(f.socket.Written, (c.executes ? Sent{{234, 100, 1, 0, 101, 255}} : Sent{}));
    EXPECT_FALSE(f.panel.State.KeyEntryMode);
    EXPECT_EQ(f.panel.State.PendingSalvo, 16383);
    EXPECT_TRUE(f.panel.View.tmrSalvoMsg.Enabled);
  }
}

TEST(KeyEntry, MenuEndsItWithoutSendingAndPresetsTheRoutedSource) {
  TakeFixture f;
  f.TakeSalvoAt(2);
  for (int k = 0; k < 4; ++k) f.panel.View.cmdInSel.StepUp();
  mnuSalvoMode_Click(f.panel);
  EXPECT_FALSE(f.panel.State.KeyEntryMode);
  EXPECT_EQ(f.panel.State.PendingSalvo, 16383);
  EXPECT_EQ(f.panel.View.txtPresetDisp.Text, "B");
  EXPECT_EQ(f.panel.View.cmdInSel.Max(), 2);
  EXPECT_TRUE(f.socket.Written.empty());
}

TEST(KeyEntry, LeavingOnATiedDestinationPresetsWhatTakeWouldRoute) {
  TakeFixture f;
  OutputRoute& route = f.panel.State.CrosspointMap[2];
  route.TieCount = 1;
  route.TieOutput[0] = 0;  // output channel 0 sits at position 2
  f.TakeSalvoAt(2);
  for (int k = 0; k < 2; ++k) f.panel.View.cmdInSel.StepUp();
  mnuSalvoMode_Click(f.panel);
  EXPECT_EQ(f.panel.View.txtInputDisp.Text, "Y");
  EXPECT_EQ(f.panel.View.txtPresetDisp.Text, "C");
  cmdTake_Click(f.panel);
  EXPECT_EQ(f.socket.Written, Sent{kCrosspointChange});
}

}  // namespace
}  // namespace dazi
