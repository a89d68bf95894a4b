// The three operator dialogs as widgets: their controls carry the names the routines know them
// by, and clicks, keys and the mouse reach the routines. The rules behind them are the forms'
// tests.
#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>

#include <filesystem>

#include "model/Panel.h"
#include "support/PanelFixture.h"
#include "ui/AboutDialog.h"
#include "ui/DisplayListDialog.h"
#include "ui/MainWindow.h"
#include "ui/QtUi.h"
#include "ui/SetupDialog.h"

namespace dazi::ui {
namespace {

class DialogsTest : public ::testing::Test, protected testing::PanelFixture {
 protected:
  DialogsTest() { panel.State.AppPath = programDir.path().toStdString(); }
  template <typename T = QWidget>
  static T* Child(QWidget& dialog, const char* name) {
    T* found = dialog.findChild<T*>(QString::fromLatin1(name));
    if (!found) ADD_FAILURE() << "no " << name;
    return found;
  }

  QTemporaryDir programDir;
};

class SetupDialogTest : public DialogsTest {
 protected:
  SetupDialogTest() {
    panel.Settings.IPAddress = "10.0.0.1";
    Open();
    QApplication::setActiveWindow(&dialog);
  }
  void Open() {
    dialog.RefillFromSettings();
    dialog.show();
  }
  QLineEdit* Box(const char* name) { return Child<QLineEdit>(dialog, name); }

