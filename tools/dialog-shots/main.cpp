// dialog-shots OUTPUT_DIR: renders the setup dialog (in both modes), the display-list editor and
// the information window over a small studio, each with QWidget::grab(), as the PNG files the
// operator's guide shows. The process gets a scratch home folder, so the directory list shows a
// tidy tree and nothing of the real one.
#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QEventLoop>
#include <QItemSelectionModel>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <cstdio>

#include "model/NullPorts.h"
#include "model/Panel.h"
#include "ui/AboutDialog.h"
#include "ui/DisplayListDialog.h"
#include "ui/SetupDialog.h"

namespace {

// Lets the directory tree load before the picture is taken.
void Settle() {
  QEventLoop loop;
  QTimer::singleShot(300, &loop, &QEventLoop::quit);
  loop.exec();
}

bool Save(QWidget& dialog, const QDir& out, const char* name) {
  Settle();
  const QString path = out.filePath(QString::fromLatin1(name));
  const bool saved = dialog.grab().save(path);
  std::printf("%s%s\n", qPrintable(path), saved ? "" : ": could not be written");
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: dialog-shots OUTPUT_DIR\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  QTemporaryDir home(QDir::tempPath() + "/operator-XXXXXX");
  for (const char* folder : {"Documents", "Shared/ZOR/Server", "Shared/ZOR/Backup", "Studio"})
    QDir(home.path()).mkpath(QString::fromLatin1(folder));
  qputenv("HOME", home.path().toUtf8());

  dazi::QuietUi ui;
  dazi::IdleSocket socket;
  dazi::Panel panel(ui, socket);
  dazi::InitVariables(panel);
  panel.State.AppPath = home.path().toStdString();
  panel.Settings.ServerPath = home.filePath("Shared/ZOR/Server/").toStdString();
  panel.Settings.IPAddress = "192.168.1.20";
  panel.Settings.Password = u"secret";
  bool saved = true;

  dazi::ui::SetupDialog setup(panel, {});
  setup.RefillFromSettings();
  setup.show();
  saved &= Save(setup, out, "screenshot-setup-file.png");
  setup.hide();
  panel.Settings.LinkMode = dazi::TCPIPMode;
  setup.RefillFromSettings();
  setup.show();
  QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));  // the help strip follows
  QApplication::sendEvent(setup.findChild<QWidget*>("txtPassword"), &enter);
  saved &= Save(setup, out, "screenshot-setup-tcpip.png");
  setup.hide();

  const char* names[] = {"CAM 1", "CAM 2", "CAM 3",  "VTR 1", "VTR 2",
                         "GFX 1", "SAT 1", "LINE 1", "BARS",  "- Off -"};
  panel.State.ReplaceInputs(std::vector<std::string>(10), {});
  panel.State.ReplaceInputAlphasByChannel({std::begin(names), std::end(names)});
  panel.Settings.InputDisplayList = "1101100011";
  panel.State.DisplayListTarget = dazi::kInputListTarget;
  dazi::ui::DisplayListDialog lists(panel, {});
  lists.show();
  auto* channels = lists.findChild<QTreeView*>("lvChannel");
  for (int row : {6, 7})
    channels->selectionModel()->select(channels->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
  saved &= Save(lists, out, "screenshot-display-list.png");
  lists.hide();

  panel.State.ReplaceOutputs({"PGM"}, {0});
  panel.Settings.LinkMode = dazi::FileMode;
  dazi::ui::AboutDialog about(panel);
  about.show();
  saved &= Save(about, out, "screenshot-about.png");
  return saved ? 0 : 1;
}
