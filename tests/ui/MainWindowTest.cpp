// The main window over a real panel, and the Qt toolkit port. Message boxes and dialogs are
// answered by hooks instead of an operator.
#include "ui/MainWindow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <QtTest>
#include <QtWidgets>

#include "link_tcp/Outbound.h"
#include "model/Panel.h"
#include "model/SmallRouter.h"
#include "support/FakePorts.h"
#include "support/SettingsFile.h"
#include "ui/Palette.h"
#include "ui/QtUi.h"
#include "ui/SpinnerWidget.h"

namespace dazi::ui {
namespace {

using dazi::testing::FakeSocket;

// TCP/IP Mode without an address, kept on top; File Mode on a server that cannot be reached.
const std::string kNullAddress = testing::SettingsText(true, "0.0.0.0", 1250, 30, "", true);
const std::string kUnreachableServer =
    testing::SettingsText(false, "", 1250, 30, "/nonexistent/dazivedur-server/", false);

std::string Msg(const std::string& text, const std::string& title, MsgIcon icon, MsgButtons b) {
  return text + " | " + title + " | icon " + std::to_string(static_cast<int>(icon)) +
         " | buttons " + std::to_string(static_cast<int>(b));
}
const std::string kNotConfigured = Msg("System Not Yet Configured. Please Specify Server Location.",
                                       "Tolen DaziVedur", MsgIcon::Exclamation, MsgButtons::Ok);
const std::string kNoServerFiles =
    Msg("Server Files not found", "Error Reading File", MsgIcon::None, MsgButtons::OkCancel);
// Input, preset and output displays, both status panels and the title when no server is found.
const QString kNoSystemScreen =
    "NoSystem|NoSystem|OUT 1|Switcher Link (NC) |No Server Detected |"
    "ZOR Tolen DaziVedur - Not Connected";

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    ui.AnswerMessageBox = [this](const std::string& text, const std::string& title, MsgIcon icon,
                                 MsgButtons buttons) {
      events.push_back(Msg(text, title, icon, buttons));
      return MsgResult::Ok;
    };
    ui.AnswerDialog = [this](Dialog dialog) {
      dialogs.push_back(dialog);
      events.push_back(dialog != Dialog::Setup ? "dialog:other" : "dialog:Setup");
      if (onDialog) onDialog(dialog);
    };
    ui.Attach(panel, &window);
  }

  std::filesystem::path SettingsFile() const { return tmp.filePath("zorntpnl.ini").toStdString(); }
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
  QString Screen() {
    return QStringList({Text("txtInputDisp"), Text("txtPresetDisp"), Text("txtOutputDisp"),
                        Status("Panel1"), Status("Panel2"), window.windowTitle()})
        .join('|');
  }
  bool Enabled(const char* action) { return Child<QAction>(action)->isEnabled(); }
  // What the window system is told, once the window exists; what the widget holds before.
  bool OnTop() const {
    const Qt::WindowFlags flags =
        window.windowHandle() ? window.windowHandle()->flags() : window.windowFlags();
    return flags.testFlag(Qt::WindowStaysOnTopHint);
  }

  QTemporaryDir tmp;
  FakeSocket socket;
  QtUi ui;
  Panel panel{ui, socket};
  MainWindow window{panel};
  std::vector<Dialog> dialogs;
  std::vector<std::string> events;
  std::function<void(Dialog)> onDialog;
};

TEST_F(MainWindowTest, FirstStartWithoutSettingsAsksForSetupTwice) {
  Load("");
  EXPECT_EQ(events, (std::vector<std::string>{kNotConfigured, "dialog:Setup", kNoServerFiles,
                                              "dialog:Setup"}));
  EXPECT_EQ(Screen(), kNoSystemScreen);
}

TEST_F(MainWindowTest, TcpIpModeWithTheNullAddressWaitsForTheOperator) {
  Load(kNullAddress);
  EXPECT_TRUE(events.empty()) << events.front();
  EXPECT_EQ(socket.ConnectCalls, 0);
  EXPECT_TRUE(Child<QTimer>("tmrFileCheck")->isActive());
  EXPECT_TRUE(OnTop());
}

