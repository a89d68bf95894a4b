#include "ui/SetupDialog.h"

#include <algorithm>
#include <exception>
#include <string>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEnterEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTreeView>
#include <QVBoxLayout>
#include <QValidator>

#include "model/Panel.h"
#include "model/ScopedValue.h"
#include "panel/SetupForm.h"
#include "settings/Drives.h"
#include "settings/PathText.h"
#include "ui/DirectoryTree.h"
#include "ui/QtLinkLog.h"

namespace dazi::ui {

namespace {

// The boxes' key filters, applied to whatever an edit puts in: typing, pasting, dropping. A
// typed character that does not pass is discarded before it reaches the box; of pasted text
// the characters that do not pass are left out, as if it had been typed. Texts the dialog sets
// itself (from the settings) are shown as they are.
class KeyFilter : public QValidator {
 public:
  KeyFilter(SetupBox box, QObject* parent) : QValidator(parent), box_(box) {}

  void setTextQuietly(QLineEdit* line, const QString& text) const {
    {
      const ScopedValue quiet(quiet_, true);
      line->setText(text);
    }
    previous_ = line->text();
  }

  State validate(QString& input, int& pos) const override {
    if (quiet_) {
      previous_ = input;
      return Acceptable;
    }
    // What the edit put in: the text between what it kept at the front and at the back.
    qsizetype front = 0;
    while (front < input.size() && front < previous_.size() && input[front] == previous_[front])
      ++front;
    qsizetype back = 0;
    while (back < input.size() - front && back < previous_.size() - front &&
           input[input.size() - 1 - back] == previous_[previous_.size() - 1 - back])
      ++back;
    const QString inserted = input.mid(front, input.size() - front - back);
    QString kept;
    for (QChar c : inserted)
      if (SetupBox_KeyPress(box_, c.unicode()) != 0) kept += c;
    if (kept.size() == inserted.size()) {
      previous_ = input;
      return Acceptable;
    }
    if (kept.isEmpty()) return Invalid;  // the box undoes the edit: nothing reached it
    input = input.left(front) + kept + input.right(back);
    pos = static_cast<int>(front + kept.size());
    previous_ = input;
    return Acceptable;
  }

 private:
  SetupBox box_;
  mutable QString previous_;
  mutable bool quiet_ = false;
};

void SetBoxText(QLineEdit* box, const std::string& text) {
  const QString shown = QString::fromLatin1(text);
  if (box->text() == shown) return;
  if (const auto* filter = dynamic_cast<const KeyFilter*>(box->validator()))
    filter->setTextQuietly(box, shown);
  else
    box->setText(shown);
}

std::string BoxText(const QLineEdit* box) {
  return box->text().toLatin1().toStdString();
}

QString FromPath(const std::string& path) {
  return QString::fromStdString(ShownPath(path));
}

std::string ToPath(const QString& text) {
  return PathFromShown(text.toStdString());
}

struct BoxParts {
  const char* Name;
  const char* Label;
  const char* LabelName;
  SetupBox Kind;
  const char* ToolTip;
};

// A text box with its label above it, at row and column of the grid.
QLineEdit* AddBox(QWidget* frame, QGridLayout* grid, int row, int column, int span,
                  const BoxParts& parts) {
  auto* caption = new QLabel(QString::fromLatin1(parts.Label), frame);
  caption->setObjectName(QString::fromLatin1(parts.LabelName));
  auto* line = new QLineEdit(frame);
  line->setObjectName(QString::fromLatin1(parts.Name));
  if (parts.Kind != SetupBox::txtPassword) line->setValidator(new KeyFilter(parts.Kind, line));
  line->setToolTip(QString::fromLatin1(parts.ToolTip));
  caption->setBuddy(line);
  SetAccessible(line, caption->text(), line->toolTip());
  SetAccessible(caption, caption->text(), line->toolTip());
  grid->addWidget(caption, row, column, 1, span);
  grid->addWidget(line, row + 1, column, 1, span);
  return line;
}

}  // namespace

SetupDialog::SetupDialog(Panel& panel, std::function<void()> afterEvent, QWidget* parent)
    : QDialog(parent), panel_(panel), afterEvent_(std::move(afterEvent)) {
  build();
}

void SetupDialog::build() {
  setObjectName(QStringLiteral("frmTolenFile"));
  setWindowTitle(QString::fromLatin1(kSetupCaption));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(8.25);
  setFont(font);

  auto* frames = new QGridLayout;
  QWidget* fileFrame = buildFileFrame();
  QWidget* tcpIpFrame = buildTcpIpFrame();
  // Both frames hold one place; each keeps its room while hidden, so switching modes does not
  // move the rest of the dialog.
  for (QWidget* frame : {fileFrame, tcpIpFrame}) {
    QSizePolicy policy = frame->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    frame->setSizePolicy(policy);
    frames->addWidget(frame, 0, 0);
  }

  auto* help = new QGroupBox(QStringLiteral("Setup Help"), this);
  help->setObjectName(QStringLiteral("frmSetupHelp"));
  lblHelp_ = new QLabel(help);
  lblHelp_->setObjectName(QStringLiteral("lblHelp"));
  lblHelp_->setWordWrap(true);
  lblHelp_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblHelp_->setFixedHeight(lblHelp_->fontMetrics().lineSpacing() * 4 + 4);
  SetAccessible(help, QStringLiteral("Setup Help"),
                QStringLiteral("Help for the control under the mouse"));
  SetAccessible(lblHelp_, QStringLiteral("Setup Help"), help->accessibleDescription());
  (new QVBoxLayout(help))->addWidget(lblHelp_);

  auto* layout = new QGridLayout(this);
  layout->addLayout(frames, 0, 0);
  layout->addWidget(buildRightColumn(), 0, 1, Qt::AlignTop);
  layout->addWidget(help, 1, 0, 1, 2);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  setTabOrder(dirDirectory_, txtDirectory_);
  setTabOrder(txtDirectory_, drvDrive_);
  const QList<QWidget*> order = {drvDrive_,  txtRefresh_,  txtTimeOut_,      txtIP_,
                                 txtIpPort_, txtPassword_, txtPollRate_,     txtIPTimeOut_,
                                 cmdSelect_, cmdCancel_,   ChkHideInhibits_, chkStayOnTop_,
                                 optFile_,   optTCPIP_};
  for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);

