#include "model/FindByName.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "model/SmallRouter.h"
#include "panel/TakeAndSalvo.h"
#include "support/PanelFixture.h"

namespace dazi {
namespace {

using testing::LoadRouter;

// Sources by position (channel = position): "{CAM 9" is reserved, "CAM 3" inhibited for the
// chosen destination, "CAMERA" outside the input display list. Salvos as a server sends them.
void LoadStudio(Panel& panel) {
  LoadRouter(panel, {"SAT 1", "CAM 2", "VTR Cam", "{CAM 9", "cam 1", "CAM 3", "CAMERA", "\xC9TE"},
             {0, 1, 2, 3, 4, 5, 6, 7}, {"MON 1", "{MON", "PGM", "MON 2"}, {0, 1, 2, 3});
  testing::Inhibit(panel, 0, 5);
  panel.Settings.InputDisplayList = "11111101";
  panel.State.ReplaceSalvos({"ALL BARS", "NEWS", "BARS OFF"}, {0, 1, 2});
  panel.State.ReplaceSalvoKeys({0, 5, 0});
}

TEST(FindByName, OffersWhatTheSpinnerWouldStopOnBeginningsFirst) {
  const auto showAll = [](Panel& p) { p.Settings.HideInhibits = false; };
  const auto salvoMode = [](Panel& p) { mnuSalvoMode_Click(p); };
  const auto noSalvos = [](Panel& p) { p.State.ReplaceSalvoKeys({}), mnuSalvoMode_Click(p); };
  const auto keyEntry = [](Panel& p) {
    mnuSalvoMode_Click(p);
    p.View.cmdInSel.SetValue(1);
    cmdTake_Click(p);  // NEWS has a key
  };
  const struct {
    const char* typed;
    FindSide side;
    std::function<void(Panel&)> setUp;
    std::vector<int> found;
  } cases[] = {
      {"cam", FindSide::Preset, {}, {1, 4, 2}},
      {"CAM", FindSide::Preset, showAll, {1, 4, 5, 2}},
      {"", FindSide::Preset, {}, {0, 1, 2, 4, 7}},
      {"\xE9t", FindSide::Preset, {}, {7}},  // Windows-1252 letters fold too
      {"cam 1x", FindSide::Preset, {}, {}},
      {"mon", FindSide::Destination, {}, {0, 3}},
      {"mon", FindSide::Destination, salvoMode, {0, 3}},
      {"bars", FindSide::Preset, salvoMode, {2, 0}},
      {"bars", FindSide::Preset, noSalvos, {}},
      {"25", FindSide::Preset, keyEntry, {24, 124, 224, 249, 250, 251, 252, 253, 254}},
      {"005", FindSide::Preset, keyEntry, {4}},
      {"cam", FindSide::Preset, [](Panel& p) { p.View.txtInputDisp.Text = "NoSystem"; }, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << '"' << c.typed << '"' << (c.setUp ? " after set-up" : ""));
    testing::PanelFixture f;
    LoadStudio(f.panel);
    if (c.setUp) c.setUp(f.panel);
    EXPECT_EQ(FindByName(f.panel, c.side, c.typed), c.found);
  }
}

TEST(FindByName, ChoosingStepsTheSpinnerAndSendsNothing) {
  testing::PanelFixture f;
  LoadStudio(f.panel);
  testing::Route(f.panel, 2, 7);
  const MainView& v = f.panel.View;
  ChooseFound(f.panel, FindSide::Destination, 2);
  EXPECT_EQ(std::tie(v.txtOutputDisp.Text, v.txtInputDisp.Text, v.txtPresetDisp.Text),
            std::make_tuple("PGM", "\xC9TE", "SAT 1"));
  ChooseFound(f.panel, FindSide::Preset, 4);
  EXPECT_EQ(std::make_tuple(v.txtPresetDisp.Text, f.panel.State.SelectedInput, v.cmdInSel.Value()),
            std::make_tuple("cam 1", 4, 4));
  testing::Inhibit(f.panel, 2, 1);  // inhibited after the list was made: not chosen
  ChooseFound(f.panel, FindSide::Preset, 1);
  EXPECT_EQ(v.txtPresetDisp.Text, "cam 1");
  EXPECT_TRUE(f.socket.Written.empty());
}

}  // namespace
}  // namespace dazi
