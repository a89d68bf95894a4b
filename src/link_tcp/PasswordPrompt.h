// The password prompt's logic, over the contents of its controls.
#pragma once

#include <string>

namespace dazi {

struct Panel;

struct PasswordForm {
  std::string lblIP = "IP";
  std::u16string txtPassword;
  bool Closed = false;  // the prompt asks its view to close
};

inline constexpr const char* kPasswordCaption = "Enter Password";

void PasswordForm_Activate(Panel& panel, PasswordForm& form);
void PasswordForm_cmdOk_Click(Panel& panel, PasswordForm& form);
void PasswordForm_cmdCancel_Click(Panel& panel, PasswordForm& form);
// Enter (13) acts as OK when the text is not empty.
void PasswordForm_txtPassword_KeyPress(Panel& panel, PasswordForm& form, int keyAscii);
void PasswordForm_Unload(Panel& panel, PasswordForm& form);

}  // namespace dazi
