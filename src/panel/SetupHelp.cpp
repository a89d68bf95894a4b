// The help strip's texts for the controls of the setup dialog (the blanks, double after some
// full stops and trailing on some texts, are part of them).
#include "panel/SetupHelp.h"

#include <array>
#include <initializer_list>

#include "panel/SetupForm.h"

namespace dazi {

namespace {

struct ControlHelp {
  std::array<std::string_view, 2> Controls;  // a box and its label, or one control
  const char* Text;
};

constexpr ControlHelp kFixedHelp[] = {
    {{"txtIpPort", "lblIpPort"},
     "Enter the IP Port used by the ZOR Server Module.  The default is 1250."},
    {{"txtIP", "lblIP"}, "Enter the IP Address of the computer running the ZOR Server Module.  "},
    {{"txtPassword", "lblPassword"},
     "If desired, enter the Password required by the Server Module for login by a DaziVedur.  If "
     "no Password is entered and one is required by the Server Module, the user will be prompted "
     "to enter the required password."},
    {{"frDirSelect", "txtDirectory"},
     "Select the Drive and Directory where the ZOR Server software is installed "},
    {{"cmdSelect"},
     "Save and use the current information.  The entered information will be written to the "
     "zorntpnl.ini file."},
    {{"cmdCancel"}, "Abort any changes made and restore previous information. "},
    {{"ChkHideInhibits"},
     "When selected, sources inhibited for the selected destination will not be displayed in the "
     "selection list. "},
    {{"chkStayOnTop"},
     "Select this option to keep the ZOR DezeZerida displayed on top of other Windows "
     "applications."},
    {{"optFile"},
     "When selected, the DaziVedur uses network data files maintained by the ZOR Server software "
     "to communicate with the ZOR Routing Switcher."},
    {{"optTCPIP"},
     "When selected, the DaziVedur communicates with the ZOR Server Module via TCP/IP and the "
     "Server Module connects serially to the ZOR Routing Switcher."},
};

constexpr const char* kTcpIpTimeOutHelp =
    "Enter the Time Out period in seconds.  This is the length of time the DaziVedur will wait "
    "before disconnecting from the Server Module when it fails to respond to its polls.";
constexpr const char* kFileTimeOutHelp =
    "Enter the Time Out period in seconds.  This is the length of time the DaziVedur will wait "
    "before it considers it has been disconnected from the switcher when it is unable to find or "
    "access the .ndf files.";
constexpr const char* kTcpIpRateHelp =
    "Enter the Refresh Rate in seconds.  This is how often the DaziVedur will poll the Server "
    "Module. ";
constexpr const char* kFileRateHelp =
    "Enter the Refresh Rate in milliseconds.  This is how often the DaziVedur reads the .ndf files "
    "created and maintained by the Server Module. ";

bool OneOf(std::string_view control, std::initializer_list<std::string_view> names) {
  for (std::string_view name : names)
    if (control == name) return true;
  return false;
}

}  // namespace

std::string SetupHelpText(const SetupForm& form, std::string_view control) {
  // The time-out and rate boxes of both frames follow the mode selected at the moment.
  if (OneOf(control, {"txtTimeOut", "LblTimeOut", "txtIPTimeOut", "lblIPTimeOut"}))
    return form.optTCPIP ? kTcpIpTimeOutHelp : kFileTimeOutHelp;
  if (OneOf(control, {"txtRefresh", "lblRefresh", "txtPollRate", "lblPollRate"}))
    return form.optTCPIP ? kTcpIpRateHelp : kFileRateHelp;
  for (const ControlHelp& help : kFixedHelp) {
    if (OneOf(control, {help.Controls[0], help.Controls[1]}) && !control.empty()) return help.Text;
  }
  return {};
}

void SetupForm_MouseMove(SetupForm& form, std::string_view control) {
  std::string text = SetupHelpText(form, control);
  if (!text.empty()) form.lblHelp = std::move(text);
}

}  // namespace dazi
