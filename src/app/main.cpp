// DaziVedur: reads the command line, chooses the settings folder, builds the panel, its Qt
// adapters and the main window, loads, and runs.
#include <QApplication>
#include <QLoggingCategory>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <system_error>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "BuildInfo.h"
#include "link_file/ThreadFileWork.h"
#include "model/Panel.h"
#include "settings/SettingsFolder.h"
#include "ui/Artwork.h"
#include "ui/CommandLine.h"
#include "ui/FirstFrameExit.h"
#include "ui/MainWindow.h"
#include "ui/QtLinkLog.h"
#include "ui/QtSocket.h"
#include "ui/QtUi.h"

namespace {

namespace fs = std::filesystem;
using dazi::ui::CommandLine;

// Exit status for a command line the program cannot act on.
constexpr int kUsageError = 2;

int UsageError(const QString& text) {
  std::fprintf(stderr, "dazivedur: %s\nTry 'dazivedur --help' for more information.\n",
               qUtf8Printable(text));
  return kUsageError;
}

// What --help and --version print. Output that cannot be written (a full disk) is a failure, not
// a success.
int PrintAndExit(const QString& text) {
  if (std::fputs(qUtf8Printable(text), stdout) < 0 || std::fflush(stdout) != 0) {
    std::fputs("dazivedur: cannot write to standard output\n", stderr);
    return EXIT_FAILURE;
  }
  return EXIT_SUCCESS;
}

// The folder the running program lives in, symbolic links resolved; known before Qt starts.
fs::path ProgramFolder(const char* argv0) {
  std::error_code ec;
  fs::path program = fs::read_symlink("/proc/self/exe", ec);
  if (ec) program = fs::weakly_canonical(fs::absolute(argv0, ec), ec);
  return program.parent_path();
}

QString SettingsNote(const dazi::SettingsFolderChoice& choice) {
  const char* why = "";
  switch (choice.Kind) {
    case dazi::SettingsFolderKind::Requested:
      why = "as --settings-dir asks";
      break;
    case dazi::SettingsFolderKind::Portable:
      why = "beside the program, a portable copy";
      break;
    case dazi::SettingsFolderKind::PerUser:
      why = "per user, the program being installed";
      break;
  }
  return QStringLiteral("Settings folder: %1 (%2)")
      .arg(QString::fromStdString(choice.Folder.string()), QString::fromLatin1(why));
}

QStringList Arguments(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return arguments;
}

}  // namespace

int main(int argc, char** argv) {
  const CommandLine command = dazi::ui::ParseCommandLine(Arguments(argc, argv));
  if (command.action == CommandLine::Action::Error) return UsageError(command.error);
  if (command.action == CommandLine::Action::Version) return PrintAndExit(dazi::ui::VersionText());

  const fs::path requested = command.settingsDir.toStdU16String();
  if (!requested.empty()) {
    if (const std::string error = dazi::CheckRequestedFolder(requested); !error.empty())
      return UsageError(QString::fromStdString(error));
  }
  const fs::path programFolder = ProgramFolder(argv[0]);
  const dazi::SettingsFolderChoice settings =
      dazi::ChooseSettingsFolder(dazi::ReadSettingsFolderFacts(programFolder, requested));
  if (command.action == CommandLine::Action::Help)
    return PrintAndExit(dazi::ui::HelpText(SettingsNote(settings)));
  if (settings.Folder.empty())
    return UsageError(QStringLiteral("no home folder to keep the settings in; use --settings-dir"));
  if (settings.Kind == dazi::SettingsFolderKind::PerUser) {
    // The panel still runs: it can be set up and used, it just cannot keep its settings.
    if (const std::string error = dazi::PrepareSettingsFolder(settings.Folder); !error.empty())
      std::fprintf(stderr, "dazivedur: %s\n", error.c_str());
  }

  if (command.logLink) QLoggingCategory::setFilterRules(dazi::ui::QtLinkLog::Rules());

#ifdef __GLIBC__
  // Large blocks (socket buffers, maps, long messages) come straight from the system and go
  // back to it when freed. Left to itself, glibc raises this threshold after freeing such a
  // block and keeps later ones in its heap, where they stay resident long after a burst.
  mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tolen DaziVedur"));
  QApplication::setApplicationVersion(QString::fromLatin1(dazi::build::kVersion));
  QGuiApplication::setDesktopFileName(QStringLiteral("dazivedur"));
  QApplication::setWindowIcon(dazi::ui::WindowIcon());

  QtSocket socket;
  dazi::ui::QtUi ui;
  dazi::ui::QtLinkLog linkLog;
  dazi::Panel panel(ui, socket);
  panel.SettingsFolder = settings.Folder;
  if (dazi::ui::QtLinkLog::Wanted()) panel.Log = &linkLog;
  dazi::ui::MainWindow window(panel);
  ui.Attach(panel, &window);
  // File Mode's file work runs on a worker; what it hands back is applied like any other event.
  // Declared after the window, so that it lets go of its worker before the window goes.
  dazi::ThreadFileWork fileWork([&window](std::function<void()> done) { window.post(done); });
  panel.FileWork = &fileWork;

  window.listenTo(socket);

  window.load(QString::fromStdU16String(programFolder.u16string()));
  // The operator may have ended the program from a dialog shown while loading.
  if (panel.Unloading) return 0;
  dazi::ui::ExitAfterFirstFrameIfAsked(window);
  window.show();
  return QApplication::exec();
}
