// The main window over a real panel: start-up paths, shutdown, menus, rendering, and the Qt
// toolkit port. Message boxes and dialogs are answered by hooks instead of an operator.
#include "ui/MainWindow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "core/MainForm.h"
#include "core/Panel.h"
#include "support/FakePorts.h"
#include "ui/Palette.h"
#include "ui/QtUi.h"
#include "ui/SpinnerWidget.h"

namespace dazi::ui {
namespace {

using dazi::testing::FakeSocket;
using dazi::testing::RecordedMessage;

// A complete settings file; only the link, the server directory and the stacking vary here.
std::string Settings(bool tcpIp, const std::string& serverPath, bool onTop) {
  return std::string("[SETUP]\nTCP/IP Mode=") + (tcpIp ? "Yes" : "No") +
         "\n[SERIAL]\nServer path=" + serverPath +
         "\nRefresh Rate=100\nTime Out=50\n"
         "[TCP/IP]\nIP Address=0.0.0.0\nTCP/IP Port=1250\nIP Poll Period=1\nTime Out=30\n"
         "Password=\n[CONFIG]\nHide Inhibits=Yes\nInput Display List=\n"
         "Output Display List=\nStay On Top=" +
         (onTop ? "Yes" : "No") + "\n";
}
const std::string kTcpIpNullAddress = Settings(true, "", true);
const std::string kFileModeUnreachable = Settings(false, "/nonexistent/dazivedur-server/", false);

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    ui.AnswerMessageBox = [this](const std::string& text, const std::string& title, MsgIcon icon,
                                 MsgButtons buttons) {
      messages.push_back({text, title, icon, buttons});
      events.push_back("message:" + text);
      return MsgResult::Ok;
    };
    ui.AnswerDialog = [this](Dialog dialog) {
      dialogs.push_back(dialog);
      events.push_back(dialog == Dialog::Setup ? "dialog:Setup" : "dialog:other");
      if (onDialog) onDialog(dialog);
    };
    ui.Attach(panel, &window);
  }

  std::filesystem::path Dir() const { return std::filesystem::path(tmp.path().toStdString()); }
  std::filesystem::path SettingsFile() const { return Dir() / "zorntpnl.ini"; }

  void Load(const std::string& settings) {
    if (!settings.empty()) std::ofstream(SettingsFile()) << settings;
    window.load(tmp.path());
  }

  template <typename T>
  T* Child(const char* name) {
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    if (!found) ADD_FAILURE() << "no " << name;
    return found;
  }
  QString Text(const char* display) { return Child<QLineEdit>(display)->text(); }
  QString Status(const char* panelName) { return Child<QLabel>(panelName)->text(); }

  QTemporaryDir tmp;
  FakeSocket socket;
  QtUi ui;
  Panel panel{ui, socket};
  MainWindow window{panel};
  std::vector<RecordedMessage> messages;
  std::vector<Dialog> dialogs;
  std::vector<std::string> events;
  std::function<void(Dialog)> onDialog;
};

// --- Start-up -----------------------------------------------------------------------------------

TEST_F(MainWindowTest, FirstStartWithoutSettingsAsksForSetupTwice) {
  Load("");

  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].Text, "System Not Yet Configured. Please Specify Server Location.");
  EXPECT_EQ(messages[0].Title, "Tolen DaziVedur");
  EXPECT_EQ(messages[0].Icon, MsgIcon::Exclamation);
  EXPECT_EQ(messages[0].Buttons, MsgButtons::Ok);
  EXPECT_EQ(messages[1].Text, "Server Files not found");
  EXPECT_EQ(messages[1].Title, "Error Reading File");
  EXPECT_EQ(messages[1].Buttons, MsgButtons::OkCancel);
  EXPECT_EQ(events, (std::vector<std::string>{
                        "message:System Not Yet Configured. Please Specify Server Location.",
                        "dialog:Setup", "message:Server Files not found", "dialog:Setup"}));

  EXPECT_EQ(Text("txtInputDisp"), "NoSystem");
  EXPECT_EQ(Text("txtPresetDisp"), "NoSystem");
  EXPECT_EQ(Text("txtOutputDisp"), "OUT 1");
  EXPECT_EQ(Status("Panel1"), "Switcher Link (NC) ");
  EXPECT_EQ(Status("Panel2"), "No Server Detected ");
  EXPECT_EQ(window.windowTitle(), "ZOR Tolen DaziVedur - Not Connected");
}

