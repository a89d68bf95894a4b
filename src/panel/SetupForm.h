// The setup dialog, frmTolenFile, as plain data: the contents of its controls, and the routines
// of its events. The Qt view copies its widgets here before an event and back after it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dazi {

struct Panel;

inline constexpr const char* kSetupCaption = "ZOR Tolen DaziVedur";
// The openers put this into the tag; activation fills the controls only when it finds it.
inline constexpr const char* kInitialTag = "Initial";

struct SetupForm {
  std::string Tag;
  bool Visible = false;  // the view shows the dialog; OK and Cancel hide it

  bool frFileModeVisible = true;
  bool frIPModeVisible = false;

  std::vector<std::string> DriveList;  // drvDrive's entries, filled by the view
  std::string drvDrive;                // the chosen entry
  std::string dirDirectory;            // the folder chosen in the directory list
  // The server directory OK takes: the list's choice, or a path typed or pasted into the box
  // below the list. Paths here are the file system's bytes; the view shows them as ShownPath.
  std::string txtDirectory;

  std::string txtRefresh = "100";
  std::string txtTimeOut = "30";
  std::string txtIP = "000.000.000.000";
  std::string txtIpPort = "1250";
  std::u16string txtPassword;
  std::string txtPollRate = "1";
  std::string txtIPTimeOut = "20";

  bool ChkHideInhibits = false;
  bool chkStayOnTop = false;
  bool optFile = true;
  bool optTCPIP = false;

  std::string lblHelp;
  // A control that asks for the keyboard focus, its text selected: the entry an OK stopped at.
  // The view clears it.
  std::string FocusControl;
};

// The boxes with a key filter.
enum class SetupBox {
  txtRefresh,
  txtTimeOut,
  txtIP,
  txtIpPort,
  txtPassword,
  txtPollRate,
  txtIPTimeOut
};

void SetupForm_Activate(Panel& panel, SetupForm& form);
void SetupForm_optFile_Click(Panel& panel, SetupForm& form);
void SetupForm_optTCPIP_Click(Panel& panel, SetupForm& form);
void SetupForm_drvDrive_Change(Panel& panel, SetupForm& form);
// The operator chose dirDirectory in the list (a click, the arrow keys, Enter, a double-click).
void SetupForm_dirDirectory_Change(Panel& panel, SetupForm& form);
// Enter in the path box: the typed directory is opened in the list, when it can be reached.
void SetupForm_txtDirectory_Enter(Panel& panel, SetupForm& form);
// The mouse over a control, by its name: its help text, if it has one, goes to lblHelp.
void SetupForm_MouseMove(SetupForm& form, std::string_view control);
void SetupForm_cmdSelect_Click(Panel& panel, SetupForm& form);
void SetupForm_cmdCancel_Click(Panel& panel, SetupForm& form);

// A typed character (or one of pasted text): itself when the box takes it, 0 when it is
// discarded before it reaches the box. Backspace (8) always passes.
int SetupBox_KeyPress(SetupBox box, int keyAscii);

// The help text of a control (by name) with the option buttons as they stand; empty when the
// control has none.
std::string SetupHelpText(const SetupForm& form, std::string_view control);

// True when txtIP holds four parts separated by full stops; txtIP is then rewritten in its
// normal form, each part 0..255 in plain decimal.
bool CheckIPAddress(std::string& txtIP);

}  // namespace dazi
