#include "e2e/LiveWindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "core/MainForm.h"
#include "ui/SpinnerWidget.h"

namespace dazi::testing {

LiveWindow::LiveWindow() {
  ui.Attach(panel, &window);
  ui.AnswerMessageBox = [this](const std::string& text, const std::string&, MsgIcon, MsgButtons) {
    messages.push_back(text);
    return MsgResult::Ok;
  };
  QObject::connect(&socket, &QtSocket::connectEvent, &window, &ui::MainWindow::onSocketConnect);
  QObject::connect(&socket, &QtSocket::closeEvent, &window, &ui::MainWindow::onSocketClose);
  QObject::connect(&socket, &QtSocket::dataArrival, &window, &ui::MainWindow::onSocketData);
}

void LiveWindow::Start(const std::string& settings) {
  if (!settings.empty()) {
    QFile file(QDir(programDir.path()).filePath("zorntpnl.ini"));
    if (file.open(QIODevice::WriteOnly)) file.write(settings.data(), qint64(settings.size()));
  }
  window.load(programDir.path());
  window.show();
}

bool LiveWindow::WaitFor(const std::function<bool()>& condition, int timeoutMs) {
  return QTest::qWaitFor(condition, timeoutMs);
}

bool LiveWindow::TickUntil(const std::function<bool()>& condition) {
  for (int tick = 0; tick < 50; ++tick) {
    window.dispatch([this] { tmrFileCheck_Timer(panel); });
    if (WaitFor(condition, 100)) return true;
  }
  return false;
}

bool LiveWindow::Loaded() {
  // A server that asks for a password first ignores the polls before it.
  return TickUntil([this] { return panel.State.LinkState && panel.State.InfoPending == 0; }) &&
         TickUntil([this] { return panel.State.InitialDataShown; });
}

void LiveWindow::WhenShown(const char* name, std::function<void(QWidget&)> act) {
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

QString LiveWindow::Text(const char* display) {
  return window.findChild<QLineEdit*>(QString::fromLatin1(display))->text().trimmed();
}

void LiveWindow::Click(const char* spinner, bool up, int times) {
  auto* widget = window.findChild<ui::SpinnerWidget*>(QString::fromLatin1(spinner));
  for (int i = 0; i < times; ++i)
    QTest::mouseClick(up ? widget->upButton() : widget->downButton(), Qt::LeftButton);
}

void LiveWindow::Trigger(const char* action) {
  window.findChild<QAction*>(QString::fromLatin1(action))->trigger();
}

QByteArray LiveWindow::ProgramFile(const char* name) {
  QFile file(QDir(programDir.path()).filePath(QString::fromLatin1(name)));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace dazi::testing
