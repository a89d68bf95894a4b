#include "link_tcp/PasswordPrompt.h"

#include <gtest/gtest.h>

#include "support/PanelFixture.h"

namespace dazi {
namespace {

class PasswordPromptTest : public ::testing::Test, protected testing::PanelFixture {
 protected:
  PasswordPromptTest() {
    panel.Settings.IPAddress = "192.168.7.20";
    socket.IsConnected = panel.State.SocketConnected = true;
    PasswordForm_Activate(panel, form);
  }
  PasswordForm form;
};

// What the message cannot carry is refused where it is typed; the prompt stays and nothing goes.
// Opening the prompt, what OK, Enter and Cancel send, and a send on a dropped connection are the
// dialog's tests, which click it.
TEST_F(PasswordPromptTest, PasswordThatCannotTravelIsRefused) {
  const std::u16string refused[] = {std::u16string(128, u'x'),  // length byte >= 128
                                    std::u16string(256, u'x'), u"caf\u00e9", u"\u20ac",
                                    std::u16string(u"a\0b", 3)};
  for (const std::u16string& password : refused) {
    ui.Messages.clear();
    form.txtPassword = password;
    PasswordForm_cmdOk_Click(panel, form);
    EXPECT_TRUE(socket.Written.empty());
    EXPECT_FALSE(form.Closed);
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_EQ(ui.Messages[0].Title, "Enter Password");
  }
  form.txtPassword = std::u16string(127, u'x');
  PasswordForm_cmdOk_Click(panel, form);
  ASSERT_EQ(socket.Written.size(), 1u);
  EXPECT_EQ(socket.Written[0].size(), 132u);
}

}  // namespace
}  // namespace dazi
