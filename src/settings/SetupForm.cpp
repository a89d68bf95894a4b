#include "settings/SetupForm.h"

#include <cstdint>

#include "core/Panel.h"
#include "core/Selection.h"
#include "core/TakeAndSalvo.h"
#include "link_file/NetworkFiles.h"
#include "link_tcp/Connection.h"
#include "link_tcp/Outbound.h"
#include "settings/Drives.h"
#include "settings/IniFile.h"
#include "settings/IniValues.h"
#include "settings/SetupHelp.h"

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
  form.FocusControl = "txtPassword";
  return true;
}

// The address and port boxes; false when the OK stops here.
bool ApplyTcpIpLink(Panel& panel, SetupForm& form) {
  PanelSettings& s = panel.Settings;
  if (!CheckIPAddress(form.txtIP)) {
    panel.Ui.MessageBox("Please Enter IP Address In The Following Format: 192.168.1.1",
                        "Data Format Error", MsgIcon::Critical, MsgButtons::Ok);
    form.txtIP = s.IPAddress;
    form.FocusControl = "txtIP";
    return false;
  }
  const int64_t port = LeadingNumber(form.txtIpPort);
  if (port < 1 || port > 65535) {
    panel.Ui.MessageBox("Invalid IP Port #. Please reenter a number between 1 and 65535",
                        "Port Error", MsgIcon::None, MsgButtons::Ok);
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
    ConnectToSwitcher(panel);
    panel.View.StatusPanel2 = s.IPAddress;
  }
  return true;
}

// The server directory; false when the OK stops here (the reader has said why).
bool ApplyFileLink(Panel& panel, const SetupForm& form) {
  PanelSettings& s = panel.Settings;
  std::string path = form.dirDirectory;
  if (path.empty() || path.back() != '/') path += '/';
  if (path == s.ServerPath && s.LinkMode == FileMode) return true;

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

// Stores the box's leading number in field when it lies in low..high; otherwise says so.
bool StoreInRange(Panel& panel, const std::string& box, int low, int high, int& field) {
  const int64_t value = LeadingNumber(box);
  if (value < low || value > high) {
    panel.Ui.MessageBox(
        "Please enter a value between " + std::to_string(low) + " and " + std::to_string(high),
        kRangeError, MsgIcon::None, MsgButtons::Ok);
    return false;
  }
  field = static_cast<int>(value);
  return true;
}

// Both selectors go back to their first entries. The displays follow, so that a Take routes
// what the panel shows rather than the entries last shown.
void ShowFirstEntries(Panel& panel) {
  SwitcherState& s = panel.State;
  MainView& view = panel.View;
  s.SelectedOutput = 0;
  s.SelectedInput = 0;
  WhileSelectorsBusy(panel, [&] {
    view.cmdInSel.SetValue(0);
    view.cmdoutSel.SetValue(0);
  });
  if (view.txtOutputDisp.Text == kNoSystem) return;
  if (s.KeyEntryMode) {
    view.txtPresetDisp.Text = "Key 001";
  } else if (s.SalvoMode) {
    DisplayFirstSalvo(panel);
  } else {
    if (!s.OutputAlpha.empty()) view.txtOutputDisp.Text = s.OutputAlpha.front();
    DisplayCurrentInput(panel, true);
  }
}

}  // namespace

void SetupForm_Activate(Panel& panel, SetupForm& form) {
  // Both mode frames share one place in the left column; the view keeps them there.
  if (form.Tag != kInitialTag) return;
  const PanelSettings& s = panel.Settings;

  form.txtPassword = s.Password;
  if (form.dirDirectory.empty()) form.dirDirectory = ProgramDir(panel);
  if (!s.ServerPath.empty()) {
    if (IsReachableDirectory(s.ServerPath)) {
      form.dirDirectory = WithoutTrailingSlash(s.ServerPath);
    } else {
      panel.Ui.MessageBox("Invalid Drive", "Drive Error", MsgIcon::None, MsgButtons::Ok);
      // Only the list moves: the stored directory stays until an OK replaces it, so a share
      // that is offline for the moment is not forgotten at the next save.
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
    return;
  }
  panel.Ui.MessageBox("Drive Error!", "Error", MsgIcon::Exclamation, MsgButtons::Ok);
  form.drvDrive = DriveOf(form.DriveList, form.dirDirectory);
}

void SetupForm_cmdSelect_Click(Panel& panel, SetupForm& form) {
  PanelSettings& s = panel.Settings;
  if (form.optTCPIP) {
    if (RefuseUntravellablePassword(panel, form)) return;
    if (!ApplyTcpIpLink(panel, form)) return;
  } else if (!ApplyFileLink(panel, form)) {
    return;
  }

  // Every box is checked whichever mode is chosen; each good value is kept at once.
  if (!StoreInRange(panel, form.txtPollRate, 1, 3600, s.IPPollPeriod)) return;
  if (!StoreInRange(panel, form.txtRefresh, 1, 32500, s.RefreshRate)) return;
  if (!StoreInRange(panel, form.txtTimeOut, 1, 3600, s.FileTimeOut)) return;
  if (!StoreInRange(panel, form.txtIPTimeOut, 1, 3600, s.IPAllowedMisses)) return;

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
