#include "ui/AboutDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "model/Panel.h"
#include "settings/PathText.h"
#include "ui/Artwork.h"
#include "ui/QtUi.h"

namespace dazi::ui {

namespace {

constexpr int kLogoSide = 64;

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  return label;
}

}  // namespace

AboutDialog::AboutDialog(const Panel& panel, QWidget* parent) : QDialog(parent), panel_(panel) {
  setObjectName(QStringLiteral("frmTolenAbout"));
  setWindowTitle(QString::fromLatin1(kAboutCaption));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(8.25);
  setFont(font);

  auto* Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setPixmap(LogoPicture(kLogoSide, devicePixelRatioF()));
  Image1->setFixedSize(kLogoSide, kLogoSide);
  QLabel* lblZORtitle = MakeLabel(this, "lblZORtitle", QString::fromLatin1(kSupplierName));
  QFont titleFont = font;
  titleFont.setPointSizeF(14);
  titleFont.setBold(true);
  lblZORtitle->setFont(titleFont);
  QLabel* lblZORaddress =
      MakeLabel(this, "lblZORaddress", QString::fromLatin1(kSupplierDescription));
  QLabel* lblZORaddress2 = MakeLabel(this, "lblZORaddress2", QString::fromUtf8(kSupplierGuide));
  lblZORaddress2->setWordWrap(true);
  lblSettingsFolder_ = MakeLabel(this, "lblSettingsFolder", QString());
  lblSettingsFolder_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* identity = new QVBoxLayout;
  identity->setSpacing(2);
  identity->addWidget(lblZORtitle);
  identity->addWidget(lblZORaddress);
  identity->addWidget(lblZORaddress2);
  identity->addWidget(lblSettingsFolder_);
  identity->addStretch();
  auto* top = new QHBoxLayout;
  top->addWidget(Image1, 0, Qt::AlignTop);
  top->addSpacing(8);
  top->addLayout(identity, 1);
  Image1->setAccessibleName(QStringLiteral("DaziVedur logo"));

  auto* frmVersionInfo = new QGroupBox(QStringLiteral("Version Information"), this);
  frmVersionInfo->setObjectName(QStringLiteral("frmVersionInfo"));
  lblVersionInfo_ = MakeLabel(frmVersionInfo, "lblVersionInfo", QString());
  (new QVBoxLayout(frmVersionInfo))->addWidget(lblVersionInfo_);

  auto* frmSetupInfo = new QGroupBox(QStringLiteral("Setup Information"), this);
  frmSetupInfo->setObjectName(QStringLiteral("frmSetupInfo"));
  auto* grid = new QGridLayout(frmSetupInfo);
  grid->setColumnStretch(1, 1);
  grid->setHorizontalSpacing(12);
  auto pair = [&](int row, QLabel*& caption, const char* captionName, QLabel*& value,
                  const char* valueName) {
    caption = MakeLabel(frmSetupInfo, captionName, QString());
    value = MakeLabel(frmSetupInfo, valueName, QString());
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(caption, row, 0);
    grid->addWidget(value, row, 1);
  };
  pair(0, lblSrvLoc_, "lblSrvLoc", lblServerLocation_, "lblServerLocation");
  pair(1, lblOtCtl_, "lblOtCtl", lblOutputControlled_, "lblOutputControlled");
  pair(2, lblRefresh_, "lblRefresh", lblRate_, "lblRate");
  pair(3, lblTimeOutPeriod_, "lblTimeOutPeriod", LblTimeOut_, "LblTimeOut");

  auto* cmdAboutquit = new QPushButton(QStringLiteral("&Ok"), this);
  cmdAboutquit->setObjectName(QStringLiteral("cmdAboutquit"));
  cmdAboutquit->setDefault(true);
  SetAccessible(cmdAboutquit, cmdAboutquit->text(), QStringLiteral("Close the information window"));
  connect(cmdAboutquit, &QPushButton::clicked, this, [this] {
    AboutForm_cmdAboutquit_Click(form_);
    if (!form_.Visible) accept();
  });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdAboutquit);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(frmVersionInfo);
  layout->addWidget(frmSetupInfo);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  setMinimumWidth(380);

  SetAccessible(lblZORtitle, lblZORtitle->text(), QStringLiteral("The program's name"));
  SetAccessible(lblZORaddress, lblZORaddress->text(), QStringLiteral("What the program does"));
  SetAccessible(lblZORaddress2, lblZORaddress2->text(), QStringLiteral("Where its guide is"));
  SetAccessible(frmVersionInfo, frmVersionInfo->title(), QStringLiteral("The program's version"));
  SetAccessible(frmSetupInfo, frmSetupInfo->title(), QStringLiteral("The settings in force"));
  SetAccessible(Image1, Image1->accessibleName(), QStringLiteral("The program's logo"));
}

void AboutDialog::activate() {
  AboutForm_Activate(panel_, form_);
  // The version text keeps its bare carriage return; a label breaks lines only at a line feed.
  QString version = QString::fromLatin1(form_.lblVersionInfo);
  version.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  lblVersionInfo_->setText(version);
  // Which of the panels on this desktop this is: the folder its settings are kept in.
  lblSettingsFolder_->setText(
      QStringLiteral("Settings: %1")
          .arg(QString::fromStdU16String(panel_.SettingsFolderInUse().u16string())));
  SetAccessible(lblSettingsFolder_, lblSettingsFolder_->text(),
                QStringLiteral("Where this panel keeps its settings"));
  lblSrvLoc_->setText(QString::fromLatin1(form_.lblSrvLoc));
  // A server directory is a path of this system; an address is plain ASCII either way.
  lblServerLocation_->setText(QString::fromStdString(ShownPath(form_.lblServerLocation)));
  lblOtCtl_->setText(QString::fromLatin1(form_.lblOtCtl));
  lblOutputControlled_->setText(FromAnsi(form_.lblOutputControlled));
  lblRefresh_->setText(QString::fromLatin1(form_.lblRefresh));
  lblRate_->setText(QString::fromLatin1(form_.lblRate));
  lblTimeOutPeriod_->setText(QString::fromLatin1(form_.lblTimeOutPeriod));
  LblTimeOut_->setText(QString::fromLatin1(form_.LblTimeOut));
  // Each caption is read with its value, and each value with its caption.
  SetAccessible(lblVersionInfo_, version.simplified(), QStringLiteral("Version Information"));
  const std::pair<QLabel*, QLabel*> pairs[] = {{lblSrvLoc_, lblServerLocation_},
                                               {lblOtCtl_, lblOutputControlled_},
                                               {lblRefresh_, lblRate_},
                                               {lblTimeOutPeriod_, LblTimeOut_}};
  for (const auto& [caption, value] : pairs) {
    SetAccessible(caption, caption->text(), value->text());
    SetAccessible(value, value->text(), caption->text());
  }
}

void AboutDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  form_.Visible = true;
  activate();
}

void AboutDialog::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && activation_.Changed(this) && isVisible())
    activate();
}

}  // namespace dazi::ui