TEST_F(MainWindowTest, TcpIpModeWithTheNullAddressWaitsForTheOperator) {
  Load(kTcpIpNullAddress);

  EXPECT_TRUE(events.empty()) << events.front();
  EXPECT_EQ(socket.ConnectCalls, 0);
  EXPECT_EQ(window.windowTitle(), "ZOR Tolen DaziVedur - Not Connected");
  EXPECT_EQ(Status("Panel2"), "0.0.0.0");
  EXPECT_TRUE(Child<QAction>("mnuConnect")->isEnabled());
  EXPECT_TRUE(Child<QAction>("mnuSalvoMode")->isEnabled());
  auto* poll = Child<QTimer>("tmrFileCheck");
  EXPECT_TRUE(poll->isActive());
  EXPECT_EQ(poll->interval(), 1000);
  EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(MainWindowTest, FileModeWithAnUnreachableServerReportsAndOpensSetup) {
  Load(kFileModeUnreachable);

  EXPECT_EQ(events, (std::vector<std::string>{"message:Server Files not found", "dialog:Setup"}));
  EXPECT_EQ(Status("Panel1"), "Switcher Link (NC) ");
  EXPECT_EQ(Status("Panel2"), "No Server Detected ");
  EXPECT_EQ(Text("txtInputDisp"), "NoSystem");
  EXPECT_EQ(Text("txtOutputDisp"), "OUT 1");
  EXPECT_FALSE(Child<QAction>("mnuConnect")->isEnabled());
  EXPECT_FALSE(Child<QAction>("mnuSalvoMode")->isEnabled());
  EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

// --- Shutdown -----------------------------------------------------------------------------------

class ShutdownTest : public MainWindowTest,
                     public ::testing::WithParamInterface<std::function<void(MainWindow&)>> {};

TEST_P(ShutdownTest, SavesTheSettingsAndClosesTheWindow) {
  Load(kTcpIpNullAddress);
  window.show();
  std::filesystem::remove(SettingsFile());

  GetParam()(window);

  EXPECT_TRUE(std::filesystem::exists(SettingsFile()));
  EXPECT_TRUE(panel.Unloading);
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(Child<QTimer>("tmrFileCheck")->isActive());
}

INSTANTIATE_TEST_SUITE_P(ExitAndCloseBox, ShutdownTest,
                         ::testing::Values(
                             [](MainWindow& w) {
                               w.findChild<QAction*>(QStringLiteral("mnuExit"))->trigger();
                             },
                             [](MainWindow& w) { w.close(); }));

TEST_F(MainWindowTest, ClosingDownEndsOpenDialogsBeforeTheMainWindow) {
  panel.State.AppPath = Dir();
  window.show();
  QDialog dialog(&window);
  bool mainOpenWhenDialogClosed = false;
  QObject::connect(&dialog, &QDialog::finished,
                   [&] { mainOpenWhenDialogClosed = window.isVisible(); });
  QTimer::singleShot(0, [this] { ui.CloseAllWindows(); });

  EXPECT_EQ(dialog.exec(), QDialog::Rejected);
  EXPECT_TRUE(mainOpenWhenDialogClosed);
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(panel.Unloading) << "closing the main window runs the unload";
}

// --- Menus and controls -------------------------------------------------------------------------

TEST_F(MainWindowTest, EveryControlCarriesItsName) {
  const std::vector<std::pair<const char*, const char*>> controls = {
      {"txtOutputDisp", "QLineEdit"},
      {"txtInputDisp", "QLineEdit"},
      {"txtPresetDisp", "QLineEdit"},
      {"lblDest", "QLabel"},
      {"lblSource", "QLabel"},
      {"lblPreset", "QLabel"},
      {"lblTake", "QLabel"},
      {"imgBackgnd", "QLabel"},
      {"cmdoutSel", "dazi::ui::SpinnerWidget"},
      {"cmdInSel", "dazi::ui::SpinnerWidget"},
      {"cmdTake", "QPushButton"},
      {"StatusBar1", "QStatusBar"},
      {"tmrFileCheck", "QTimer"},
      {"tmrPoll", "QTimer"},
      {"tmrSalvoMsg", "QTimer"},
      {"mnuFile", "QMenu"},
      {"mnuHelp", "QMenu"}};
  for (const auto& [name, kind] : controls) {
    const QObject* control = window.findChild<QObject*>(QString::fromLatin1(name));
    ASSERT_NE(control, nullptr) << name;
    EXPECT_TRUE(control->inherits(kind)) << name << " is a " << control->metaObject()->className();
  }
  EXPECT_EQ(window.objectName(), "frmTolenMain");
}

TEST_F(MainWindowTest, ControlsCarryTheirCaptionsAndTooltips) {
  const std::vector<std::pair<const char*, const char*>> captions = {{"lblDest", "Destination"},
                                                                     {"lblSource", "Source"},
                                                                     {"lblPreset", "Preset"},
                                                                     {"lblTake", "Take"}};
  for (const auto& [name, caption] : captions) EXPECT_EQ(Child<QLabel>(name)->text(), caption);
  const std::vector<std::pair<const char*, const char*>> tips = {
      {"txtOutputDisp", "Displays Selected Output (Destination)"},
      {"txtInputDisp", "Displays Active Input (Source)"},
      {"txtPresetDisp", "Displays Preset Input (Source)"},
      {"cmdTake", "Take Selected Crosspoint"},
      {"Panel1", "Serial communication status with switcher"},
      {"Panel2", "Location of ZOR NetServer"}};
  for (const auto& [name, tip] : tips) EXPECT_EQ(Child<QWidget>(name)->toolTip(), tip) << name;
  EXPECT_TRUE(Child<QPushButton>("cmdTake")->text().isEmpty()) << "a picture, not a caption";
  EXPECT_FALSE(Child<QPushButton>("cmdTake")->icon().isNull());
  EXPECT_EQ(Status("Panel1"), "Serial Link (NC) ");
  EXPECT_EQ(Status("Panel2"), "Server Not Defined  ");
}

TEST_F(MainWindowTest, MenusHoldTheirItemsInOrder) {
  struct Item {
    const char* name;
    const char* caption;  // empty for a separator
  };
  const std::vector<std::pair<const char*, std::vector<Item>>> menus = {
      {"mnuFile",
       {{"mnuServerSetup", "&Setup"},
        {"mnuPassword", "&Password"},
        {"mnuSep", ""},
        {"mnuInDisplay", "Edit &Input Display List"},
        {"mnuOutDisplay", "Edit &Output Display List"},
        {"mnuSep4", ""},
        {"mnuSalvoMode", "Salvo Mode"},
        {"mnuSep2", ""},
        {"mnuConnect", "&Connect"},
        {"mnuSep3", ""},
        {"mnuExit", "E&xit"}}},
      {"mnuHelp", {{"mnuContents", "&Contents"}, {"mnuseperator2", ""}, {"mnuAbout", "&About"}}}};

  const QList<QAction*> bar = window.menuBar()->actions();
  ASSERT_EQ(bar.size(), 2);
  EXPECT_EQ(bar[0]->text(), "&File");
  EXPECT_EQ(bar[1]->text(), "&Help");
  for (const auto& [menuName, items] : menus) {
    const QList<QAction*> actions = Child<QMenu>(menuName)->actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(items.size())) << menuName;
    for (size_t i = 0; i < items.size(); ++i) {
      const QAction* action = actions[static_cast<qsizetype>(i)];
      EXPECT_EQ(action->objectName(), items[i].name);
      EXPECT_EQ(action->isSeparator(), *items[i].caption == '\0') << items[i].name;
      if (!action->isSeparator()) {
        EXPECT_EQ(action->text(), items[i].caption);
      }
    }
  }
  EXPECT_FALSE(Child<QAction>("mnuPassword")->isEnabled());
}

TEST_F(MainWindowTest, MenuItemsFollowTheView) {
  panel.View.mnuConnect = {"&Disconnect", false};
  panel.View.mnuSalvoMode = {"Crosspoint &Mode", true};
  window.render();
  EXPECT_EQ(Child<QAction>("mnuConnect")->text(), "&Disconnect");
  EXPECT_FALSE(Child<QAction>("mnuConnect")->isEnabled());
  EXPECT_EQ(Child<QAction>("mnuSalvoMode")->text(), "Crosspoint &Mode");
  EXPECT_TRUE(Child<QAction>("mnuSalvoMode")->isEnabled());
}

TEST_F(MainWindowTest, MenuDialogsLiftTheWindowOffTheTopWhileOpen) {
  const std::vector<std::pair<const char*, Dialog>> entries = {
      {"mnuServerSetup", Dialog::Setup},
      {"mnuInDisplay", Dialog::InputDisplayList},
      {"mnuOutDisplay", Dialog::OutputDisplayList},
      {"mnuAbout", Dialog::About}};
  panel.Settings.StayOnTop = kStayOnTopYes;
  ui.SetWindowPos(kStayOnTopYes);
  EXPECT_FALSE(window.isVisible()) << "stacking alone must not show the window before start-up";
  window.show();
  for (const auto& [name, expected] : entries) {
    dialogs.clear();
    bool onTopWhileOpen = true;
    onDialog = [&](Dialog) {
      onTopWhileOpen = window.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    };
    Child<QAction>(name)->trigger();
    EXPECT_EQ(dialogs, std::vector<Dialog>{expected}) << name;
    EXPECT_FALSE(onTopWhileOpen) << name;
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint)) << name;
    EXPECT_TRUE(window.isVisible()) << name;
  }
}

