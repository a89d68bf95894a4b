#include "ui/CommandLine.h"

#include <gtest/gtest.h>

namespace dazi::ui {
namespace {

using Action = CommandLine::Action;

struct OptionCase {
  QStringList Arguments;
  Action Expected;
  QString SettingsDir;
  bool LogLink;
};

TEST(CommandLineTest, ParsesTheOptionsAndRefusesAnythingElse) {
  const OptionCase cases[] = {
      {{}, Action::Run, "", false},
      {{"--help"}, Action::Help, "", false},
      {{"-h"}, Action::Help, "", false},
      {{"--version"}, Action::Version, "", false},
      {{"--settings-dir", "/srv/a", "--log-link"}, Action::Run, "/srv/a", true},
      {{"--settings-dir=/srv/b"}, Action::Run, "/srv/b", false},
      {{"-platform", "offscreen", "-style", "fusion"}, Action::Run, "", false},
      {{"--bogus"}, Action::Error, "", false},
      {{"-x"}, Action::Error, "", false},
      {{"--settings-dir"}, Action::Error, "", false},
      {{"--settings-dir="}, Action::Error, "", false},
      {{"router.ini"}, Action::Error, "", false},
      {{"--version=3"}, Action::Error, "", false},
  };
  for (const OptionCase& c : cases) {
    const CommandLine parsed = ParseCommandLine(QStringList{"dazivedur"} + c.Arguments);
    const QString name = c.Arguments.join(' ');
    EXPECT_EQ(parsed.action, c.Expected) << name.toStdString();
    EXPECT_EQ(parsed.settingsDir, c.SettingsDir) << name.toStdString();
    EXPECT_EQ(parsed.logLink, c.LogLink) << name.toStdString();
    EXPECT_EQ(parsed.error.isEmpty(), c.Expected != Action::Error) << name.toStdString();
  }
}

TEST(CommandLineTest, HelpNamesTheProgramAndTheSettingsFolder) {
  const QString help = HelpText("Settings folder: /x");
  EXPECT_TRUE(help.startsWith("Usage: dazivedur [options]")) << help.toStdString();
  EXPECT_TRUE(help.contains("--settings-dir <folder>"));
  EXPECT_FALSE(help.contains("-platform")) << "Qt's own options stay out of the way";
  EXPECT_TRUE(help.endsWith("Settings folder: /x\n"));
}

}  // namespace
}  // namespace dazi::ui