  // The help strip follows the mouse over every control that has help.
  for (QWidget* control : findChildren<QWidget*>()) {
    if (control == frDirSelect_ ||
        !SetupHelpText(form_, control->objectName().toStdString()).empty())
      control->installEventFilter(this);
  }
  frDirSelect_->setMouseTracking(true);
}

QWidget* SetupDialog::buildFileFrame() {
  frFileMode_ = new QGroupBox(QStringLiteral("File Information"), this);
  frFileMode_->setObjectName(QStringLiteral("frFileMode"));
  SetAccessible(frFileMode_, frFileMode_->title(), QStringLiteral("Settings for File Mode"));

  frDirSelect_ = new QWidget(frFileMode_);
  frDirSelect_->setObjectName(QStringLiteral("frDirSelect"));
  SetAccessible(frDirSelect_, QStringLiteral("Server directory"),
                QString::fromStdString(SetupHelpText(form_, "frDirSelect")));
  auto* lblDirName = new QLabel(QStringLiteral("Server Directory:"), frDirSelect_);
  lblDirName->setObjectName(QStringLiteral("lblDirName"));
  dirDirectory_ = new QTreeView(frDirSelect_);
  dirDirectory_->setObjectName(QStringLiteral("dirDirectory"));
  directories_ = new DirectoryTree(dirDirectory_);
  dirDirectory_->setModel(directories_);
  dirDirectory_->setHeaderHidden(true);
  dirDirectory_->setUniformRowHeights(true);
  dirDirectory_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  dirDirectory_->setMinimumSize(230, 150);
  connect(dirDirectory_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this] { chooseFolder(false); });
  // Enter and a double-click open the folder; neither reaches the dialog's OK.
  connect(dirDirectory_, &QTreeView::activated, this, [this] { chooseFolder(true); });
  txtDirectory_ = new QLineEdit(frDirSelect_);
  txtDirectory_->setObjectName(QStringLiteral("txtDirectory"));
  txtDirectory_->setToolTip(
      QStringLiteral("The server directory. Type or paste a path and press Enter to open it"));
  connect(txtDirectory_, &QLineEdit::returnPressed, this,
          [this] { run(SetupForm_txtDirectory_Enter); });
  lblDirName->setBuddy(dirDirectory_);
  auto* lbDriveName = new QLabel(QStringLiteral("Server Drive:"), frDirSelect_);
  lbDriveName->setObjectName(QStringLiteral("lbDriveName"));
  drvDrive_ = new QComboBox(frDirSelect_);
  drvDrive_->setObjectName(QStringLiteral("drvDrive"));
  lbDriveName->setBuddy(drvDrive_);
  SetAccessible(dirDirectory_, QStringLiteral("Server Directory"),
                QStringLiteral("The directory where the ZOR Server keeps its network data files"));
  SetAccessible(drvDrive_, QStringLiteral("Server Drive"),
                QStringLiteral("The mounted file system that holds the server directory"));
  SetAccessible(txtDirectory_, QStringLiteral("Server Directory path"), txtDirectory_->toolTip());
  SetAccessible(lblDirName, lblDirName->text(), dirDirectory_->accessibleDescription());
  SetAccessible(lbDriveName, lbDriveName->text(), drvDrive_->accessibleDescription());
  auto* dirLayout = new QVBoxLayout(frDirSelect_);
  dirLayout->setContentsMargins(0, 0, 0, 0);
  dirLayout->setSpacing(2);
  dirLayout->addWidget(lblDirName);
  dirLayout->addWidget(dirDirectory_);
  dirLayout->addWidget(txtDirectory_);
  dirLayout->addSpacing(4);
  dirLayout->addWidget(lbDriveName);
  dirLayout->addWidget(drvDrive_);

  auto* numbers = new QGridLayout;
  txtRefresh_ = AddBox(frFileMode_, numbers, 0, 0, 1,
                       {"txtRefresh", "Refresh Rate", "lblRefresh", SetupBox::txtRefresh,
                        "How often the server's files are read, in milliseconds (1 to 32500)"});
  txtTimeOut_ = AddBox(frFileMode_, numbers, 0, 1, 1,
                       {"txtTimeOut", "Time Out", "LblTimeOut", SetupBox::txtTimeOut,
                        "Seconds the server's files may stay unreadable before the switcher "
                        "counts as disconnected (1 to 3600)"});

  auto* layout = new QVBoxLayout(frFileMode_);
  layout->addWidget(frDirSelect_);
  layout->addLayout(numbers);
  layout->addStretch();
  return frFileMode_;
}