TEST_F(MainWindowTest, FileModeWithAnUnreachableServerReportsAndOpensSetup) {
  Load(kUnreachableServer);
  const std::string statusError = Msg("Error Reading Status Information File!",
                                      "Error Reading File", MsgIcon::Critical, MsgButtons::Ok);
  EXPECT_EQ(events, (std::vector<std::string>{statusError, kNoServerFiles, "dialog:Setup"}));
  EXPECT_EQ(Screen(), kNoSystemScreen);
  EXPECT_FALSE(OnTop());
}

class ShutdownTest : public MainWindowTest,
                     public ::testing::WithParamInterface<std::function<void(MainWindow&)>> {};

TEST_P(ShutdownTest, SavesTheSettingsAndClosesTheWindow) {
  Load(kNullAddress);
  window.show();
  std::filesystem::remove(SettingsFile());
  GetParam()(window);
  EXPECT_TRUE(std::filesystem::exists(SettingsFile()));
  EXPECT_TRUE(panel.Unloading);
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(Child<QTimer>("tmrFileCheck")->isActive());
}

INSTANTIATE_TEST_SUITE_P(
    ExitAndCloseBox, ShutdownTest,
    ::testing::Values([](MainWindow& w) { w.findChild<QAction*>("mnuExit")->trigger(); },
                      [](MainWindow& w) { w.close(); }));

TEST_F(MainWindowTest, ClosingDownEndsOpenDialogsBeforeTheMainWindow) {
  panel.State.AppPath = tmp.path().toStdString();
  window.show();
  QDialog dialog(&window);
  bool mainOpenWhenDialogClosed = false;
  QObject::connect(&dialog, &QDialog::finished,
                   [&] { mainOpenWhenDialogClosed = window.isVisible(); });
  QTimer::singleShot(0, [this] { ui.CloseAllWindows(); });
  EXPECT_EQ(dialog.exec(), QDialog::Rejected);
  EXPECT_TRUE(mainOpenWhenDialogClosed);
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(panel.Unloading);
}

TEST_F(MainWindowTest, MenuItemsFollowTheView) {
  panel.View.mnuConnect = {"&Disconnect", false};
  panel.View.mnuSalvoMode = {"Crosspoint &Mode", true};
  window.render();
  EXPECT_EQ(Child<QAction>("mnuConnect")->text() + "|" + Child<QAction>("mnuSalvoMode")->text(),
            "&Disconnect|Crosspoint &Mode");
  EXPECT_FALSE(Enabled("mnuConnect"));
  EXPECT_TRUE(Enabled("mnuSalvoMode"));
}

TEST_F(MainWindowTest, MenuDialogsLiftTheWindowOffTheTopWhileOpen) {
  panel.Settings.StayOnTop = kStayOnTopYes;
  ui.SetWindowPos(kStayOnTopYes);
  EXPECT_FALSE(window.isVisible()) << "stacking alone must not show the window before start-up";
  window.show();
  EXPECT_TRUE(OnTop());
  // The strip stays mapped throughout: its native window is neither hidden nor replaced.
  QWindow* native = window.windowHandle();
  int hidden = 0;
  QObject watching;  // ends the count with this test, before the window goes
  QObject::connect(native, &QWindow::visibleChanged, &watching,
                   [&hidden](bool shown) { hidden += !shown; });
  bool onTopWhileOpen = true;
  std::vector<int> listTargets;
  onDialog = [&](Dialog dialog) {
    onTopWhileOpen = OnTop();
    if (dialog == Dialog::InputDisplayList || dialog == Dialog::OutputDisplayList)
      listTargets.push_back(panel.State.DisplayListTarget);
  };
  for (const char* name : {"mnuServerSetup", "mnuInDisplay", "mnuOutDisplay", "mnuAbout"}) {
    SCOPED_TRACE(name);
    onTopWhileOpen = true;
    Child<QAction>(name)->trigger();
    EXPECT_FALSE(onTopWhileOpen);
    EXPECT_TRUE(OnTop());
    EXPECT_EQ(window.windowHandle(), native);
  }
  EXPECT_EQ(hidden, 0);
  EXPECT_EQ(dialogs, (std::vector<Dialog>{Dialog::Setup, Dialog::InputDisplayList,
                                          Dialog::OutputDisplayList, Dialog::About}));
  EXPECT_EQ(listTargets, (std::vector<int>{10, 20}));
  EXPECT_EQ(events.front(), "dialog:Setup");
}