TEST_F(MainWindowTest, TheStripCanBeMinimizedButNotResized) {
  window.show();
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  const Qt::WindowFlags flags = window.windowFlags();
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_GT(window.width(), 3 * window.height()) << "a wide, low strip";
}

TEST_F(MainWindowTest, SpinnerArrowsStepThePanelsSpinners) {
  panel.View.txtInputDisp.Text = "NoSystem";  // keeps the selection logic out of the way
  panel.View.cmdInSel.SetMax(5);
  window.show();
  auto* spinner = Child<SpinnerWidget>("cmdInSel");
  QTest::mouseClick(spinner->upButton(), Qt::LeftButton);
  QTest::mouseClick(spinner->upButton(), Qt::LeftButton);
  EXPECT_EQ(panel.View.cmdInSel.Value(), 2);
  QTest::mouseClick(spinner->downButton(), Qt::LeftButton);
  EXPECT_EQ(panel.View.cmdInSel.Value(), 1);
}

TEST_F(MainWindowTest, TakeAnswersEnterAndSpaceOnlyWhenFocused) {
  window.show();
  QApplication::setActiveWindow(&window);
  auto* take = Child<QPushButton>("cmdTake");
  auto* spinner = Child<SpinnerWidget>("cmdInSel");
  QSignalSpy clicks(take, &QPushButton::clicked);
  spinner->setFocus();
  QTest::keyClick(spinner, Qt::Key_Return);
  QTest::keyClick(spinner, Qt::Key_Space);
  EXPECT_EQ(clicks.count(), 0) << "no window-wide hot key";
  take->setFocus();
  QTest::keyClick(take, Qt::Key_Return);
  QTest::keyClick(take, Qt::Key_Space);
  EXPECT_EQ(clicks.count(), 2);
}

