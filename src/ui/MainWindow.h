// The main window, frmTolenMain: a low strip of displays, two spinners and Take, with its menus,
// status bar and timers. It holds no behaviour: every event goes to the core through dispatch(),
// and render() then copies the panel's View into the widgets.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <QMainWindow>

namespace dazi {
struct Panel;
struct DisplayBox;
struct TimerState;
}  // namespace dazi

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QtSocket;

namespace dazi::ui {

class FindList;
class SpinnerWidget;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(Panel& panel, QWidget* parent = nullptr);

  // Runs the start-up (message boxes and dialogs may show during it). Call before show().
  void load(const QString& programDir);

  // Takes the socket's connect, close and data-arrival events as the panel's own.
  void listenTo(QtSocket& socket);

  // Runs a core routine as the handler of one event, then redraws from the View. `routine` names
  // it for the link log, should it end by an error it did not trap.
  void dispatch(std::string_view routine, const std::function<void()>& step);
  // The same, later, as an event of its own; safe to call from any thread (File Mode's worker
  // hands its results back this way). Dropped if the window has gone meanwhile.
  void post(std::function<void()> step);
  // Copies the View into the widgets, touching only what changed.
  void render();

 public slots:
  // The socket's events.
  void onSocketConnect();
  void onSocketClose();
  void onSocketData(int byteCount);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // What was last applied to a display, so unchanged ones are left alone.
  struct Shown {
    std::optional<std::string> text;
    int color = -1;
  };

  void buildStrip();
  void buildMenus();
  void buildStatusBar();
  void buildTimers();
  QRect twips(int left, int top, int width, int height) const;
  void applyDisplay(QLineEdit* box, const DisplayBox& view, Shown& shown);
  static void applyTimer(QTimer* timer, const TimerState& state);
  static void applyText(QAction* action, const std::string& caption,
                        std::optional<std::string>& shown);

  Panel& panel_;
  double scale_ = 1.0;  // logical DPI / 96

  QLabel* imgBackgnd_ = nullptr;
  QLineEdit* txtOutputDisp_ = nullptr;
  QLineEdit* txtInputDisp_ = nullptr;
  QLineEdit* txtPresetDisp_ = nullptr;
  SpinnerWidget* cmdoutSel_ = nullptr;
  SpinnerWidget* cmdInSel_ = nullptr;
  QPushButton* cmdTake_ = nullptr;
  QLabel* statusPanel1_ = nullptr;
  QLabel* statusPanel2_ = nullptr;
  QAction* mnuSalvoMode_ = nullptr;
  QAction* mnuConnect_ = nullptr;
  QTimer* tmrFileCheck_ = nullptr;
  QTimer* tmrPoll_ = nullptr;
  QTimer* tmrSalvoMsg_ = nullptr;
  FindList* findList_ = nullptr;

  Shown shownOutput_;
  Shown shownInput_;
  Shown shownPreset_;
  std::optional<std::string> shownCaption_;
  std::optional<std::string> shownStatus1_;
  std::optional<std::string> shownStatus2_;
  std::optional<std::string> shownSalvoMode_;
  std::optional<std::string> shownConnect_;
};

}  // namespace dazi::ui