QWidget* SetupDialog::buildTcpIpFrame() {
  frIPMode_ = new QGroupBox(QStringLiteral("TCP/IP Information"), this);
  frIPMode_->setObjectName(QStringLiteral("frIPMode"));
  SetAccessible(frIPMode_, frIPMode_->title(), QStringLiteral("Settings for TCP/IP Mode"));
  auto* grid = new QGridLayout;
  txtIP_ = AddBox(frIPMode_, grid, 0, 0, 2,
                  {"txtIP", "ZOR Server IP Address ", "lblIP", SetupBox::txtIP,
                   "TCP/IP Address Of ZOR Server Computer"});
  txtIP_->setMaxLength(15);
  txtIpPort_ = AddBox(frIPMode_, grid, 2, 0, 2,
                      {"txtIpPort", "Zor Server IP Port", "lblIpPort", SetupBox::txtIpPort,
                       "IP Port used to by ZOR Server Module"});
  txtPassword_ = AddBox(frIPMode_, grid, 4, 0, 2,
                        {"txtPassword", "ZOR Server Password", "lblPassword", SetupBox::txtPassword,
                         "Password to log into ZOR Server Module"});
  txtPassword_->setEchoMode(QLineEdit::Password);
  // The platform's mask character is usually a bullet; the panel has always shown stars.
  txtPassword_->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
  txtPollRate_ = AddBox(frIPMode_, grid, 6, 0, 1,
                        {"txtPollRate", "Poll Rate", "lblPollRate", SetupBox::txtPollRate,
                         "Seconds between polls of the Server Module (1 to 3600)"});
  txtIPTimeOut_ = AddBox(frIPMode_, grid, 6, 1, 1,
                         {"txtIPTimeOut", "Time Out", "lblIPTimeOut", SetupBox::txtIPTimeOut,
                          "Polls in a row that may go unanswered before the panel disconnects "
                          "(1 to 3600)"});
  auto* layout = new QVBoxLayout(frIPMode_);
  layout->addLayout(grid);
  layout->addStretch();
  return frIPMode_;
}