TEST_F(MainWindowTest, TakeAnswersEnterAndSpaceOnlyWhenFocused) {
  window.show();
  QApplication::setActiveWindow(&window);
  auto* take = Child<QPushButton>("cmdTake");
  QSignalSpy clicks(take, &QPushButton::clicked);
  auto press = [](QWidget* focused) {
    focused->setFocus();
    QTest::keyClick(focused, Qt::Key_Return);
    QTest::keyClick(focused, Qt::Key_Space);
  };
  press(Child<SpinnerWidget>("cmdInSel"));
  EXPECT_EQ(clicks.count(), 0) << "no window-wide hot key";
  press(take);
  EXPECT_EQ(clicks.count(), 2);
}

TEST_F(MainWindowTest, ControlsAreNamedForScreenReadersAndWorkFromTheKeyboard) {
  window.show();
  QApplication::setActiveWindow(&window);
  QList<QWidget*> controls;
  for (QWidget* w : window.findChildren<QWidget*>())
    if (w->isVisibleTo(&window) && (qobject_cast<QAbstractButton*>(w) ||
                                    qobject_cast<QLineEdit*>(w) || qobject_cast<SpinnerWidget*>(w)))
      controls << w;
  ASSERT_GE(controls.size(), 8);  // three displays, two spinners of two arrows each, Take
  for (QWidget* control : controls) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    ASSERT_TRUE(accessible);
    EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty())
        << control->objectName().toStdString();
    EXPECT_FALSE(accessible->text(QAccessible::Description).isEmpty())
        << control->objectName().toStdString();
  }

  // Tab goes destination, source, Take and round again.
  QWidget* order[] = {Child<SpinnerWidget>("cmdoutSel"), Child<SpinnerWidget>("cmdInSel"),
                      Child<QPushButton>("cmdTake"), Child<SpinnerWidget>("cmdoutSel")};
  order[0]->setFocus();
  for (int i = 1; i < 4; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), order[i]) << i;
  }

  QTest::keyClick(&window, Qt::Key_F, Qt::AltModifier);
  EXPECT_EQ(QApplication::activePopupWidget(), Child<QMenu>("mnuFile"));
}

