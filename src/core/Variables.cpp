#include "core/Variables.h"

#include <cmath>
#include <cstdio>

#include "core/Panel.h"
#include "core/Selection.h"

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
  s.InputAlpha.assign(kStartCount, "");
  s.OutputAlpha.assign(kStartCount, "");
  s.CrosspointMap.assign(kStartCount, OutputRoute{});
  s.Inhibit.Recreate(kStartCount, kStartCount);
  s.InputPositionOf.assign(kStartCount, 0);
  s.InputChannelAt.assign(kStartCount, 0);
  s.OutputChannelAt.assign(kStartCount, 0);
  s.InputAlpha[0] = kNoSystem;
  s.OutputAlpha[0] = kFirstOutput;

  view.txtInputDisp = {s.InputAlpha[s.SelectedInput], s.ActiveColor};
  view.txtOutputDisp = {s.OutputAlpha[s.SelectedOutput], s.ActiveColor};
  view.txtPresetDisp = {s.InputAlpha[s.SelectedInput], s.PresetColor};

  s.InputAlphaByChannel.resize(s.InputCount);
  for (int k = 0; k < s.InputCount; ++k) s.InputAlphaByChannel[k] = GeneratedInputName(k);
  s.OutputAlphaByChannel.resize(s.OutputCount);
  for (int k = 0; k < s.OutputCount; ++k) s.OutputAlphaByChannel[k] = GeneratedOutputName(k);

  // Until names arrive the spinners stay on the one named position.
  ParkSelectors(panel);
}

}  // namespace dazi
