#include "link_tcp/PasswordPrompt.h"

#include "link_tcp/Commands.h"
#include "link_tcp/Outbound.h"
#include "model/Panel.h"

namespace dazi {

namespace {

constexpr int kEnterKey = 13;

// The password message carries one 7-bit byte per character; anything else would corrupt the
// message, so the operator is asked for another password instead.
void RefusePassword(Panel& panel, const std::u16string& password) {
  const char* text = password.size() > kMaxPasswordLength
                         ? "The password is too long: it can hold at most 127 characters."
                         : "The password can only hold plain ASCII characters (letters without "
                           "accents, digits and the usual signs).";
  panel.Ui.MessageBox(text, kPasswordCaption, MsgIcon::Exclamation, MsgButtons::Ok);
}

}  // namespace

void PasswordForm_Activate(Panel& panel, PasswordForm& form) {
  panel.State.PasswordPromptOpen = true;
  form.lblIP = "IP: " + panel.Settings.IPAddress;
}

void PasswordForm_cmdOk_Click(Panel& panel, PasswordForm& form) {
  if (form.txtPassword.empty()) return;
  const auto message = BuildPassword(form.txtPassword);
  if (!message) {
    RefusePassword(panel, form.txtPassword);
    return;
  }
  SendToSwitcher(panel, *message);
  form.Closed = true;
}

void PasswordForm_cmdCancel_Click(Panel& panel, PasswordForm& form) {
  // The password message with an empty password tells the server the operator declined.
  SendToSwitcher(panel, {protocol::kPassword, 0, 0, 0, protocol::kEOM});
  form.Closed = true;
}

void PasswordForm_txtPassword_KeyPress(Panel& panel, PasswordForm& form, int keyAscii) {
  if (keyAscii == kEnterKey && !form.txtPassword.empty()) PasswordForm_cmdOk_Click(panel, form);
}

void PasswordForm_Unload(Panel& panel, PasswordForm&) {
  panel.State.PasswordPromptOpen = false;
}

}  // namespace dazi
