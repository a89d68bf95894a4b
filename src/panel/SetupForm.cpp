#include "panel/SetupForm.h"

#include <cstddef>
#include <cstdint>

#include "link_file/NetworkFiles.h"
#include "link_tcp/Connection.h"
#include "link_tcp/Outbound.h"
#include "model/Panel.h"
#include "model/ScopedValue.h"
#include "model/Selection.h"
#include "panel/SetupHelp.h"
#include "settings/Drives.h"
#include "settings/IniFile.h"
#include "settings/IniValues.h"

namespace dazi {

namespace {

constexpr const char* kNoServer = "No Server Detected ";
constexpr const char* kRangeError = "Input Error";

std::string ProgramDir(const Panel& panel) {
  return panel.State.AppPath.string();
}

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

void ShowModeFrame(SetupForm& form, bool tcpIp) {
  form.frIPModeVisible = tcpIp;
  form.frFileModeVisible = !tcpIp;
  form.lblHelp = tcpIp ? kTcpIpModeHelp : kFileModeHelp;
}

// The entry an OK stopped at gets the focus with its text selected. Its frame is shown even when
// it is the other mode's, so that the operator sees what to correct; the mode stays as the option
// buttons say.
void PointAt(SetupForm& form, const char* box, bool inTcpIpFrame) {
  form.FocusControl = box;
  form.frIPModeVisible = inTcpIpFrame;
  form.frFileModeVisible = !inTcpIpFrame;
}

void ShowDriveError(Panel& panel) {
  panel.Ui.MessageBox("Drive Error!", "Error", MsgIcon::Exclamation, MsgButtons::Ok);
}

// The password travels one 7-bit byte a character, its length in one byte: anything else could
// never log in, so it is refused before anything of the OK is applied.
bool RefuseUntravellablePassword(Panel& panel, SetupForm& form) {
  if (PasswordCanTravel(form.txtPassword)) return false;
  const char* text =
      form.txtPassword.size() > kMaxPasswordLength
          ? "The password is too long: the ZOR Server accepts at most 127 characters."
          : "The password can only hold plain ASCII characters (letters without accents, digits "
            "and the usual signs).";
  panel.Ui.MessageBox(text, "Password Error", MsgIcon::Exclamation, MsgButtons::Ok);
  PointAt(form, "txtPassword", true);
  return true;
}

// The address and port boxes; false when the OK stops here.
bool ApplyTcpIpLink(Panel& panel, SetupForm& form) {
  PanelSettings& s = panel.Settings;
  if (!CheckIPAddress(form.txtIP)) {
    panel.Ui.MessageBox("Please Enter IP Address In The Following Format: 192.168.1.1",
                        "Data Format Error", MsgIcon::Critical, MsgButtons::Ok);
    form.txtIP = s.IPAddress;
    PointAt(form, "txtIP", true);
    return false;
  }
  const int64_t port = LeadingNumber(form.txtIpPort);
  if (port < 1 || port > 65535) {
    panel.Ui.MessageBox("Invalid IP Port #. Please reenter a number between 1 and 65535",
                        "Port Error", MsgIcon::None, MsgButtons::Ok);
    PointAt(form, "txtIpPort", true);
    return false;
  }

  bool reconnect = false;
  if (s.LinkMode != TCPIPMode) {
    s.LinkMode = TCPIPMode;
    s.IPAddress = form.txtIP;
    s.TCPIPPort = static_cast<int32_t>(port);
    panel.View.StatusPanel2 = s.IPAddress;
    panel.View.StatusPanel1 = kStatusLinkNc;
    panel.View.mnuConnect.Enabled = true;
    reconnect = true;
  }
  if (port != s.TCPIPPort) {
    s.TCPIPPort = static_cast<int32_t>(port);
    reconnect = true;
  }
  if (form.txtIP != s.IPAddress) {
    s.IPAddress = form.txtIP;
    reconnect = true;
  }
  if (reconnect) {
    DisconnectFromSwitcher(panel);
    // 0.0.0.0 names no server, here as at start-up: nothing is connected until one is named.
    if (HasServerAddress(s)) ConnectToSwitcher(panel);
    panel.View.StatusPanel2 = s.IPAddress;
  }
  return true;
}

// The server directory; false when the OK stops here (the reader has said why, or the directory
// could not be used).
bool ApplyFileLink(Panel& panel, SetupForm& form) {
  PanelSettings& s = panel.Settings;
  std::string path = form.txtDirectory;
  if (path.empty() || path.back() != '/') path += '/';
  if (path == s.ServerPath && s.LinkMode == FileMode) return true;

  // zorntpnl.ini holds one value a line: a name with a line break would come back as another.
  if (path.find_first_of("\r\n") != std::string::npos) {
    panel.Ui.MessageBox(
        "This server directory cannot be kept in zorntpnl.ini: its name holds a line break. "
        "Please choose another directory, or rename this one.",
        "Server Directory Error", MsgIcon::Exclamation, MsgButtons::Ok);
    PointAt(form, "txtDirectory", false);
    return false;
  }
  // A share that does not answer is refused before the link is touched.
  if (!IsReachableDirectory(path)) {
    ShowDriveError(panel);
    PointAt(form, "txtDirectory", false);
    return false;
  }

  s.ServerPath = path;
  if (s.LinkMode == TCPIPMode) {
    s.LinkMode = FileMode;
    DisconnectFromSwitcher(panel);
    panel.View.mnuConnect.Enabled = false;
  }
  if (ReadNetworkFiles(panel)) return true;
  s.ServerPath.clear();
  panel.View.StatusPanel2 = kNoServer;
  panel.View.StatusPanel1 = "Switcher Link (NC)";
  return false;
}

// A number box OK checks, and the setting it goes into.
struct RangeBox {
  const char* Name;
  std::string SetupForm::*Text;
  int Low;
  int High;
  int PanelSettings::*Field;
  bool InTcpIpFrame;
};

// In the order OK checks them; every box is checked whichever mode is chosen.
constexpr RangeBox kRangeBoxes[] = {
    {"txtPollRate", &SetupForm::txtPollRate, 1, 3600, &PanelSettings::IPPollPeriod, true},
    {"txtRefresh", &SetupForm::txtRefresh, 1, 32500, &PanelSettings::RefreshRate, false},
    {"txtTimeOut", &SetupForm::txtTimeOut, 1, 3600, &PanelSettings::FileTimeOut, false},
    {"txtIPTimeOut", &SetupForm::txtIPTimeOut, 1, 3600, &PanelSettings::IPAllowedMisses, true},
};

// Stores the box's leading number when it lies in range; otherwise says so and points at it.
bool StoreInRange(Panel& panel, SetupForm& form, const RangeBox& box) {
  const int64_t value = LeadingNumber(form.*box.Text);
  if (value < box.Low || value > box.High) {
    panel.Ui.MessageBox("Please enter a value between " + std::to_string(box.Low) + " and " +
                            std::to_string(box.High),
                        kRangeError, MsgIcon::None, MsgButtons::Ok);
    PointAt(form, box.Name, box.InTcpIpFrame);
    return false;
  }
  panel.Settings.*box.Field = static_cast<int>(value);
  return true;
}

// Both selectors start again from the top, on the first entries their arrows could reach (a
// hidden or reserved destination, or a source hidden for it, is passed over as the arrows pass
// over it), and the displays show exactly those: a Take routes what the panel shows.
void ShowFirstEntries(Panel& panel) {
  SwitcherState& s = panel.State;
  MainView& view = panel.View;
  const bool named = HasSwitcherData(s) && view.txtOutputDisp.Text != kNoSystem;
  s.SelectedOutput = named ? FirstSelectableOutput(panel) : 0;
  s.SelectedInput = 0;
  {
    const ScopedValue busy(s.SelectorsBusy, true);
    view.cmdInSel.SetValue(0);
    view.cmdoutSel.SetValue(s.SelectedOutput);
  }
  const std::string* destination = s.Outputs().Alpha(s.SelectedOutput);
  if (!named || !destination) return;
  view.txtOutputDisp = {*destination, s.ActiveColor};
  if (s.KeyEntryMode) {
    view.txtPresetDisp.Text = KeyText(0);
    return;
  }
  if (s.SalvoMode) {
    DisplayFirstSalvo(panel);
    return;
  }
  DisplayCurrentInput(panel, false);
  s.SelectedInput = FirstSelectableInput(panel);
  {
    const ScopedValue busy(s.SelectorsBusy, true);
    view.cmdInSel.SetValue(s.SelectedInput);
  }
  if (const std::string* source = s.Inputs().Alpha(s.SelectedInput))
    view.txtPresetDisp = {*source, s.PresetColor};
}

}  // namespace

void SetupForm_Activate(Panel& panel, SetupForm& form) {
  // Both mode frames share one place in the left column; the view keeps them there.
  if (form.Tag != kInitialTag) return;
  const PanelSettings& s = panel.Settings;

  form.txtPassword = s.Password;
  if (form.dirDirectory.empty()) form.dirDirectory = ProgramDir(panel);
  form.txtDirectory = form.dirDirectory;
  if (!s.ServerPath.empty()) {
    // The path box keeps the stored directory whatever happens: a share that is offline for the
    // moment is not replaced by the list's folder at the next OK.
    form.txtDirectory = WithoutTrailingSlash(s.ServerPath);
    if (IsReachableDirectory(form.txtDirectory)) {
      form.dirDirectory = form.txtDirectory;
    } else {
      panel.Ui.MessageBox("Invalid Drive", "Drive Error", MsgIcon::None, MsgButtons::Ok);
      form.dirDirectory = ProgramDir(panel);
    }
  }
  form.drvDrive = DriveOf(form.DriveList, form.dirDirectory);
  form.chkStayOnTop = s.StayOnTop == kStayOnTopYes;
  form.ChkHideInhibits = s.HideInhibits;
  form.Tag.clear();

  const bool tcpIp = s.LinkMode == TCPIPMode;
  form.optTCPIP = tcpIp;
  form.optFile = !tcpIp;
  if (tcpIp) SetupForm_optTCPIP_Click(panel, form);

  form.txtIP = s.IPAddress;
  form.txtIpPort = std::to_string(s.TCPIPPort);
  form.txtRefresh = std::to_string(s.RefreshRate);
  form.txtTimeOut = std::to_string(s.FileTimeOut);
  form.txtPollRate = std::to_string(s.IPPollPeriod);
  form.txtIPTimeOut = std::to_string(s.IPAllowedMisses);
  form.txtPassword = s.Password;
  ShowModeFrame(form, tcpIp);
}

void SetupForm_optFile_Click(Panel&, SetupForm& form) {
  ShowModeFrame(form, false);
}

void SetupForm_optTCPIP_Click(Panel&, SetupForm& form) {
  ShowModeFrame(form, true);
}

void SetupForm_drvDrive_Change(Panel& panel, SetupForm& form) {
  if (IsReachableDirectory(form.drvDrive)) {
    form.dirDirectory = form.drvDrive;
    form.txtDirectory = form.drvDrive;
    return;
  }
  ShowDriveError(panel);
  form.drvDrive = DriveOf(form.DriveList, form.dirDirectory);
}

void SetupForm_dirDirectory_Change(Panel&, SetupForm& form) {
  form.txtDirectory = form.dirDirectory;
}

void SetupForm_txtDirectory_Enter(Panel& panel, SetupForm& form) {
  const std::string path = WithoutTrailingSlash(form.txtDirectory);
  if (!IsReachableDirectory(path)) {
    ShowDriveError(panel);
    form.FocusControl = "txtDirectory";
    return;
  }
  form.txtDirectory = path;
  form.dirDirectory = path;
  form.drvDrive = DriveOf(form.DriveList, path);
}

void SetupForm_cmdSelect_Click(Panel& panel, SetupForm& form) {
  PanelSettings& s = panel.Settings;
  if (form.optTCPIP) {
    if (RefuseUntravellablePassword(panel, form)) return;
    if (!ApplyTcpIpLink(panel, form)) return;
  } else if (!ApplyFileLink(panel, form)) {
    return;
  }

  // Each good value is kept at once.
  for (const RangeBox& box : kRangeBoxes) {
    if (!StoreInRange(panel, form, box)) return;
  }

  s.Password = form.txtPassword;
  s.StayOnTop = form.chkStayOnTop ? kStayOnTopYes : kStayOnTopNo;
  // Computed wide: every rate, period and time-out the checks above accept can be applied.
  if (s.LinkMode == FileMode) {
    s.FileMissLimit = ComputeFileMissLimit(s.RefreshRate, s.FileTimeOut);
    panel.View.tmrFileCheck.IntervalMs = s.RefreshRate;
  } else {
    panel.View.tmrFileCheck.IntervalMs = PollIntervalMs(s);
  }
  s.HideInhibits = form.ChkHideInhibits;

  if (!WriteIniFile(panel)) {
    panel.Ui.MessageBox("Error Writing Zorntpnl.ini File", "Error Writing File", MsgIcon::Critical,
                        MsgButtons::Ok);
    panel.Ui.MessageBox("Server Alphas Data File Not Found!", "Error Reading File",
                        MsgIcon::Critical, MsgButtons::Ok);
    form.Tag.clear();
    form.Visible = false;
    return;
  }
  ShowFirstEntries(panel);
  form.Visible = false;
}

void SetupForm_cmdCancel_Click(Panel&, SetupForm& form) {
  form.Tag.clear();
  form.Visible = false;
}

}  // namespace dazi
