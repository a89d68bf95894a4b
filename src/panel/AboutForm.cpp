#include "panel/AboutForm.h"

#include <string>

#include "model/Panel.h"

namespace dazi {

namespace {

constexpr const char* kNotSpecified = "Not Specified";

// "Output 5 - (VTR 2)" for the destination selected on the panel. A selection the tables do not
// hold (possible only while they are being replaced) is named by its position, without alpha.
std::string SelectedDestination(const SwitcherState& s) {
  const int16_t* channel = s.Outputs().ChannelAt(s.SelectedOutput);
  const std::string* alpha = s.Outputs().Alpha(s.SelectedOutput);
  return "Output " + std::to_string((channel ? *channel : s.SelectedOutput) + 1) + " - (" +
         (alpha ? *alpha : std::string()) + ")";
}

}  // namespace

void AboutForm_Activate(const Panel& panel, AboutForm& form) {
  const PanelSettings& s = panel.Settings;
  if (s.LinkMode == TCPIPMode) {
    form.lblSrvLoc = "ZOR Server Location";
    form.lblRefresh = "IP Poll Period:";
    form.lblTimeOutPeriod = "Allowed Misses: ";
    form.lblServerLocation = s.IPAddress;
    form.lblOutputControlled = SelectedDestination(panel.State);
    form.lblRate = std::to_string(s.IPPollPeriod) + " Seconds";
    form.LblTimeOut = " " + std::to_string(s.IPAllowedMisses);
  } else {
    form.lblSrvLoc = "ZOR Netserver Location";
    form.lblRefresh = "Refresh Rate:";
    form.lblTimeOutPeriod = "Timeout Period:";
    const bool specified = !s.ServerPath.empty();
    form.lblServerLocation = specified ? s.ServerPath + "*.ndf" : kNotSpecified;
    form.lblOutputControlled = specified ? SelectedDestination(panel.State) : kNotSpecified;
    form.lblRate = std::to_string(s.RefreshRate) + " Milliseconds";
    form.LblTimeOut = std::to_string(s.FileTimeOut) + " Seconds";
  }
  form.lblVersionInfo = "Tolen Dazivedur\rVersion 3.14 - 07/31/2008";
}

void AboutForm_cmdAboutquit_Click(AboutForm& form) {
  form.Visible = false;
}

}  // namespace dazi
