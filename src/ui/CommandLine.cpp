#include "ui/CommandLine.h"

#include <QCommandLineParser>

#include "BuildInfo.h"

namespace dazi::ui {

namespace {

constexpr const char* kProgram = "dazivedur";

// Options QApplication takes for itself; they are passed on to it untouched.
constexpr const char* kQtValueOptions[] = {"platform",
                                           "platformpluginpath",
                                           "platformtheme",
                                           "plugin",
                                           "style",
                                           "stylesheet",
                                           "qwindowgeometry",
                                           "geometry",
                                           "qwindowtitle",
                                           "title",
                                           "qwindowicon",
                                           "icon",
                                           "display",
                                           "session",
                                           "name",
                                           "fontengine"};
constexpr const char* kQtFlagOptions[] = {"reverse", "nograb", "dograb", "sync", "widgetcount"};

void AddOptions(QCommandLineParser& parser) {
  parser.setApplicationDescription(
      QStringLiteral("DaziVedur: the control panel of a broadcast routing switcher."));
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.addOption({{"h", "help"}, "Shows this help."});
  parser.addOption({{"v", "version"}, "Shows the version."});
  parser.addOption({"settings-dir",
                    "Keeps zorntpnl.ini and DisplayList.dat in <folder>, which must exist; one "
                    "folder per router lets one desktop run a panel for each.",
                    "folder"});
  parser.addOption({"log-link",
                    "Logs every message to and from the server, and the connection's events, "
                    "on standard error (logging category dazivedur.link)."});
  for (const char* name : kQtValueOptions) {
    QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
  for (const char* name : kQtFlagOptions) {
    QCommandLineOption option(QString::fromLatin1(name));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  AddOptions(parser);
  CommandLine result;
  if (!parser.parse(arguments)) {
    result.action = CommandLine::Action::Error;
    result.error = parser.errorText();
    return result;
  }
  if (!parser.positionalArguments().isEmpty()) {
    result.action = CommandLine::Action::Error;
    result.error = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments()[0]);
    return result;
  }
  result.logLink = parser.isSet("log-link");
  if (parser.isSet("settings-dir")) {
    // Given twice, the last one counts, as with most programs.
    result.settingsDir = parser.values("settings-dir").constLast();
    if (result.settingsDir.isEmpty()) {
      result.action = CommandLine::Action::Error;
      result.error = QStringLiteral("--settings-dir needs a folder.");
      return result;
    }
  }
  if (parser.isSet("help"))
    result.action = CommandLine::Action::Help;
  else if (parser.isSet("version"))
    result.action = CommandLine::Action::Version;
  return result;
}

QString HelpText(const QString& settingsNote) {
  QCommandLineParser parser;
  AddOptions(parser);
  QString text = parser.helpText();
  // Qt names the program from the application object, which does not exist yet.
  text.replace(0, text.indexOf(QLatin1Char('\n')),
               QStringLiteral("Usage: %1 [options]").arg(QString::fromLatin1(kProgram)));
  return text + QLatin1Char('\n') + settingsNote + QLatin1Char('\n');
}

QString VersionText() {
  return QStringLiteral("%1 %2\n").arg(QString::fromLatin1(kProgram),
                                       QString::fromLatin1(build::kVersion));
}

}  // namespace dazi::ui
