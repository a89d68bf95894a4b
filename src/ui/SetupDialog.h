// The setup dialog, frmTolenFile: a thin view over its SetupForm and the form's routines. One
// instance serves every opening, so the form outlives them; OK and Cancel hide it.
#pragma once

#include <functional>
#include <string>

#include <QDialog>

#include "panel/SetupForm.h"
#include "ui/DialogParts.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeView;

namespace dazi {
struct Panel;
}  // namespace dazi

namespace dazi::ui {

class DirectoryTree;

class SetupDialog : public QDialog {
  Q_OBJECT

 public:
  // afterEvent runs after each routine, so the main window shows what the routine changed.
  SetupDialog(Panel& panel, std::function<void()> afterEvent, QWidget* parent = nullptr);

  // Escape and the close box: Cancel.
  void reject() override;

  // Every opening asks for this: the next activation fills the controls from the settings.
  void RefillFromSettings() { form_.Tag = kInitialTag; }
  const SetupForm& form() const { return form_; }

 protected:
  // Enter runs OK only from the number, address and password boxes (and presses a button that
  // has the focus); in the directory list it chooses the folder, in the path box it opens the
  // typed folder, and elsewhere it does nothing.
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  // The help strip: the mouse reaching a control with help.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void build();
  QWidget* buildFileFrame();
  QWidget* buildTcpIpFrame();
  QWidget* buildRightColumn();
  void fillDrives();

  // Copies the widgets to the form, runs a routine, copies the form back, and hides the dialog
  // when the routine asks for it. Routines do not nest: a message box closing inside one
  // re-activates the dialog, and that activation must not copy half-finished widgets.
  void run(const std::function<void(Panel&, SetupForm&)>& routine);
  void toForm();
  void fromForm();
  void showDirectory();
  // The folder the operator reached in the list becomes the choice; opening also unfolds it.
  void chooseFolder(bool open);

  Panel& panel_;
  SetupForm form_;
  std::function<void()> afterEvent_;
  ProgramActivation activation_;
  bool running_ = false;

  QGroupBox* frFileMode_ = nullptr;
  QWidget* frDirSelect_ = nullptr;
  QTreeView* dirDirectory_ = nullptr;
  DirectoryTree* directories_ = nullptr;
  QLineEdit* txtDirectory_ = nullptr;
  QComboBox* drvDrive_ = nullptr;
  QLineEdit* txtRefresh_ = nullptr;
  QLineEdit* txtTimeOut_ = nullptr;
  QGroupBox* frIPMode_ = nullptr;
  QLineEdit* txtIP_ = nullptr;
  QLineEdit* txtIpPort_ = nullptr;
  QLineEdit* txtPassword_ = nullptr;
  QLineEdit* txtPollRate_ = nullptr;
  QLineEdit* txtIPTimeOut_ = nullptr;
  QPushButton* cmdSelect_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
  QCheckBox* ChkHideInhibits_ = nullptr;
  QCheckBox* chkStayOnTop_ = nullptr;
  QRadioButton* optFile_ = nullptr;
  QRadioButton* optTCPIP_ = nullptr;
  QLabel* lblHelp_ = nullptr;

  std::string shownDrive_;
  std::string shownDirectory_;
};

}  // namespace dazi::ui