TEST_F(MainWindowTest, FindByNameChoosesWithEnterAndOnlyTakeRoutes) {
  panel.Settings.LinkMode = TCPIPMode;
  socket.IsConnected = true;
  testing::LoadRouter(panel, {"SAT 1", "CAM 2", "VTR CAM", "CAM 3"}, {0, 1, 2, 3},
                      {"MON 1", "PGM", "PVW"}, {2, 0, 1});
  window.render();
  window.show();
  QApplication::setActiveWindow(&window);
  const auto type = [](const char* keys) {
    for (const char* key = keys; *key; ++key) QTest::keyClick(QApplication::focusWidget(), *key);
  };
  auto* list = window.findChild<QListView*>("lvFound");
  auto* preset = Child<QLineEdit>("txtPresetDisp");

  QTest::keyClick(&window, Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), Child<QLineEdit>("txtOutputDisp"));
  type("pg");
  type("\r");
  EXPECT_EQ(Text("txtOutputDisp"), "PGM");
  QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
  type("cAm");
  ASSERT_TRUE(list->isVisible());
  EXPECT_EQ(QApplication::focusWidget(), list);
  EXPECT_EQ(window.findChild<QLineEdit*>("txtFind")->text(), "cAm");
  EXPECT_EQ(list->model()->rowCount(), 3);  // CAM 2, CAM 3, then VTR CAM
  QAccessibleInterface* found = QAccessible::queryAccessibleInterface(list);
  EXPECT_EQ(found->text(QAccessible::Name), "Sources found");
  EXPECT_EQ(found->child(0)->text(QAccessible::Name), "CAM 2");
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_FALSE(list->isVisible());
  // The preset display has the focus back, showing (and telling a screen reader) the choice.
  EXPECT_EQ(QApplication::focusWidget(), preset);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(preset)->text(QAccessible::Value), "CAM 3");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(preset)->text(QAccessible::Name), "Preset");
  EXPECT_TRUE(preset->isReadOnly());
  EXPECT_EQ(Text("txtInputDisp"), "SAT 1");
  EXPECT_TRUE(socket.Written.empty());

  Child<QPushButton>("cmdTake")->click();
  // PGM is output channel 0, CAM 3 input channel 3.
  EXPECT_EQ(socket.Written, std::vector<std::vector<uint8_t>>{BuildCrosspointChange(1028, 3, 0)});

  // A mode change withdraws an open list.
  type("v");
  ASSERT_TRUE(list->isVisible());
  Child<QAction>("mnuSalvoMode")->trigger();
  EXPECT_FALSE(list->isVisible());
}

TEST_F(MainWindowTest, DisplaysShowTheViewsTextInItsPaletteColourOnBlack) {
  auto pixels = [this](const char* display, const QColor& color) {
    const QImage image = Child<QLineEdit>(display)->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if ((image.pixel(x, y) & 0xFFFFFF) == (color.rgb() & 0xFFFFFF)) ++count;
    return count;
  };
  panel.View.txtOutputDisp = {"MMMMMM", 10};
  panel.View.txtPresetDisp = {"MMMMMM", 14};
  window.show();
  window.render();
  EXPECT_GT(pixels("txtOutputDisp", ConsoleColor(10)), 10);
  EXPECT_EQ(pixels("txtOutputDisp", ConsoleColor(14)), 0);
  const QSize size = Child<QLineEdit>("txtOutputDisp")->grab().size();
  EXPECT_GT(pixels("txtOutputDisp", Qt::black), size.width() * size.height() / 2);
  EXPECT_GT(pixels("txtPresetDisp", ConsoleColor(14)), 10);

  panel.View.txtOutputDisp.Color = 14;  // a colour change alone is applied too
  window.render();
  EXPECT_GT(pixels("txtOutputDisp", ConsoleColor(14)), 10);
  EXPECT_EQ(pixels("txtOutputDisp", ConsoleColor(10)), 0);
}

TEST_F(MainWindowTest, TextsFromTheSwitcherAreDecodedAsWindows1252) {
  panel.View.txtInputDisp.Text = "Caf\xE9 \x80\x96 \x81";
  panel.View.Caption = "Studio \223A\224";  // “A” in Windows-1252
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
  panel.View.tmrSalvoMsg.Enabled = false;
  panel.View.tmrPoll.IntervalMs = 0;  // no interval: the timer stands still
  window.render();
  EXPECT_EQ(Child<QTimer>("tmrFileCheck")->interval(), 2500);
  EXPECT_FALSE(salvo->isActive());
  EXPECT_FALSE(poll->isActive());

  panel.View.tmrPoll.IntervalMs = int64_t{1} << 40;  // beyond what Qt holds: clamped, not wrapped
  window.render();
  EXPECT_TRUE(poll->isActive());
  EXPECT_GT(poll->interval(), 0);
}

std::vector<std::string> warnings;  // what the link log warned of, while a test listens

