#include "link_tcp/PasswordPrompt.h"

#include "core/Panel.h"

namespace dazi {
// Stub: to be written.
void PasswordForm_Activate(Panel&, PasswordForm&) {}
void PasswordForm_cmdOk_Click(Panel&, PasswordForm&) {}
void PasswordForm_cmdCancel_Click(Panel&, PasswordForm&) {}
void PasswordForm_txtPassword_KeyPress(Panel&, PasswordForm&, int) {}
void PasswordForm_Unload(Panel&, PasswordForm&) {}
}  // namespace dazi