// --- Rendering ----------------------------------------------------------------------------------

int CountPixels(const QImage& image, QRgb color) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if ((image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF)) ++count;
  return count;
}

TEST_F(MainWindowTest, DisplaysShowTheViewsTextInItsPaletteColourOnBlack) {
  panel.View.txtOutputDisp = {"MMMMMM", 10};
  panel.View.txtPresetDisp = {"MMMMMM", 14};
  window.show();
  window.render();
  const QImage output = Child<QLineEdit>("txtOutputDisp")->grab().toImage();
  EXPECT_GT(CountPixels(output, ConsoleColor(10).rgb()), 10);
  EXPECT_EQ(CountPixels(output, ConsoleColor(14).rgb()), 0);
  EXPECT_GT(CountPixels(output, qRgb(0, 0, 0)), output.width() * output.height() / 2);
  const QImage preset = Child<QLineEdit>("txtPresetDisp")->grab().toImage();
  EXPECT_GT(CountPixels(preset, ConsoleColor(14).rgb()), 10);

  panel.View.txtOutputDisp.Color = 14;  // a colour change alone is applied too
  window.render();
  const QImage recoloured = Child<QLineEdit>("txtOutputDisp")->grab().toImage();
  EXPECT_GT(CountPixels(recoloured, ConsoleColor(14).rgb()), 10);
  EXPECT_EQ(CountPixels(recoloured, ConsoleColor(10).rgb()), 0);
}

TEST_F(MainWindowTest, TextsFromTheSwitcherAreDecodedAsWindows1252) {
  panel.View.txtInputDisp.Text = "Caf\xE9 \x80\x96 \x81";
  panel.View.Caption =
      "Studio \x93"
      "A\x94";
  window.render();
  EXPECT_EQ(Text("txtInputDisp"), QString::fromUtf8("Café €– \u0081"));
  EXPECT_EQ(window.windowTitle(), QString::fromUtf8("Studio “A”"));
}

