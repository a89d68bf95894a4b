#include "ui/QtUi.h"

#include <array>
#include <filesystem>
#include <system_error>

#include <QApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <QWindow>

#include "BuildInfo.h"
#include "model/Panel.h"
#include "ui/AboutDialog.h"
#include "ui/DisplayListDialog.h"
#include "ui/MainWindow.h"
#include "ui/MessageText.h"
#include "ui/PasswordDialog.h"
#include "ui/SetupDialog.h"

namespace dazi::ui {

QString FromAnsi(const std::string& text) {
  // 0x80..0x9F are where Windows-1252 differs from Latin-1; 0 marks the five unassigned codes,
  // which Windows maps to the control characters of the same value.
  static constexpr std::array<char16_t, 32> kHigh = {
      0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  QString out;
  out.reserve(static_cast<qsizetype>(text.size()));
  for (unsigned char byte : text) {
    char16_t unit = byte;
    if (byte >= 0x80 && byte <= 0x9F && kHigh[byte - 0x80] != 0) unit = kHigh[byte - 0x80];
    out.append(QChar(unit));
  }
  return out;
}

namespace {

// While it lives, the windows open when it began take no input from the mouse or the keyboard; a
// box opened meanwhile takes it as usual.
class InputDropped final : public QObject {
 public:
  InputDropped() : modal_(QApplication::activeModalWidget()) {
    QCoreApplication::instance()->installEventFilter(this);
  }
  ~InputDropped() override { QCoreApplication::instance()->removeEventFilter(this); }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (QApplication::activeModalWidget() != modal_) return false;
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
      case QEvent::Shortcut:
      case QEvent::Wheel:
        return true;
      default:
        return false;
    }
  }

 private:
  QPointer<QWidget> modal_;
};

}  // namespace

QtUi::~QtUi() {
  // Dialogs with the main window as parent went with it; the others are ours to end.
  for (QDialog* dialog :
       std::initializer_list<QDialog*>{setupDialog_, displayListDialog_, aboutDialog_}) {
    if (dialog && !dialog->parent()) delete dialog;
  }
}

void QtUi::Attach(Panel& panel, QWidget* mainWindow) {
  panel_ = &panel;
  mainWindow_ = mainWindow;
}

MsgResult QtUi::MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                           MsgButtons buttons) {
  RenderMainWindow();
  if (AnswerMessageBox) return AnswerMessageBox(text, title, icon, buttons);

  QMessageBox::Icon qtIcon = QMessageBox::NoIcon;
  switch (icon) {
    case MsgIcon::Critical:
      qtIcon = QMessageBox::Critical;
      break;
    case MsgIcon::Exclamation:
      qtIcon = QMessageBox::Warning;
      break;
    case MsgIcon::Information:
      qtIcon = QMessageBox::Information;
      break;
    case MsgIcon::None:
      break;
  }
  const auto qtButtons = buttons == MsgButtons::OkCancel
                             ? QMessageBox::Ok | QMessageBox::Cancel
                             : QMessageBox::StandardButtons(QMessageBox::Ok);
  // A box belongs to the dialog that raised it, else to the main window; before the main window
  // is first shown, and with no dialog open, it stands on its own.
  QWidget* parent = QApplication::activeModalWidget();
  if (!parent && mainWindow_ && mainWindow_->isVisible()) parent = mainWindow_.data();
  QMessageBox box(qtIcon, FromAnsi(title), QString(), qtButtons, parent);
  SetMessageText(box, FromAnsi(text));
  return box.exec() == QMessageBox::Cancel ? MsgResult::Cancel : MsgResult::Ok;
}

void QtUi::ShowDialog(Dialog dialog) {
  RenderMainWindow();
  if (AnswerDialog) {
    AnswerDialog(dialog);
    return;
  }
  switch (dialog) {
    case Dialog::Password:
      ShowPasswordPrompt();
      break;
    case Dialog::Setup:
      ExecDialog(
          setupDialog_,
          [this](QWidget* parent) {
            return new SetupDialog(
                *panel_, [this] { RenderMainWindow(); }, parent);
          },
          [](SetupDialog& setup) { setup.RefillFromSettings(); });
      break;
    case Dialog::InputDisplayList:
    case Dialog::OutputDisplayList:
      ExecDialog(
          displayListDialog_,
          [this](QWidget* parent) {
            return new DisplayListDialog(
                *panel_, [this] { RenderMainWindow(); }, parent);
          },
          [](DisplayListDialog&) {});
      break;
    case Dialog::About:
      ExecDialog(
          aboutDialog_, [this](QWidget* parent) { return new AboutDialog(*panel_, parent); },
          [](AboutDialog&) {});
      break;
  }
}

