// The yardstick for the panel's start-up: the smallest Qt Widgets window, built with the same
// flags, timed the same way (scripts/cold-start).
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include "ui/FirstFrameExit.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setCentralWidget(new QLabel(QStringLiteral("Minimal window")));
  dazi::ui::ExitAfterFirstFrameIfAsked(window);
  window.show();
  return QApplication::exec();
}
