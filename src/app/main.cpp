// DaziVedur: builds the panel, its Qt adapters and the main window, loads, and runs.
#include <QApplication>
#include <cstdlib>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "core/Panel.h"
#include "ui/Artwork.h"
#include "ui/FirstFrameExit.h"
#include "ui/MainWindow.h"
#include "ui/QtSocket.h"
#include "ui/QtUi.h"

int main(int argc, char** argv) {
#ifdef __GLIBC__
  // Large blocks (socket buffers, maps, long messages) come straight from the system and go
  // back to it when freed. Left to itself, glibc raises this threshold after freeing such a
  // block and keeps later ones in its heap, where they stay resident long after a burst.
  mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tolen DaziVedur"));
  QApplication::setWindowIcon(dazi::ui::WindowIcon());

  QtSocket socket;
  dazi::ui::QtUi ui;
  dazi::Panel panel(ui, socket);
  dazi::ui::MainWindow window(panel);
  ui.Attach(panel, &window);

  using dazi::ui::MainWindow;
  QObject::connect(&socket, &QtSocket::connectEvent, &window, &MainWindow::onSocketConnect);
  QObject::connect(&socket, &QtSocket::closeEvent, &window, &MainWindow::onSocketClose);
  QObject::connect(&socket, &QtSocket::dataArrival, &window, &MainWindow::onSocketData);

  window.load(QCoreApplication::applicationDirPath());
  // The operator may have ended the program from a dialog shown while loading.
  if (panel.Unloading) return 0;
  dazi::ui::ExitAfterFirstFrameIfAsked(window);
  window.show();
  return QApplication::exec();
}
