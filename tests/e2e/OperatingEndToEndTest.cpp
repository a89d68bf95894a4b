// An operator at the panel, against the simulator: Take, salvos with and without a key, leaving
// salvo mode, and the password typed at the prompt.
#include <gtest/gtest.h>

#include "core/TakeAndSalvo.h"
#include "e2e/LivePanel.h"
#include "e2e/SimulatorProcess.h"
#include "link_tcp/PasswordPrompt.h"

namespace dazi::testing {

QString SmallRouter();  // defined with the link tests

namespace {

struct Operating : ::testing::Test {
  void SetUp() override { ASSERT_TRUE(live.ConnectAndLoad()) << sim.Log().toStdString(); }

  bool WaitForRoute(int output, int input) {
    return live.WaitFor(
        [&] { return live.panel.State.CrosspointMap.at(output).Source[0] == input; });
  }

  SimulatorProcess sim{{"--router", SmallRouter()}};
  LivePanel live{sim.Port()};
  MainView& view = live.panel.View;
};

TEST_F(Operating, StepsToADestinationPresetsASourceAndTakesIt) {
  view.cmdoutSel.StepUp();  // MON -> PGM
  EXPECT_EQ(view.txtOutputDisp.Text, "PGM");
  EXPECT_EQ(view.txtInputDisp.Text, "cam 1");

  view.cmdInSel.SetValue(0);
  view.cmdInSel.StepUp();
  view.cmdInSel.StepUp();  // Bars, cam 1, GFX
  ASSERT_EQ(view.txtPresetDisp.Text, "GFX  ");
  cmdTake_Click(live.panel);
  EXPECT_EQ(view.txtInputDisp.Text, "cam 1");  // nothing changes before the switcher confirms

  ASSERT_TRUE(live.WaitFor([&] { return view.txtInputDisp.Text == "GFX  "; }));
  EXPECT_EQ(live.panel.State.CrosspointMap.at(0).Source[0], 3);
  EXPECT_TRUE(sim.Log().contains("output 0 now takes input 3"));
}

TEST_F(Operating, HidesTheSourcesInhibitedForTheDestination) {
  view.cmdoutSel.StepDown();  // MON -> TX, which may not take Bars
  ASSERT_EQ(view.txtOutputDisp.Text, "TX ");
  view.cmdInSel.SetValue(3);
  view.cmdInSel.StepUp();  // wraps past Bars to cam 1
  EXPECT_EQ(view.txtPresetDisp.Text, "cam 1");
}

TEST_F(Operating, RunsASalvoWithoutAKeyAndReturnsToCrosspointMode) {
  mnuSalvoMode_Click(live.panel);
  EXPECT_EQ(view.txtInputDisp.Text, "Salvo Mode");
  EXPECT_EQ(view.txtPresetDisp.Text, "KEYED");
  EXPECT_EQ(view.mnuSalvoMode.Caption, "Crosspoint &Mode");

  view.cmdInSel.StepUp();
  ASSERT_EQ(view.txtPresetDisp.Text, "OPEN ");
  cmdTake_Click(live.panel);
  EXPECT_EQ(view.txtPresetDisp.Text, "Executed");
  EXPECT_TRUE(view.tmrSalvoMsg.Enabled);
  EXPECT_TRUE(WaitForRoute(0, 0));  // OPEN sets PGM to VTR 2

  tmrSalvoMsg_Timer(live.panel);
  EXPECT_EQ(view.mnuSalvoMode.Caption, "Salvo &Mode");
  EXPECT_EQ(view.txtInputDisp.Text, "Bars ");  // MON's routed source, also the preset now
  EXPECT_EQ(view.txtPresetDisp.Text, "Bars ");
}

// The right key is taken in the window's own end-to-end run.
TEST_F(Operating, AWrongKeyFailsAndSendsNothing) {
  mnuSalvoMode_Click(live.panel);
  cmdTake_Click(live.panel);  // KEYED asks for its key, 5
  EXPECT_EQ(view.txtInputDisp.Text, "KEYED");
  ASSERT_EQ(view.txtPresetDisp.Text, "Key 001");
  cmdTake_Click(live.panel);
  EXPECT_EQ(view.txtPresetDisp.Text, "Failed");
  tmrSalvoMsg_Timer(live.panel);
  EXPECT_EQ(view.mnuSalvoMode.Caption, "Salvo &Mode");
  live.Settle(100);
  EXPECT_FALSE(sim.Log().contains("salvo execute"));
}

TEST_F(Operating, LeavingSalvoModeDuringKeyEntrySendsNothing) {
  mnuSalvoMode_Click(live.panel);
  cmdTake_Click(live.panel);
  ASSERT_EQ(view.txtPresetDisp.Text, "Key 001");
  mnuSalvoMode_Click(live.panel);
  EXPECT_EQ(view.mnuSalvoMode.Caption, "Salvo &Mode");
  EXPECT_EQ(view.txtInputDisp.Text, "Bars ");
  EXPECT_EQ(view.txtPresetDisp.Text, "Bars ");
  live.Settle(100);
  EXPECT_FALSE(sim.Log().contains("salvo execute"));
}

TEST(PasswordPrompt, TheOperatorsPasswordOpensTheLink) {
  SimulatorProcess sim({"--router", SmallRouter(), "--password", "secret"});
  LivePanel live(sim.Port());
  // The prompt is modal: it is answered while the server's request is being handled.
  live.ui.OnShowDialog = [&](Dialog dialog) {
    ASSERT_EQ(dialog, Dialog::Password);
    PasswordForm form;
    PasswordForm_Activate(live.panel, form);
    EXPECT_EQ(form.lblIP, "IP: 127.0.0.1");
    form.txtPassword = u"secret";
    PasswordForm_cmdOk_Click(live.panel, form);
    EXPECT_TRUE(form.Closed);
    PasswordForm_Unload(live.panel, form);
  };
  EXPECT_TRUE(live.ConnectAndLoad()) << sim.Log().toStdString();
  EXPECT_EQ(live.ui.Dialogs.size(), 1u);
  EXPECT_FALSE(live.panel.State.PasswordPromptOpen);
  EXPECT_TRUE(sim.Log().contains("password accepted"));
}

}  // namespace
}  // namespace dazi::testing
