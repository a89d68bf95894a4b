#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <tuple>

#include "model/UpDown.h"
#include "model/Variables.h"
#include "support/PanelFixture.h"

namespace dazi {
namespace {

TEST(InitVariables, GivesTheModelItsStartValues) {
  testing::PanelFixture f;
  const SwitcherState& s = f.panel.State;
  const PanelSettings& p = f.panel.Settings;
  const MainView& v = f.panel.View;
  EXPECT_EQ(std::make_tuple(s.InputCount(), s.OutputCount(), s.InfoPending, s.PresetColor,
                            s.ActiveColor, s.Inhibit().Outputs(), s.Inhibit().Inputs()),
            std::make_tuple(256, 256, 0x5380, 7, 12, 256, 256));
  EXPECT_EQ(std::tie(s.Inputs().Alphas().at(0), s.Outputs().Alphas().at(0),
                     s.Inputs().Alphas().at(255), s.Inputs().AlphasByChannel().at(0),
                     s.Inputs().AlphasByChannel().at(255), s.Outputs().AlphasByChannel().at(9)),
            std::make_tuple("NoSystem", "OUT 1", "", "Inpt0001", "Inpt0256", "Out 0010"));
  EXPECT_EQ(s.CrosspointMap().size(), 256u);
  EXPECT_TRUE(s.Salvos().Alphas().empty() && s.Outputs().Positions().empty());
  EXPECT_EQ(std::tie(p.LinkMode, p.RefreshRate, p.FileTimeOut, p.FileMissLimit, p.IPAddress,
                     p.TCPIPPort, p.IPPollPeriod, p.IPAllowedMisses, p.HideInhibits, p.StayOnTop),
            std::make_tuple(FileMode, 100, 50, 500, "0.0.0.0", 1250, 1, 30, true, -1));
  EXPECT_EQ(std::make_tuple(v.txtInputDisp.Text, v.txtOutputDisp.Text, v.txtPresetDisp.Text,
                            v.txtInputDisp.Color, v.txtPresetDisp.Color, v.tmrFileCheck.IntervalMs),
            std::make_tuple("NoSystem", "OUT 1", "NoSystem", 12, 7, int64_t{100}));
}

TEST(TimerCounts, RoundHalvesToEvenAndCoverAnHour) {
  EXPECT_EQ(ComputeFileMissLimit(300, 1), 3);
  EXPECT_EQ(ComputeFileMissLimit(400, 1), 2);
  EXPECT_EQ(ComputeFileMissLimit(1, 3600), 3600000);
  PanelSettings s;
  s.IPPollPeriod = 3600;
  EXPECT_EQ(PollIntervalMs(s), 3600000);
}

TEST(UpDown, WrapsAtBothEndsAndReportsEveryChange) {
  UpDown spinner;
  int changes = 0;
  spinner.OnChange = [&] { ++changes; };
  spinner.SetMax(3);
  spinner.StepDown();
  EXPECT_EQ(spinner.Value(), 3);
  spinner.StepUp();
  EXPECT_EQ(spinner.Value(), 0);
  spinner.SetValue(2);
  spinner.SetValue(2);  // no change, no event
  EXPECT_EQ(changes, 3);
  spinner.SetValue(99);
  EXPECT_EQ(spinner.Value(), 3);
  spinner.SetMax(1);
  EXPECT_EQ(spinner.Value(), 1);
  EXPECT_EQ(changes, 5);
}

TEST(InhibitMap, StoresOnlyOnesAndRefusesWritesOutsideItsBounds) {
  InhibitMap map;
  map.Recreate(3, 70);
  map.Set(2, 69, 1);
  map.Set(1, 5, 7);  // only the value 1 inhibits
  EXPECT_EQ(std::make_tuple(map.Get(2, 69), map.Get(1, 5), map.Get(3, 0), map.Get(-1, 0)),
            std::make_tuple(1, 0, 0, 0));
  EXPECT_THROW(map.Set(3, 0, 1), std::out_of_range);
  map.Recreate(3, 70);
  EXPECT_EQ(map.Get(2, 69), 0);
}

// Rows of 70 bits straddle words: runs a word at a time must store what bit-by-bit writes store.
TEST(InhibitMap, RunsStoreWhatSingleWritesStore) {
  InhibitMap byRun, byBit;
  byRun.Recreate(5, 70);
  byBit.Recreate(5, 70);
  std::mt19937 random(3);
  for (int k = 0; k < 400; ++k) {
    const int output = static_cast<int>(random() % 5), first = static_cast<int>(random() % 70);
    const int end = first + static_cast<int>(random() % 75), value = static_cast<int>(random() % 2);
    bool threw = false;
    try {
      byRun.SetRun(output, first, end, value);
    } catch (const std::out_of_range&) {
      threw = true;
    }
    for (int i = first; i < std::min(end, 70); ++i) byBit.Set(output, i, value);
    EXPECT_EQ(threw, end > 70);
  }
  for (int o = 0; o < 5; ++o)
    for (int i = 0; i < 70; ++i) ASSERT_EQ(byRun.Get(o, i), byBit.Get(o, i)) << o << "," << i;
}

}  // namespace
}  // namespace dazi
