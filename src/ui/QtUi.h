// What behaviour asks of the toolkit, answered with Qt: message boxes, modal dialogs, the main
// window's stacking, the operator's guide, and closing down.
#pragma once

#include <functional>
#include <string>

#include <QPointer>
#include <QString>

#include "model/Ports.h"

class PasswordDialog;
class QWidget;

namespace dazi {
struct Panel;
}

namespace dazi::ui {

// Text from the wire, the files and the settings is Windows-1252; this turns it into a QString.
QString FromAnsi(const std::string& text);

inline constexpr const char* kGuideFileName = "DaziVedur-Guide.html";

class AboutDialog;
class DisplayListDialog;
class SetupDialog;

class QtUi : public UiPort {
 public:
  QtUi() = default;
  QtUi(const QtUi&) = delete;
  QtUi& operator=(const QtUi&) = delete;
  ~QtUi() override;

  // The panel and the main window exist after this port does (the panel is built on it).
  void Attach(Panel& panel, QWidget* mainWindow);

  MsgResult MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                       MsgButtons buttons) override;
  void ShowDialog(Dialog dialog) override;
  void ClosePasswordPrompt() override;
  void SetWindowPos(int32_t insertAfter) override;
  bool StartHelp() override;
  void CloseAllWindows() override;
  void RunEventsFor(int maxMs) override;

  // Tests answer here instead of an operator: when set, a message box or dialog is not shown;
  // the hook is called in its place (and its answer returned).
  std::function<MsgResult(const std::string& text, const std::string& title, MsgIcon icon,
                          MsgButtons buttons)>
      AnswerMessageBox;
  std::function<void(Dialog dialog)> AnswerDialog;

 private:
  void ShowPasswordPrompt();
  // Shows the dialog modally, built on its first opening and kept for the next ones; `prepare`
  // runs on each opening, even one asked for while the dialog shows already.
  template <typename D, typename Make, typename Prepare>
  void ExecDialog(QPointer<D>& dialog, Make make, Prepare prepare);
  // The main window shows the model as it stands: before any box or dialog opens over it (which
  // the routine that opens it may have changed), and whenever a dialog's routine changed it.
  void RenderMainWindow();

  Panel* panel_ = nullptr;
  QPointer<QWidget> mainWindow_;
  QPointer<PasswordDialog> passwordPrompt_;
  QPointer<SetupDialog> setupDialog_;
  QPointer<DisplayListDialog> displayListDialog_;
  QPointer<AboutDialog> aboutDialog_;
};

}  // namespace dazi::ui