  SetupDialog dialog{panel, {}};
};

TEST_F(SetupDialogTest, EveryNamedControlIsNamedForAssistiveTechnology) {
  int named = 0;
  for (const QWidget* control : dialog.findChildren<QWidget*>()) {
    const std::string name = control->objectName().toStdString();
    if (name.empty() || name.starts_with("qt_")) continue;
    ++named;
    EXPECT_FALSE(control->accessibleName().isEmpty()) << name;
    EXPECT_FALSE(control->accessibleDescription().isEmpty()) << name;
  }
  EXPECT_GE(named, 30);
  EXPECT_EQ(Child<QPushButton>(dialog, "cmdSelect")->accessibleName(), "Ok");
}

TEST_F(SetupDialogTest, TabWalksTheVisibleControlsInOrder) {
  QStringList order;
  Child(dialog, "dirDirectory")->setFocus();
  for (int i = 0; i < 10; ++i) {
    order << QApplication::focusWidget()->objectName();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(order,
            QStringList({"dirDirectory", "txtDirectory", "drvDrive", "txtRefresh", "txtTimeOut",
                         "cmdSelect", "cmdCancel", "ChkHideInhibits", "chkStayOnTop", "optFile"}));
}

// Enter in the directory list chooses the folder, and in the path box opens the typed one: the
// list reaches a hidden folder and a name that is not UTF-8. Only a number box's Enter runs OK.
TEST_F(SetupDialogTest, EnterChoosesAFolderInTheListAndRunsOkOnlyFromABox) {
  const std::filesystem::path zor = std::filesystem::path(programDir.path().toStdString()) / ".zor";
  std::filesystem::create_directories(zor / "s\xE9rv");
  auto* tree = Child<QTreeView>(dialog, "dirDirectory");
  QLineEdit* path = Box("txtDirectory");
  path->setText(programDir.path() + "/.zor/s\\xE9rv/");
  path->setFocus();
  QTest::keyClick(path, Qt::Key_Return);
  EXPECT_EQ(tree->currentIndex().data().toString(), "s\\xE9rv");
  EXPECT_EQ(path->text(), programDir.path() + "/.zor/s\\xE9rv");

  tree->setFocus();
  QTest::keyClick(tree, Qt::Key_Up);
  QTest::keyClick(tree, Qt::Key_Return);
  EXPECT_EQ(path->text(), programDir.path() + "/.zor");
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_TRUE(ui.Messages.empty()) << "OK did not run";

  Box("txtRefresh")->setFocus();
  QTest::keyClick(Box("txtRefresh"), Qt::Key_Return);
  ASSERT_EQ(ui.Messages.size(), 1u) << "OK read the chosen folder";
  EXPECT_EQ(ui.Messages[0].Title, "Error Reading File");
}

TEST_F(SetupDialogTest, KeyFiltersHoldForTypingAndPasting) {
  QLineEdit* refresh = Box("txtRefresh");
  refresh->clear();
  QTest::keyClicks(refresh, "1a.2");
  EXPECT_EQ(refresh->text(), "12");
  refresh->insert("-3x4");  // pasted: what passes goes in, as if typed
  EXPECT_EQ(refresh->text(), "1234");
  refresh->insert("abc");
  EXPECT_EQ(refresh->text(), "1234");
  QLineEdit* ip = Box("txtIP");
  ip->selectAll();
  ip->insert(" 10.0,0.2 ");
  EXPECT_EQ(ip->text(), "10.00.2");
  Child<QRadioButton>(dialog, "optTCPIP")->click();
  QTest::keyClicks(Box("txtPassword"), "a b");
  EXPECT_EQ(Box("txtPassword")->text(), "a b");
}

TEST_F(SetupDialogTest, ClicksMouseAndEscapeReachTheRoutines) {
  Child<QRadioButton>(dialog, "optTCPIP")->click();
  EXPECT_TRUE(Child(dialog, "frIPMode")->isVisible());
  EXPECT_FALSE(Child(dialog, "frFileMode")->isVisible());

  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QApplication::sendEvent(Child(dialog, "lblIpPort"), &enter);
  EXPECT_EQ(Child<QLabel>(dialog, "lblHelp")->text(),
            "Enter the IP Port used by the ZOR Server Module.  The default is 1250.");

  Box("txtIP")->setText("10.0.0");
  Child<QPushButton>(dialog, "cmdSelect")->click();
  ASSERT_EQ(ui.Messages.size(), 1u);
  EXPECT_EQ(ui.Messages[0].Title, "Data Format Error");
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(Box("txtIP")->text(), "10.0.0.1");

  Box("txtIP")->setText("10.9.9.9");
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(panel.Settings.IPAddress, "10.0.0.1");
  Open();
  EXPECT_EQ(Box("txtIP")->text(), "10.0.0.1");
  EXPECT_TRUE(Child(dialog, "frFileMode")->isVisible()) << "File Mode, as the settings say";
}

// Adding, Remove All and OK from the main window's menu run end to end.
TEST_F(DialogsTest, DisplayListButtonsReachTheFormAndOkStoresTheList) {
  panel.State.ReplaceInputs(std::vector<std::string>(4), {});
  panel.State.DisplayListTarget = 10;
  panel.Settings.InputDisplayList = "1010";
  DisplayListDialog dialog(panel, {});
  dialog.show();
  auto* channels = Child<QTreeView>(dialog, "lvChannel");
  auto* current = Child<QTreeView>(dialog, "lvList");
  EXPECT_EQ(channels->model()->rowCount() + current->model()->rowCount(), 4 + 2);

  current->selectionModel()->select(current->model()->index(0, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
  Child<QPushButton>(dialog, "cmdRemove")->click();
  Child<QPushButton>(dialog, "cmdOk")->click();
  EXPECT_EQ(panel.Settings.InputDisplayList, "0010");
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(channels->model()->rowCount(), 0) << "closing empties the lists";

  // Enter in a list after Remove All: nothing is stored, the dialog stays.
  dialog.show();
  Child<QPushButton>(dialog, "cmdRemoveAll")->click();
  QTest::keyClick(current, Qt::Key_Return);
  QTest::keyClick(channels, Qt::Key_Enter);
  EXPECT_TRUE(dialog.isVisible());
  auto* cancel = Child<QPushButton>(dialog, "cmdCancel");
  cancel->setFocus();
  QTest::keyClick(cancel, Qt::Key_Return);  // presses the button that has the focus
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(panel.Settings.InputDisplayList, "0010");
}

TEST_F(DialogsTest, TheKeyColumnHoldsTheLongestKeyOfTheLargestRouter) {
  panel.State.ReplaceInputs(std::vector<std::string>(16383), {});
  panel.State.DisplayListTarget = 10;
  DisplayListDialog dialog(panel, {});
  dialog.show();
  for (const char* name : {"lvChannel", "lvList"}) {
    auto* view = Child<QTreeView>(dialog, name);
    EXPECT_GT(view->columnWidth(1), view->fontMetrics().horizontalAdvance("Ch.16383")) << name;
  }
}

// A path is shown one way everywhere, whatever its bytes: UTF-8 as such, any other byte as \xNN.
TEST_F(DialogsTest, AServerPathReadsTheSameInEveryWindow) {
  const std::string path = programDir.path().toStdString() + "/s\xC3\xA9rv/z\xE9";
  std::filesystem::create_directories(path);
  panel.Settings.ServerPath = path + "/";
  panel.View.StatusPanel2 = panel.Settings.ServerPath;
  const QString shown = programDir.path() + QString::fromUtf8("/s\xC3\xA9rv/z\\xE9");

  MainWindow window(panel);
  window.render();
  EXPECT_EQ(Child<QLabel>(window, "Panel2")->text(), shown + "/");
  AboutDialog about(panel);
  about.show();
  EXPECT_EQ(Child<QLabel>(about, "lblServerLocation")->text(), shown + "/*.ndf");
  EXPECT_EQ(Child<QLabel>(about, "lblVersionInfo")->text(),
            "Tolen Dazivedur\nVersion 3.14 - 07/31/2008");
  Child<QPushButton>(about, "cmdAboutquit")->click();
  EXPECT_FALSE(about.isVisible());
  SetupDialog setup(panel, {});
  setup.RefillFromSettings();
  setup.show();
  EXPECT_EQ(Child<QLineEdit>(setup, "txtDirectory")->text(), shown);
  EXPECT_TRUE(ui.Messages.empty());
}

// The panel's texts are laid out by their own line breaks: the outage message's longest line is
// not wrapped again by the box.
TEST(MessageBoxTest, AMessageKeepsItsOwnLines) {
  const QString longest =
      "Please verify the ZOR Server Software is running and that the network connection";
  int room = -1;  // no box seen
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    const auto* label = box ? box->findChild<QLabel*>("qt_msgbox_label") : nullptr;
    if (label) room = label->width() - label->fontMetrics().horizontalAdvance(longest);
    if (box) box->accept();
  });
  QtUi().MessageBox("Files!\r\r" + longest.toStdString() + "\rto that computer.", "Error",
                    MsgIcon::Critical, MsgButtons::Ok);
  EXPECT_GE(room, 0);
}

}  // namespace
}  // namespace dazi::ui
