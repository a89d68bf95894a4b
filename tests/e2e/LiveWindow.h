// The program's main window over the real socket, as the operator starts it: settings in a
// folder of its own, message boxes answered OK and recorded. Tests may tick its link timer by
// hand rather than wait whole poll periods.
#pragma once

#include <QTemporaryDir>

#include <functional>
#include <string>
#include <vector>

#include "core/Panel.h"
#include "ui/MainWindow.h"
#include "ui/QtSocket.h"
#include "ui/QtUi.h"

namespace dazi::testing {

class LiveWindow {
 public:
  LiveWindow();

  // Writes the settings file (unless empty) and starts the window from its folder.
  void Start(const std::string& settings);
  // Runs the event loop until the condition holds or the time is up.
  static bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000);
  // Ticks the link timer every 100 ms until the condition holds.
  bool TickUntil(const std::function<bool()>& condition);
  // Until the switcher link is up and every piece of information has arrived and been shown.
  bool Loaded();
  // Once the named dialog is the modal window, the operator works it: act runs on it once.
  void WhenShown(const char* name, std::function<void(QWidget&)> act);
  // A display's text. Names travel blank-padded to a fixed width; the operator sees no blanks.
  QString Text(const char* display);
  void Click(const char* spinner, bool up, int times = 1);
  void Trigger(const char* action);
  QByteArray ProgramFile(const char* name);

  QTemporaryDir programDir;
  QtSocket socket;
  ui::QtUi ui;
  Panel panel{ui, socket};
  ui::MainWindow window{panel};
  std::vector<std::string> messages;
};

}  // namespace dazi::testing
