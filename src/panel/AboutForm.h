// The information window, frmTolenAbout, as plain data: its labels, refilled from the settings
// and the selected destination each time the window is activated.
#pragma once

#include <string>

namespace dazi {

struct Panel;

inline constexpr const char* kAboutCaption = "ZOR Tolen DaziVedur Information";

struct AboutForm {
  // A bare carriage return between the two lines; the view shows it as a line break.
  std::string lblVersionInfo;
  std::string lblSrvLoc = "ZOR NetServer Location";
  std::string lblServerLocation = "Not specified";
  std::string lblOtCtl = "Destination Under Control";
  std::string lblOutputControlled = "Not specified";
  std::string lblRefresh = "Refresh Rate:";
  std::string lblRate = "100";
  std::string lblTimeOutPeriod = "Timeout Period:";
  std::string LblTimeOut = "100";
  bool Visible = false;  // the view shows the window; cmdAboutquit hides it
};

void AboutForm_Activate(const Panel& panel, AboutForm& form);
void AboutForm_cmdAboutquit_Click(AboutForm& form);

}  // namespace dazi