template <typename D, typename Make, typename Prepare>
void QtUi::ExecDialog(QPointer<D>& dialog, Make make, Prepare prepare) {
  if (!panel_) return;
  if (!dialog) dialog = make(mainWindow_.data());
  prepare(*dialog);
  // Each dialog is opened once at a time; a second request while it shows has nothing to add.
  if (dialog->isVisible()) return;
  dialog->exec();
}

void QtUi::RenderMainWindow() {
  if (auto* window = qobject_cast<MainWindow*>(mainWindow_.data())) window->render();
}

void QtUi::ShowPasswordPrompt() {
  if (!panel_) return;
  PasswordDialog prompt(*panel_, mainWindow_.data());
  // A prompt opened inside another (a second request while one is showing) must not lose track
  // of the outer one.
  QPointer<PasswordDialog> outer = passwordPrompt_;
  passwordPrompt_ = &prompt;
  prompt.exec();
  passwordPrompt_ = outer;
}

void QtUi::ClosePasswordPrompt() {
  if (passwordPrompt_) passwordPrompt_->closeForLink();
}

void QtUi::SetWindowPos(int32_t insertAfter) {
  if (!mainWindow_ || (insertAfter != kStayOnTopYes && insertAfter != kStayOnTopNo)) return;
  const bool onTop = insertAfter == kStayOnTopYes;
  const Qt::WindowFlags flags = mainWindow_->windowFlags();
  if (flags.testFlag(Qt::WindowStaysOnTopHint) == onTop) return;
  const Qt::WindowFlags wanted =
      onTop ? flags | Qt::WindowStaysOnTopHint : flags & ~Qt::WindowFlags(Qt::WindowStaysOnTopHint);
  // QWidget::setWindowFlags would hide the window and map it again: on a desktop it blinks,
  // may move and loses the focus. The existing native window changes its stacking in place
  // instead (on X11 through _NET_WM_STATE_ABOVE); the widget only records the new flags.
  mainWindow_->overrideWindowFlags(wanted);
  if (QWindow* window = mainWindow_->windowHandle()) window->setFlags(wanted);
}

bool QtUi::StartHelp() {
  if (!panel_) return false;
  // Beside the program in a build or a portable copy; in the documentation folder when installed.
  const std::filesystem::path& program = panel_->State.AppPath;
  for (const std::filesystem::path& folder : {program, program / build::kDocDirFromBinDir}) {
    const std::filesystem::path guide = (folder / kGuideFileName).lexically_normal();
    std::error_code error;
    if (std::filesystem::is_regular_file(guide, error))
      return QDesktopServices::openUrl(
          QUrl::fromLocalFile(QString::fromStdU16String(guide.u16string())));
  }
  return false;
}

void QtUi::RunEventsFor(int maxMs) {
  RenderMainWindow();
  // The operator's clicks and keys are dropped while behaviour waits, not kept for later: the
  // toolkit's own way of holding them back hands them on in the next loop, where a Take clicked
  // once was seen to run again and again.
  const InputDropped dropped;
  // One pass that waits for something to happen; the timer makes sure it comes in time.
  QEventLoop loop;
  QTimer::singleShot(maxMs, &loop, [] {});
  loop.processEvents(QEventLoop::WaitForMoreEvents);
}

void QtUi::CloseAllWindows() {
  // Modal windows first, the innermost first; a window that refuses to close stops the loop
  // rather than spinning on it.
  while (QWidget* modal = QApplication::activeModalWidget()) {
    if (!modal->close()) break;
  }
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window != mainWindow_ && window->isVisible()) window->close();
  }
  if (mainWindow_) mainWindow_->close();
  QCoreApplication::quit();
}

}  // namespace dazi::ui