QWidget* SetupDialog::buildRightColumn() {
  auto* column = new QWidget(this);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 6, 0, 0);

  auto button = [&](const char* name, const char* caption, const char* tooltip) {
    auto* b = new QPushButton(QString::fromLatin1(caption), column);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(QString::fromLatin1(tooltip));
    SetAccessible(b, b->text(), b->toolTip());
    layout->addWidget(b);
    return b;
  };
  cmdSelect_ = button("cmdSelect", "&Ok",
                      "Select Server Path & Save Refresh Rate, Time Out Period, Inhibit & Stay On "
                      "Top options");
  cmdCancel_ = button("cmdCancel", "&Cancel", "Abandon changes & exit Setup");
  cmdSelect_->setDefault(true);
  layout->addSpacing(8);

  ChkHideInhibits_ = new QCheckBox(QStringLiteral("Hide &Inhibits"), column);
  ChkHideInhibits_->setObjectName(QStringLiteral("ChkHideInhibits"));
  ChkHideInhibits_->setToolTip(QStringLiteral("Check to hide inhibits in list of inputs"));
  SetAccessible(ChkHideInhibits_, ChkHideInhibits_->text(), ChkHideInhibits_->toolTip());
  chkStayOnTop_ = new QCheckBox(QStringLiteral("Keep Control Panel On Top"), column);
  chkStayOnTop_->setObjectName(QStringLiteral("chkStayOnTop"));
  SetAccessible(chkStayOnTop_, chkStayOnTop_->text(),
                QString::fromStdString(SetupHelpText(form_, "chkStayOnTop")));
  layout->addWidget(ChkHideInhibits_);
  layout->addWidget(chkStayOnTop_);
  layout->addSpacing(8);

  auto* select = new QGroupBox(column);
  select->setObjectName(QStringLiteral("FrmSelect"));
  SetAccessible(select, QStringLiteral("Link mode"),
                QStringLiteral("How the panel reaches the ZOR Server"));
  optFile_ = new QRadioButton(QStringLiteral("File Mode"), select);
  optFile_->setObjectName(QStringLiteral("optFile"));
  optFile_->setToolTip(QStringLiteral("Select for Tolen DaziVedur in File Mode"));
  optTCPIP_ = new QRadioButton(QStringLiteral("TCP/IP Mode"), select);
  optTCPIP_->setObjectName(QStringLiteral("optTCPIP"));
  optTCPIP_->setToolTip(QStringLiteral("Select for Tolen DaziVedur in TCP/IP Mode"));
  for (QRadioButton* option : {optFile_, optTCPIP_})
    SetAccessible(option, option->text(), option->toolTip());
  auto* options = new QVBoxLayout(select);
  options->addWidget(optFile_);
  options->addWidget(optTCPIP_);
  layout->addWidget(select);

  connect(cmdSelect_, &QPushButton::clicked, this, [this] { run(SetupForm_cmdSelect_Click); });
  connect(cmdCancel_, &QPushButton::clicked, this, [this] { run(SetupForm_cmdCancel_Click); });
  connect(optFile_, &QRadioButton::clicked, this, [this] { run(SetupForm_optFile_Click); });
  connect(optTCPIP_, &QRadioButton::clicked, this, [this] { run(SetupForm_optTCPIP_Click); });
  connect(drvDrive_, &QComboBox::activated, this, [this] { run(SetupForm_drvDrive_Change); });
  return column;
}

void SetupDialog::fillDrives() {
  // From the mount table alone: listing the drives asks nothing of them.
  form_.DriveList = OrderDrives(MountedDrives(), QDir::homePath().toStdString());
  drvDrive_->clear();
  for (const std::string& drive : form_.DriveList) drvDrive_->addItem(FromPath(drive));
  shownDrive_.clear();
  shownDirectory_.clear();
}

void SetupDialog::run(const std::function<void(Panel&, SetupForm&)>& routine) {
  if (running_) return;
  {
    const ScopedValue running(running_, true);
    toForm();
    try {
      routine(panel_, form_);
    } catch (const std::exception& error) {
      // Nothing here throws by design; a failure must still not escape into the event loop.
      QtLinkLog::Warn(std::string("a setup dialog routine ended by an error it did not trap: ") +
                      error.what());
    }
    fromForm();
  }
  if (afterEvent_) afterEvent_();
  if (!form_.Visible && isVisible()) QDialog::done(QDialog::Accepted);
}

void SetupDialog::toForm() {
  const QModelIndex current = dirDirectory_->currentIndex();
  if (current.isValid()) form_.dirDirectory = directories_->PathOf(current);
  form_.txtDirectory = ToPath(txtDirectory_->text());
  if (drvDrive_->currentIndex() >= 0) {
    const int drive = drvDrive_->currentIndex();
    if (static_cast<std::size_t>(drive) < form_.DriveList.size())
      form_.drvDrive = form_.DriveList[static_cast<std::size_t>(drive)];
  }
  form_.txtRefresh = BoxText(txtRefresh_);
  form_.txtTimeOut = BoxText(txtTimeOut_);
  form_.txtIP = BoxText(txtIP_);
  form_.txtIpPort = BoxText(txtIpPort_);
  form_.txtPassword = txtPassword_->text().toStdU16String();
  form_.txtPollRate = BoxText(txtPollRate_);
  form_.txtIPTimeOut = BoxText(txtIPTimeOut_);
  form_.ChkHideInhibits = ChkHideInhibits_->isChecked();
  form_.chkStayOnTop = chkStayOnTop_->isChecked();
  form_.optFile = optFile_->isChecked();
  form_.optTCPIP = optTCPIP_->isChecked();
}

