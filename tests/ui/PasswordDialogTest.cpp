#include "ui/PasswordDialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "model/Panel.h"
#include "support/FakePorts.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Closes the prompt when the link asks, as the Qt port does.
class ClosingUi : public dazi::testing::FakeUi {
 public:
  void ClosePasswordPrompt() override {
    FakeUi::ClosePasswordPrompt();
    if (prompt) prompt->closeForLink();
  }
  PasswordDialog* prompt = nullptr;
};

class PasswordDialogTest : public ::testing::Test {
 protected:
  PasswordDialogTest() {
    dazi::InitVariables(panel);
    panel.Settings.IPAddress = "10.0.0.9";
    socket.IsConnected = panel.State.SocketConnected = true;
    ui.prompt = &dialog;
    dialog.show();
  }
  QLineEdit* Password() { return dialog.findChild<QLineEdit*>("txtPassword"); }
  void Click(const char* button) {
    QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
  }

  ClosingUi ui;
  dazi::testing::FakeSocket socket;
  dazi::Panel panel{ui, socket};
  PasswordDialog dialog{panel};
};

TEST_F(PasswordDialogTest, OkSendsWhatIsTypedBehindStars) {
  EXPECT_EQ(dialog.findChild<QLabel*>("lblIP")->text(), "IP: 10.0.0.9");
  EXPECT_EQ(dialog.focusWidget(), Password());
  EXPECT_TRUE(panel.State.PasswordPromptOpen);

  QTest::keyClicks(Password(), "abc");
  EXPECT_EQ(Password()->displayText(), "***");
  Click("cmdOk");
  // 128, 0, 3, a, b, c, (3 + 97 + 98 + 99) mod 128 = 41, end.
  EXPECT_EQ(socket.Written, std::vector<Bytes>{Bytes({128, 0, 3, 97, 98, 99, 41, 255})});
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_FALSE(panel.State.PasswordPromptOpen);
}

TEST_F(PasswordDialogTest, EnterSendsOnlyTypedTextAndCancelSendsTheEmptyLogin) {
  QTest::keyClick(Password(), Qt::Key_Return);
  EXPECT_TRUE(dialog.isVisible());
  QTest::keyClicks(Password(), "x");
  QTest::keyClick(Password(), Qt::Key_Return);
  EXPECT_FALSE(dialog.isVisible());
  dialog.show();
  EXPECT_TRUE(Password()->text().isEmpty()) << "each opening starts empty";
  Click("cmdCancel");
  EXPECT_EQ(socket.Written,
            std::vector<Bytes>({Bytes({128, 0, 1, 'x', 121, 255}), Bytes({128, 0, 0, 0, 255})}));
}

// The server waits for an answer: Escape and the close box decline, as Cancel does. Only the
// link going down closes the prompt without a word.
TEST_F(PasswordDialogTest, EscapeAndTheCloseBoxDeclineButTheLinkClosesSilently) {
  QTest::keyClicks(Password(), "abc");
  QTest::keyClick(Password(), Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
  dialog.show();
  dialog.close();
  EXPECT_EQ(socket.Written, std::vector<Bytes>(2, Bytes({128, 0, 0, 0, 255})));
  dialog.show();
  ui.ClosePasswordPrompt();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_FALSE(panel.State.PasswordPromptOpen);
  EXPECT_EQ(socket.Written.size(), 2u);
}

TEST_F(PasswordDialogTest, OkOnADroppedConnectionClosesOnce) {
  socket.IsConnected = false;  // the send becomes a disconnection, which closes the prompt
  int finished = 0;
  QObject::connect(&dialog, &QDialog::finished, [&finished] { ++finished; });
  QTest::keyClicks(Password(), "abc");
  Click("cmdOk");
  EXPECT_EQ(ui.PasswordPromptCloses, 1);
  EXPECT_FALSE(panel.State.PasswordPromptOpen);
  EXPECT_EQ(finished, 1);
}

}  // namespace
