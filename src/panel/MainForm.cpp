#include "panel/MainForm.h"

#include "link_file/NetworkFiles.h"
#include "link_tcp/Connection.h"
#include "model/Panel.h"
#include "panel/DisplayListForm.h"
#include "settings/IniFile.h"

namespace dazi {

namespace {

void ShowNoSystem(Panel& panel) {
  panel.View.txtInputDisp.Text = kNoSystem;
  panel.View.txtPresetDisp.Text = kNoSystem;
  panel.View.txtOutputDisp.Text = kFirstOutput;
}

// Every opening of the setup dialog fills its controls from the settings (see UiPort).
void ShowSetupDialog(Panel& panel) {
  panel.Ui.ShowDialog(Dialog::Setup);
}

// Dialogs opened from the menu come to the front: the main window lets go of its topmost place
// while one is open.
void ShowDialogFromMenu(Panel& panel, Dialog dialog) {
  panel.Ui.SetWindowPos(kStayOnTopNo);
  if (dialog == Dialog::Setup)
    ShowSetupDialog(panel);
  else
    panel.Ui.ShowDialog(dialog);
  panel.Ui.SetWindowPos(panel.Settings.StayOnTop);
}

void ServerFilesNotFound(Panel& panel) {
  panel.State.FileLinkDown = true;
  panel.View.StatusPanel1 = "Switcher Link (NC) ";
  panel.View.StatusPanel2 = kStatusNoServer;
  panel.Ui.MessageBox(kServerFilesNotFound, kErrorReadingFile, MsgIcon::None, MsgButtons::OkCancel);
  ShowNoSystem(panel);
  ShowSetupDialog(panel);
  panel.Ui.SetWindowPos(panel.Settings.StayOnTop);
}

}  // namespace

void Form_Load(Panel& panel, const std::filesystem::path& programDir) {
  panel.State.AppPath = programDir;
  InitVariables(panel);
  if (ReadIniFile(panel)) {
    if (ReadNetworkFiles(panel)) {
      if (panel.Settings.LinkMode == TCPIPMode && HasServerAddress(panel.Settings))
        ConnectToSwitcher(panel);
      return;
    }
  } else {
    LoadDisplayLists(panel);
    panel.Ui.MessageBox(kNotConfiguredText, kAppTitle, MsgIcon::Exclamation, MsgButtons::Ok);
    ShowNoSystem(panel);
    ShowSetupDialog(panel);
    if (ReadNetworkFiles(panel)) return;
  }
  ServerFilesNotFound(panel);
}

void Unload_Program(Panel& panel) {
  if (panel.Unloading) return;
  panel.Unloading = true;
  WriteIniFile(panel);
  panel.View.tmrFileCheck.Enabled = false;
  panel.Ui.CloseAllWindows();
  panel.Socket.Close();
}

void Form_Unload(Panel& panel) {
  Unload_Program(panel);
}
void mnuExit_Click(Panel& panel) {
  Unload_Program(panel);
}

void mnuServerSetup_Click(Panel& panel) {
  ShowDialogFromMenu(panel, Dialog::Setup);
}

void mnuInDisplay_Click(Panel& panel) {
  panel.State.DisplayListTarget = kInputListTarget;
  ShowDialogFromMenu(panel, Dialog::InputDisplayList);
}

void mnuOutDisplay_Click(Panel& panel) {
  panel.State.DisplayListTarget = kOutputListTarget;
  ShowDialogFromMenu(panel, Dialog::OutputDisplayList);
}

void mnuAbout_Click(Panel& panel) {
  ShowDialogFromMenu(panel, Dialog::About);
}

void mnuContents_Click(Panel& panel) {
  if (!panel.Ui.StartHelp())
    panel.Ui.MessageBox(
        "The operator's guide could not be opened: no browser or help viewer "
        "is available on this computer.",
        kAppTitle, MsgIcon::Exclamation, MsgButtons::Ok);
}

void tmrFileCheck_Timer(Panel& panel) {
  if (panel.Settings.LinkMode == TCPIPMode)
    PollTick(panel);
  else
    FileRefreshTick(panel);
}

}  // namespace dazi
