// What the panel's dialog views share: names for assistive technology, and activation as the
// panel's dialogs have always seen it.
#pragma once

#include <QString>

class QWidget;

namespace dazi::ui {

// The caption as read aloud: without the ampersand that marks its access key.
QString WithoutMnemonic(QString caption);

// Gives the control an accessible name and description (its caption and its tooltip or help).
void SetAccessible(QWidget* control, const QString& name, const QString& description);

// A dialog is activated when it is shown, and again when it becomes the active window after
// another window of this program was (a message box, the password prompt). Coming back from
// another program is not an activation: the operator's work in the dialog must not be
// refilled for that.
class ProgramActivation {
 public:
  // Call on every ActivationChange of the dialog; true when it counts as an activation.
  bool Changed(const QWidget* dialog);

 private:
  bool leftForOwnWindow_ = false;
};

}  // namespace dazi::ui
