#include "model/Variables.h"

#include <cmath>
#include <cstdio>

#include "model/Panel.h"
#include "model/Selection.h"

namespace dazi {

int32_t ComputeFileMissLimit(int refreshRate, int fileTimeOut) {
  if (refreshRate < 1) refreshRate = 1;
  // nearbyint rounds halves to the even neighbour in the default rounding mode.
  return static_cast<int32_t>(std::nearbyint(1000.0 / refreshRate * fileTimeOut));
}

bool HasServerAddress(const PanelSettings& settings) {
  return !settings.IPAddress.empty() && settings.IPAddress != "0.0.0.0";
}

int64_t PollIntervalMs(const PanelSettings& settings) {
  return static_cast<int64_t>(settings.IPPollPeriod) * 1000;
}

static std::string FourDigits(int number) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d", number);
  return text;
}

std::string GeneratedInputName(int channel) {
  return "Inpt" + FourDigits(channel + 1);
}
std::string GeneratedOutputName(int channel) {
  return "Out " + FourDigits(channel + 1);
}

void InitVariables(Panel& panel) {
  const std::filesystem::path appPath = panel.State.AppPath;
  panel.State = SwitcherState{};
  panel.State.AppPath = appPath;
  panel.Settings = PanelSettings{};
  SwitcherState& s = panel.State;
  PanelSettings& settings = panel.Settings;
  MainView& view = panel.View;

  settings.FileMissLimit = ComputeFileMissLimit(settings.RefreshRate, settings.FileTimeOut);
  view.tmrFileCheck.IntervalMs = settings.RefreshRate;

  constexpr int kStartCount = 256;
  s.Start(kStartCount);

  view.txtInputDisp = {*s.Inputs().Alpha(s.SelectedInput), s.ActiveColor};
  view.txtOutputDisp = {*s.Outputs().Alpha(s.SelectedOutput), s.ActiveColor};
  view.txtPresetDisp = {*s.Inputs().Alpha(s.SelectedInput), s.PresetColor};

  // Until names arrive the spinners stay on the one named position.
  ParkSelectors(panel);
}

}  // namespace dazi
