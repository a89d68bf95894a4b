#include <gtest/gtest.h>

#include "core/UpDown.h"
#include "core/Variables.h"
#include "support/PanelFixture.h"

namespace dazi {
namespace {

TEST(InitVariables, GivesTheModelItsStartValues) {
  testing::PanelFixture f;
  const SwitcherState& s = f.panel.State;
  const PanelSettings& p = f.panel.Settings;
  EXPECT_EQ(s.InputCount, 256);
  EXPECT_EQ(s.OutputCount, 256);
  EXPECT_EQ(s.InputAlpha.at(0), "NoSystem");
  EXPECT_EQ(s.OutputAlpha.at(0), "OUT 1");
  EXPECT_EQ(s.InputAlpha.at(255), "");
  EXPECT_EQ(s.InputAlphaByChannel.at(0), "Inpt0001");
  EXPECT_EQ(s.InputAlphaByChannel.at(255), "Inpt0256");
  EXPECT_EQ(s.OutputAlphaByChannel.at(9), "Out 0010");
  EXPECT_EQ(s.InfoPending, 0x5380);
  EXPECT_EQ(s.CrosspointMap.size(), 256u);
  EXPECT_EQ(s.Inhibit.Outputs(), 256);
  EXPECT_EQ(s.Inhibit.Inputs(), 256);
  EXPECT_TRUE(s.SalvoName.empty());
  EXPECT_TRUE(s.OutputPositionOf.empty());
  EXPECT_EQ(s.PresetColor, 7);
  EXPECT_EQ(s.ActiveColor, 12);

  EXPECT_EQ(p.LinkMode, FileMode);
  EXPECT_EQ(p.RefreshRate, 100);
  EXPECT_EQ(p.FileTimeOut, 50);
  EXPECT_EQ(p.FileMissLimit, 500);
  EXPECT_EQ(p.IPAddress, "0.0.0.0");
  EXPECT_EQ(p.TCPIPPort, 1250);
  EXPECT_EQ(p.IPPollPeriod, 1);
  EXPECT_EQ(p.IPAllowedMisses, 30);
  EXPECT_TRUE(p.HideInhibits);
  EXPECT_EQ(p.StayOnTop, -1);

  const MainView& v = f.panel.View;
  EXPECT_EQ(v.txtInputDisp.Text, "NoSystem");
  EXPECT_EQ(v.txtOutputDisp.Text, "OUT 1");
  EXPECT_EQ(v.txtPresetDisp.Text, "NoSystem");
  EXPECT_EQ(v.txtInputDisp.Color, 12);
  EXPECT_EQ(v.txtPresetDisp.Color, 7);
  EXPECT_EQ(v.tmrFileCheck.IntervalMs, 100);
}

TEST(FileMissLimit, RoundsHalvesToEvenAndFitsLongTimeOuts) {
  EXPECT_EQ(ComputeFileMissLimit(100, 50), 500);
  EXPECT_EQ(ComputeFileMissLimit(300, 1), 3);
  EXPECT_EQ(ComputeFileMissLimit(400, 1), 2);
  EXPECT_EQ(ComputeFileMissLimit(1, 3600), 3600000);
}

TEST(PollInterval, CoversAnHour) {
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
  EXPECT_EQ(map.Get(2, 69), 1);
  EXPECT_EQ(map.Get(1, 5), 0);
  EXPECT_EQ(map.Get(3, 0), 0);
  EXPECT_EQ(map.Get(-1, 0), 0);
  EXPECT_THROW(map.Set(3, 0, 1), std::out_of_range);
  map.Recreate(3, 70);
  EXPECT_EQ(map.Get(2, 69), 0);
}

}  // namespace
}  // namespace dazi