void SetupDialog::fromForm() {
  frFileMode_->setVisible(form_.frFileModeVisible);
  frIPMode_->setVisible(form_.frIPModeVisible);
  showDirectory();
  if (txtDirectory_->text() != FromPath(form_.txtDirectory))
    txtDirectory_->setText(FromPath(form_.txtDirectory));
  SetBoxText(txtRefresh_, form_.txtRefresh);
  SetBoxText(txtTimeOut_, form_.txtTimeOut);
  SetBoxText(txtIP_, form_.txtIP);
  SetBoxText(txtIpPort_, form_.txtIpPort);
  const QString password = QString::fromStdU16String(form_.txtPassword);
  if (txtPassword_->text() != password) txtPassword_->setText(password);
  SetBoxText(txtPollRate_, form_.txtPollRate);
  SetBoxText(txtIPTimeOut_, form_.txtIPTimeOut);
  ChkHideInhibits_->setChecked(form_.ChkHideInhibits);
  chkStayOnTop_->setChecked(form_.chkStayOnTop);
  optFile_->setChecked(form_.optFile);
  optTCPIP_->setChecked(form_.optTCPIP);
  lblHelp_->setText(QString::fromLatin1(form_.lblHelp));
  if (!form_.FocusControl.empty()) {
    if (auto* control = findChild<QWidget*>(QString::fromStdString(form_.FocusControl))) {
      control->setFocus();
      if (auto* box = qobject_cast<QLineEdit*>(control)) box->selectAll();
    }
    form_.FocusControl.clear();
  }
}

// The directory list shows the tree of the chosen drive, opened down to the current directory.
// Only folders that answered the share probe are shown here; the tree lists each level under the
// same bound.
void SetupDialog::showDirectory() {
  const auto drive = std::find(form_.DriveList.begin(), form_.DriveList.end(), form_.drvDrive);
  const int driveIndex =
      drive == form_.DriveList.end() ? -1 : static_cast<int>(drive - form_.DriveList.begin());
  if (driveIndex >= 0 && drvDrive_->currentIndex() != driveIndex)
    drvDrive_->setCurrentIndex(driveIndex);
  if (shownDrive_ != form_.drvDrive) {
    directories_->SetDrive(form_.drvDrive);
    dirDirectory_->expand(directories_->index(0, 0));
    shownDrive_ = form_.drvDrive;
    shownDirectory_.clear();
  }
  if (shownDirectory_ == form_.dirDirectory) return;
  shownDirectory_ = form_.dirDirectory;
  const QModelIndex directory = directories_->Reveal(form_.dirDirectory);
  if (!directory.isValid() || directory == dirDirectory_->currentIndex()) return;
  for (QModelIndex parent = directory.parent(); parent.isValid(); parent = parent.parent())
    dirDirectory_->expand(parent);
  dirDirectory_->setCurrentIndex(directory);
  dirDirectory_->scrollTo(directory);
}

void SetupDialog::chooseFolder(bool open) {
  if (running_) return;  // the dialog moving the list itself
  run(SetupForm_dirDirectory_Change);
  if (open) dirDirectory_->expand(dirDirectory_->currentIndex());
}

void SetupDialog::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  QWidget* focus = focusWidget();
  if (enter && (focus == txtDirectory_ || !qobject_cast<QLineEdit*>(focus))) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void SetupDialog::reject() {
  run(SetupForm_cmdCancel_Click);
}

void SetupDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  form_.Visible = true;
  fillDrives();
  run(SetupForm_Activate);
}

void SetupDialog::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && activation_.Changed(this))
    run(SetupForm_Activate);
}

bool SetupDialog::eventFilter(QObject* watched, QEvent* event) {
  const bool entered = event->type() == QEvent::Enter;
  const bool moved = event->type() == QEvent::MouseMove;
  if (!entered && !(moved && watched == frDirSelect_)) return QDialog::eventFilter(watched, event);
  if (watched == frDirSelect_) {
    // Only its own free area: the lists and labels inside it have no help of their own.
    const QPointF at = entered ? static_cast<QEnterEvent*>(event)->position()
                               : static_cast<QMouseEvent*>(event)->position();
    if (frDirSelect_->childAt(at.toPoint())) return false;
  }
  const std::string control = watched->objectName().toStdString();
  run([&control](Panel&, SetupForm& form) { SetupForm_MouseMove(form, control); });
  return false;
}

}  // namespace dazi::ui
