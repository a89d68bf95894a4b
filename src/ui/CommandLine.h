// The panel's command line: --help, --version, --settings-dir DIR, --log-link. Parsed before any
// window exists, so that --help and --version work without a display.
#pragma once

#include <QString>
#include <QStringList>

namespace dazi::ui {

struct CommandLine {
  enum class Action { Run, Help, Version, Error };
  Action action = Action::Run;
  QString settingsDir;  // empty when not given
  bool logLink = false;
  QString error;  // what was wrong, for Action::Error
};

// arguments as the program got them, its own name first. Qt's own window-system options
// (-platform, -style, ...) are let through for QApplication.
CommandLine ParseCommandLine(const QStringList& arguments);

// The option list, followed by the given note on where the settings are kept.
QString HelpText(const QString& settingsNote);
QString VersionText();

}  // namespace dazi::ui
