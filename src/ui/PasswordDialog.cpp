#include "ui/PasswordDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "model/Panel.h"
#include "ui/QtUi.h"

template <typename Routine>
void PasswordDialog::Run(Routine routine) {
  form_.txtPassword = txtPassword_->text().toStdU16String();
  routine(panel_, form_);
  lblIP_->setText(dazi::ui::FromAnsi(form_.lblIP));
  const QString text = QString::fromStdU16String(form_.txtPassword);
  if (txtPassword_->text() != text) txtPassword_->setText(text);
  // The link may have closed the prompt already, while the routine was sending.
  if (form_.Closed && open_) done(QDialog::Accepted);
}

PasswordDialog::PasswordDialog(dazi::Panel& panel, QWidget* parent)
    : QDialog(parent), panel_(panel) {
  setObjectName(QStringLiteral("frmSwitcherPassword"));
  setWindowTitle(QString::fromLatin1(dazi::kPasswordCaption));

  LblSwitcher_ = new QLabel(QStringLiteral("Switcher"), this);
  LblSwitcher_->setObjectName(QStringLiteral("LblSwitcher"));
  lblIP_ = new QLabel(QStringLiteral("IP"), this);
  lblIP_->setObjectName(QStringLiteral("lblIP"));
  txtPassword_ = new QLineEdit(this);
  txtPassword_->setObjectName(QStringLiteral("txtPassword"));
  txtPassword_->setEchoMode(QLineEdit::Password);
  // The platform's mask character is usually a bullet; the prompt has always shown stars.
  txtPassword_->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
  cmdOk_ = new QPushButton(QStringLiteral("&Ok"), this);
  cmdOk_->setObjectName(QStringLiteral("cmdOk"));
  cmdCancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
  cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
  // Enter in the text box is the prompt's own key handling, not a default button's.
  cmdOk_->setAutoDefault(false);
  cmdCancel_->setAutoDefault(false);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdOk_);
  buttons->addStretch();
  buttons->addWidget(cmdCancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(LblSwitcher_);
  layout->addWidget(lblIP_);
  layout->addWidget(txtPassword_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  setTabOrder(cmdOk_, txtPassword_);
  setTabOrder(txtPassword_, cmdCancel_);
  txtPassword_->setAccessibleName(QStringLiteral("Password"));
  txtPassword_->setAccessibleDescription(QStringLiteral("The switcher server's password"));
  cmdOk_->setAccessibleDescription(QStringLiteral("Sends the password"));
  cmdCancel_->setAccessibleDescription(QStringLiteral("Sends no password; the server may refuse"));

  connect(cmdOk_, &QPushButton::clicked, this, [this] { Run(dazi::PasswordForm_cmdOk_Click); });
  connect(cmdCancel_, &QPushButton::clicked, this,
          [this] { Run(dazi::PasswordForm_cmdCancel_Click); });
  connect(txtPassword_, &QLineEdit::returnPressed, this, [this] {
    Run([](dazi::Panel& p, dazi::PasswordForm& form) {
      dazi::PasswordForm_txtPassword_KeyPress(p, form, '\r');
    });
  });
}

PasswordDialog::~PasswordDialog() {
  if (open_) dazi::PasswordForm_Unload(panel_, form_);
}

void PasswordDialog::done(int result) {
  if (open_) {
    open_ = false;
    dazi::PasswordForm_Unload(panel_, form_);
  }
  QDialog::done(result);
}

void PasswordDialog::reject() {
  if (open_) {
    Run(dazi::PasswordForm_cmdCancel_Click);
    return;
  }
  QDialog::reject();
}

void PasswordDialog::closeForLink() {
  done(QDialog::Rejected);
}

void PasswordDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous() || open_) return;
  // Each opening starts afresh: nothing typed earlier survives.
  form_ = dazi::PasswordForm{};
  txtPassword_->clear();
  open_ = true;
  Run(dazi::PasswordForm_Activate);
  txtPassword_->setFocus();
}