TEST_F(MainWindowTest, AFailingRoutineStillLeavesItsChangesOnScreenAndWarnsTheLog) {
  warnings.clear();
  const QtMessageHandler before = qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type == QtWarningMsg && std::string_view(context.category) == "dazivedur.link")
          warnings.push_back(text.toStdString());
      });
  EXPECT_NO_THROW(window.dispatch("cmdTake_Click", [this] {
    panel.View.txtPresetDisp.Text = "Executed";
    throw std::out_of_range("bad index");
  }));
  qInstallMessageHandler(before);
  EXPECT_EQ(Text("txtPresetDisp"), "Executed");
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_TRUE(warnings[0].ends_with("cmdTake_Click ended by an error it did not trap: bad index"));
}

TEST(QtUiTest, MessageBoxesShowTheirTextTitleIconAndButtons) {
  using B = QMessageBox;
  const std::tuple<MsgIcon, B::Icon, MsgButtons, B::StandardButton> cases[] = {
      {MsgIcon::Critical, B::Critical, MsgButtons::Ok, B::Ok},
      {MsgIcon::Exclamation, B::Warning, MsgButtons::OkCancel, B::Cancel},
      {MsgIcon::Information, B::Information, MsgButtons::Ok, B::Ok},
      {MsgIcon::None, B::NoIcon, MsgButtons::OkCancel, B::Ok}};
  QtUi ui;
  for (const auto& [icon, boxIcon, buttons, press] : cases) {
    QString seen;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<B*>(QApplication::activeModalWidget());
      if (!box) return QCoreApplication::exit(1);  // never leave the test waiting
      seen = QStringList({box->text(), box->windowTitle()}).join(" | ");
      EXPECT_EQ(box->icon(), boxIcon);
      EXPECT_EQ(box->standardButtons(),
                buttons == MsgButtons::Ok ? B::StandardButtons(B::Ok) : B::Ok | B::Cancel);
      box->button(press)->click();
    });
    EXPECT_EQ(ui.MessageBox("Caf\xE9 closed", "Port Error", icon, buttons),
              press == B::Ok ? MsgResult::Ok : MsgResult::Cancel);
    EXPECT_EQ(seen, QString::fromUtf8("Café closed | Port Error"));
  }
}

// The toolkit port attached to a panel without a main window, in a folder with nothing in it.
class AttachedQtUi : public ::testing::Test {
 protected:
  AttachedQtUi() {
    panel.State.AppPath = empty.path().toStdString();
    ui.Attach(panel, nullptr);
  }
  FakeSocket socket;
  QtUi ui;
  Panel panel{ui, socket};
  QTemporaryDir empty;
};

// Setup is made once and kept, yet every opening shows the settings as they stand, not what the
// operator left in a box before Cancel.
TEST_F(AttachedQtUi, EveryOpeningOfSetupShowsTheSettingsAnew) {
  panel.Settings.LinkMode = TCPIPMode;
  panel.Settings.IPAddress = "10.0.0.1";
  std::vector<QString> shown;
  auto readAndCancel = [&](const QString& typed) {
    QTimer::singleShot(0, [&, typed] {
      QWidget* setup = QApplication::activeModalWidget();
      if (!setup) return QCoreApplication::exit(1);  // never leave the test waiting
      auto* box = setup->findChild<QLineEdit*>("txtIP");
      shown.push_back(box->text());
      box->setText(typed);
      setup->findChild<QPushButton*>("cmdCancel")->click();
    });
  };
  readAndCancel("10.9.9.9");
  ui.ShowDialog(Dialog::Setup);
  panel.Settings.IPAddress = "10.0.0.2";
  readAndCancel("10.8.8.8");
  ui.ShowDialog(Dialog::Setup);
  EXPECT_EQ(shown, (std::vector<QString>{"10.0.0.1", "10.0.0.2"}));
}

TEST_F(AttachedQtUi, ThePasswordPromptClosesFromOutsideAndHelpNeedsTheGuide) {
  QTimer::singleShot(0, [&] { ui.ClosePasswordPrompt(); });
  QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });  // a guard against hanging only
  ui.ShowDialog(Dialog::Password);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  ui.ClosePasswordPrompt();  // nothing open: nothing happens
  EXPECT_FALSE(ui.StartHelp());
}

}  // namespace
}  // namespace dazi::ui
