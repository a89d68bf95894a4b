// The program's main window over the real socket and File Mode's worker thread, as the operator
// starts it: settings in a folder of its own, message boxes answered OK and recorded. Tests may
// tick its link timer by hand rather than wait whole poll periods.
#pragma once

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <string>
#include <vector>

#include "link_file/ThreadFileWork.h"
#include "model/Panel.h"
#include "panel/MainForm.h"
#include "ui/MainWindow.h"
#include "ui/QtSocket.h"
#include "ui/QtUi.h"
#include "ui/SpinnerWidget.h"

namespace dazi::testing {

class LiveWindow {
 public:
  LiveWindow() {
    ui.Attach(panel, &window);
    ui.AnswerMessageBox = [this](const std::string& text, const std::string&, MsgIcon, MsgButtons) {
      messages.push_back(text);
      return MsgResult::Ok;
    };
    window.listenTo(socket);
    panel.FileWork = &fileWork;
  }

  // Writes the settings file (unless empty) and starts the window from its folder.
  void Start(const std::string& settings) {
    if (!settings.empty()) {
      QFile file(QDir(programDir.path()).filePath("zorntpnl.ini"));
      if (file.open(QIODevice::WriteOnly)) file.write(settings.data(), qint64(settings.size()));
    }
    window.load(programDir.path());
    window.show();
  }
  // Runs the event loop until the condition holds or the time is up.
  static bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000) {
    return QTest::qWaitFor(condition, timeoutMs);
  }
  // Ticks the link timer every 100 ms until the condition holds.
  bool TickUntil(const std::function<bool()>& condition) {
    for (int tick = 0; tick < 50; ++tick) {
      window.dispatch("tmrFileCheck_Timer", [this] { tmrFileCheck_Timer(panel); });
      if (WaitFor(condition, 100)) return true;
    }
    return false;
  }
  // Until the switcher link is up and every piece of information has arrived and been shown.
  bool Loaded() {
    // A server that asks for a password first ignores the polls before it.
    return TickUntil([this] { return panel.State.LinkState && panel.State.InfoPending == 0; }) &&
           TickUntil([this] { return panel.State.InitialDataShown; });
  }
  // Once the named dialog is the modal window, the operator works it: act runs on it once.
  void WhenShown(const char* name, std::function<void(QWidget&)> act) {
    auto* watch = new QTimer(&window);
    QObject::connect(watch, &QTimer::timeout, watch, [watch, name, act = std::move(act)] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal || modal->objectName() != QLatin1String(name)) return;
      watch->stop();
      watch->deleteLater();
      act(*modal);
    });
    watch->start(20);
  }
  // A display's text. Names travel blank-padded to a fixed width; the operator sees no blanks.
  QString Text(const char* display) {
    return window.findChild<QLineEdit*>(QString::fromLatin1(display))->text().trimmed();
  }
  void Click(const char* spinner, bool up, int times = 1) {
    auto* widget = window.findChild<ui::SpinnerWidget*>(QString::fromLatin1(spinner));
    for (int i = 0; i < times; ++i)
      QTest::mouseClick(up ? widget->upButton() : widget->downButton(), Qt::LeftButton);
  }
  void Trigger(const char* action) {
    window.findChild<QAction*>(QString::fromLatin1(action))->trigger();
  }
  QByteArray ProgramFile(const char* name) {
    QFile file(QDir(programDir.path()).filePath(QString::fromLatin1(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir programDir;
  QtSocket socket;
  ui::QtUi ui;
  Panel panel{ui, socket};
  ui::MainWindow window{panel};
  // File Mode's file work on a worker, as the program runs it.
  ThreadFileWork fileWork{[this](std::function<void()> done) { window.post(std::move(done)); }};
  std::vector<std::string> messages;
};

}  // namespace dazi::testing