TEST_F(MainWindowTest, TimersFollowTheViewWithoutRestartingUnchangedOnes) {
  auto* salvo = Child<QTimer>("tmrSalvoMsg");
  auto* poll = Child<QTimer>("tmrPoll");
  EXPECT_FALSE(salvo->isActive());
  EXPECT_TRUE(poll->isActive());
  EXPECT_EQ(poll->interval(), 10);

  panel.View.tmrSalvoMsg.Enabled = true;
  window.render();
  ASSERT_TRUE(salvo->isActive());
  EXPECT_EQ(salvo->interval(), 1000);
  QTest::qSleep(20);  // let it count down a little; a restart would start it over
  const int remaining = salvo->remainingTime();
  window.render();
  EXPECT_LE(salvo->remainingTime(), remaining) << "an unchanged timer must keep counting";

  panel.View.tmrFileCheck = {2500, true};
  window.render();
  EXPECT_EQ(Child<QTimer>("tmrFileCheck")->interval(), 2500);

  panel.View.tmrSalvoMsg.Enabled = false;
  panel.View.tmrPoll.IntervalMs = 0;  // no interval: the timer stands still
  window.render();
  EXPECT_FALSE(salvo->isActive());
  EXPECT_FALSE(poll->isActive());

  panel.View.tmrPoll.IntervalMs = int64_t{1} << 40;  // beyond what Qt holds: clamped, not wrapped
  window.render();
  EXPECT_TRUE(poll->isActive());
  EXPECT_GT(poll->interval(), 0);
}

TEST_F(MainWindowTest, AFailingRoutineStillLeavesItsChangesOnScreen) {
  EXPECT_NO_THROW(window.dispatch([this] {
    panel.View.txtPresetDisp.Text = "Executed";
    throw std::out_of_range("bad index");
  }));
  EXPECT_EQ(Text("txtPresetDisp"), "Executed");
}

// --- The toolkit port ---------------------------------------------------------------------------

TEST(QtUiTest, MessageBoxesShowTheirTextTitleIconAndButtons) {
  struct Case {
    MsgIcon icon;
    MsgButtons buttons;
    QMessageBox::StandardButton press;
    QMessageBox::Icon expectedIcon;
    QMessageBox::StandardButtons expectedButtons;
    MsgResult expectedResult;
  };
  const Case cases[] = {
      {MsgIcon::Critical, MsgButtons::Ok, QMessageBox::Ok, QMessageBox::Critical, QMessageBox::Ok,
       MsgResult::Ok},
      {MsgIcon::Exclamation, MsgButtons::OkCancel, QMessageBox::Cancel, QMessageBox::Warning,
       QMessageBox::Ok | QMessageBox::Cancel, MsgResult::Cancel},
      {MsgIcon::Information, MsgButtons::Ok, QMessageBox::Ok, QMessageBox::Information,
       QMessageBox::Ok, MsgResult::Ok},
      {MsgIcon::None, MsgButtons::OkCancel, QMessageBox::Ok, QMessageBox::NoIcon,
       QMessageBox::Ok | QMessageBox::Cancel, MsgResult::Ok},
  };
  QtUi ui;
  for (const Case& c : cases) {
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return QCoreApplication::exit(1);  // never leave the test waiting
      text = box->text();
      title = box->windowTitle();
      icon = box->icon();
      buttons = box->standardButtons();
      box->button(c.press)->click();
    });
    const MsgResult result = ui.MessageBox("Caf\xE9 closed", "Port Error", c.icon, c.buttons);
    EXPECT_EQ(text, QString::fromUtf8("Café closed"));
    EXPECT_EQ(title, "Port Error");
    EXPECT_EQ(icon, c.expectedIcon);
    EXPECT_EQ(buttons, c.expectedButtons);
    EXPECT_EQ(result, c.expectedResult);
  }
}

TEST(QtUiTest, ThePasswordPromptCanBeClosedFromOutside) {
  FakeSocket socket;
  QtUi ui;
  Panel panel{ui, socket};
  ui.Attach(panel, nullptr);
  QTimer::singleShot(0, [&] { ui.ClosePasswordPrompt(); });
  QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });  // a guard against hanging only
  ui.ShowDialog(Dialog::Password);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  ui.ClosePasswordPrompt();  // nothing open: nothing happens
}

TEST(QtUiTest, HelpIsUnavailableWithoutTheGuide) {
  FakeSocket socket;
  QtUi ui;
  Panel panel{ui, socket};
  QTemporaryDir empty;
  panel.State.AppPath = empty.path().toStdString();
  ui.Attach(panel, nullptr);
  EXPECT_FALSE(ui.StartHelp());
}

}  // namespace
}  // namespace dazi::ui
