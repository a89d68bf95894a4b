// The password prompt's window: a thin view over PasswordForm and its routines.
#pragma once

#include <QDialog>

#include "link_tcp/PasswordPrompt.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QShowEvent;

namespace dazi {
struct Panel;
}

class PasswordDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PasswordDialog(dazi::Panel& panel, QWidget* parent = nullptr);
  ~PasswordDialog() override;

  // Every way of closing ends here: the buttons, Escape, the close box, and the link.
  void done(int result) override;
  // Escape and the close box: the operator declines, which the server must hear (as Cancel).
  void reject() override;
  // The link went down: the prompt closes without sending anything.
  void closeForLink();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Copies the controls to the form, runs a routine of the prompt, copies the form back, and
  // closes the window when the routine asks for it.
  template <typename Routine>
  void Run(Routine routine);

  dazi::Panel& panel_;
  dazi::PasswordForm form_;
  bool open_ = false;  // activated and not yet unloaded

  QLabel* LblSwitcher_;
  QLabel* lblIP_;
  QLineEdit* txtPassword_;
  QPushButton* cmdOk_;
  QPushButton* cmdCancel_;
};
