#include "ui/MainWindow.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <exception>
#include <string>

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include "link_tcp/Connection.h"
#include "link_tcp/Framing.h"
#include "model/Panel.h"
#include "panel/MainForm.h"
#include "panel/TakeAndSalvo.h"
#include "settings/PathText.h"
#include "ui/Artwork.h"
#include "ui/FindList.h"
#include "ui/Palette.h"
#include "ui/QtLinkLog.h"
#include "ui/QtSocket.h"
#include "ui/QtUi.h"
#include "ui/SpinnerWidget.h"

namespace dazi::ui {

namespace {

// The strip as designed, in twips (15 to a pixel at 96 DPI).
constexpr int kTwipsPerPixel = 15;
constexpr int kClientWidth = 6735;
constexpr int kClientHeight = 1200;
constexpr int kBrandWidth = 1380;     // left of the destination display: the product's mark
constexpr int kControlsBottom = 960;  // below the lowest heading, with a little air

const QColor kHeadingColor = ConsoleColor(15);

QFont FormFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(8.25);
  return font;
}

// Terminal is a Windows bitmap font; elsewhere any fixed-pitch face stands in for it.
QFont DisplayFont() {
  QFont font;
  font.setFamilies({QStringLiteral("Terminal"), QStringLiteral("DejaVu Sans Mono"),
                    QStringLiteral("Liberation Mono"), QStringLiteral("Consolas"),
                    QStringLiteral("Courier New")});
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPointSize(9);
  font.setBold(true);
  return font;
}

QString DisplayStyle(const QColor& text) {
  return QStringLiteral(
             "QLineEdit { background: black; color: %1; border: 1px solid #0b0e12;"
             " border-radius: 2px; padding: 0px 3px; selection-background-color: black;"
             " selection-color: %1; } QLineEdit:focus { border-color: palette(highlight); }")
      .arg(text.name());
}

}  // namespace

MainWindow::MainWindow(Panel& panel, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      panel_(panel) {
  setObjectName(QStringLiteral("frmTolenMain"));
  setFont(FormFont());
  // The program gives every window its icon; drawing it again here would cost start-up time.
  if (QGuiApplication::windowIcon().isNull()) setWindowIcon(WindowIcon());
  scale_ = std::max(1.0, logicalDpiX() / 96.0);

  buildMenus();
  buildStatusBar();
  buildStrip();
  buildTimers();
  // A strip that can be minimized but never resized.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  render();
}

QRect MainWindow::twips(int left, int top, int width, int height) const {
  auto px = [this](int t) { return static_cast<int>(std::lround(t * scale_ / kTwipsPerPixel)); };
  return QRect(px(left), px(top), px(width), px(height));
}

void MainWindow::buildStrip() {
  auto* strip = new QWidget(this);
  strip->setObjectName(QStringLiteral("strip"));
  const QRect client = twips(0, 0, kClientWidth, kClientHeight);
  const int height = std::max(client.height() - statusBar()->sizeHint().height(),
                              twips(0, 0, 0, kControlsBottom).height());
  strip->setFixedSize(client.width(), height);

  imgBackgnd_ = new QLabel(strip);
  imgBackgnd_->setObjectName(QStringLiteral("imgBackgnd"));
  imgBackgnd_->setGeometry(0, 0, strip->width(), strip->height());
  imgBackgnd_->setPixmap(
      BackgroundPicture(strip->size(), twips(0, 0, kBrandWidth, 0).width(), devicePixelRatioF()));

  auto heading = [&](const char* name, const char* caption, QRect where) {
    auto* label = new QLabel(QString::fromLatin1(caption), strip);
    label->setObjectName(QString::fromLatin1(name));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kHeadingColor);
    label->setPalette(palette);
    // The text keeps its full height even where the box designed for it is a pixel short.
    where.setHeight(std::max(where.height(), label->sizeHint().height()));
    label->setGeometry(where);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
  };
  // Screen readers and automation tools find each control by its heading and its tooltip.
  auto describe = [](QWidget* widget, const QLabel* caption, const QString& description) {
    widget->setAccessibleName(caption->text());
    widget->setAccessibleDescription(description);
  };
  auto display = [&](const char* name, const char* tooltip, const QRect& where) {
    auto* box = new QLineEdit(strip);
    box->setObjectName(QString::fromLatin1(name));
    box->setToolTip(QString::fromLatin1(tooltip));
    box->setFont(DisplayFont());
    // Displays only: the panel writes them and reads its own View back, never typed text.
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setContextMenuPolicy(Qt::NoContextMenu);
    box->setGeometry(where);
    return box;
  };

  QLabel* lblDest = heading("lblDest", "Destination", twips(1395, 0, 1260, 180));
  txtOutputDisp_ = display("txtOutputDisp", "Displays Selected Output (Destination)",
                           twips(1380, 180, 1665, 600));
  cmdoutSel_ = new SpinnerWidget(panel_.View.cmdoutSel, strip);
  cmdoutSel_->setObjectName(QStringLiteral("cmdoutSel"));
  cmdoutSel_->setGeometry(twips(3045, 180, 240, 570));
  describe(txtOutputDisp_, lblDest, txtOutputDisp_->toolTip());
  cmdoutSel_->setAccessibleName(QStringLiteral("Destination selector"));
  cmdoutSel_->setAccessibleDescription(QStringLiteral("Steps through the destinations"));

  QLabel* lblSource = heading("lblSource", "Source", twips(3600, 0, 1260, 180));
  txtInputDisp_ =
      display("txtInputDisp", "Displays Active Input (Source)", twips(3600, 180, 1665, 315));
  txtPresetDisp_ =
      display("txtPresetDisp", "Displays Preset Input (Source)", twips(3600, 480, 1665, 300));
  // The heading's box starts two pixels inside the display above it; it goes behind the display.
  QLabel* lblPreset = heading("lblPreset", "Preset", twips(3600, 750, 1260, 180));
  lblPreset->stackUnder(txtPresetDisp_);
  cmdInSel_ = new SpinnerWidget(panel_.View.cmdInSel, strip);
  cmdInSel_->setObjectName(QStringLiteral("cmdInSel"));
  cmdInSel_->setGeometry(twips(5250, 180, 240, 570));
  describe(txtInputDisp_, lblSource, txtInputDisp_->toolTip());
  describe(txtPresetDisp_, lblPreset, txtPresetDisp_->toolTip());
  cmdInSel_->setAccessibleName(QStringLiteral("Source selector"));
  cmdInSel_->setAccessibleDescription(
      QStringLiteral("Steps through the sources, or the salvos in salvo mode"));

  QLabel* take = heading("lblTake", "Take", twips(5700, 45, 510, 180));
  take->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  cmdTake_ = new QPushButton(strip);
  cmdTake_->setObjectName(QStringLiteral("cmdTake"));
  cmdTake_->setToolTip(QStringLiteral("Take Selected Crosspoint"));
  QFont takeFont(QStringLiteral("MS Sans Serif"));
  takeFont.setPointSizeF(8.25);
  cmdTake_->setFont(takeFont);
  cmdTake_->setIcon(TakePicture());
  cmdTake_->setGeometry(twips(5760, 240, 492, 420));
  describe(cmdTake_, take, cmdTake_->toolTip());
  cmdTake_->setIconSize(cmdTake_->size() - QSize(8, 8));
  // Enter works while Take has the focus, as Space does; there is no window-wide hot key.
  cmdTake_->setAutoDefault(true);
  cmdTake_->setDefault(false);

  cmdoutSel_->setDispatcher(
      [this](const std::function<void()>& step) { dispatch("cmdoutSel_Change", step); });
  cmdInSel_->setDispatcher(
      [this](const std::function<void()>& step) { dispatch("cmdInSel_Change", step); });
  connect(cmdTake_, &QPushButton::clicked, this,
          [this] { dispatch("cmdTake_Click", [this] { cmdTake_Click(panel_); }); });
  // Typing on a display or its spinner finds by name; Ctrl+D and Ctrl+S reach the displays.
  findList_ = new FindList(
      panel_, [this](const std::function<void()>& step) { dispatch("ChooseFound", step); }, this);
  findList_->watch(FindSide::Destination, txtOutputDisp_, cmdoutSel_, Qt::CTRL | Qt::Key_D);
  findList_->watch(FindSide::Preset, txtPresetDisp_, cmdInSel_, Qt::CTRL | Qt::Key_S);

  setTabOrder(cmdoutSel_, cmdInSel_);
  setTabOrder(cmdInSel_, cmdTake_);
  setCentralWidget(strip);
}

void MainWindow::buildMenus() {
  auto item = [this](QMenu* menu, const char* name, const char* caption, void (*routine)(Panel&)) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    if (routine)
      connect(action, &QAction::triggered, this,
              [this, routine, handler = std::string(name) + "_Click"] {
                dispatch(handler, [this, routine] { routine(panel_); });
              });
    return action;
  };
  auto separator = [](QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
  };

  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("mnuFile"));
  item(file, "mnuServerSetup", "&Setup", mnuServerSetup_Click);
  item(file, "mnuPassword", "&Password", nullptr)->setEnabled(false);
  separator(file, "mnuSep");
  item(file, "mnuInDisplay", "Edit &Input Display List", mnuInDisplay_Click);
  item(file, "mnuOutDisplay", "Edit &Output Display List", mnuOutDisplay_Click);
  separator(file, "mnuSep4");
  mnuSalvoMode_ = item(file, "mnuSalvoMode", "Salvo Mode", mnuSalvoMode_Click);
  separator(file, "mnuSep2");
  mnuConnect_ = item(file, "mnuConnect", "&Connect", mnuConnect_Click);
  separator(file, "mnuSep3");
  item(file, "mnuExit", "E&xit", mnuExit_Click);

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("mnuHelp"));
  item(help, "mnuContents", "&Contents", mnuContents_Click);
  separator(help, "mnuseperator2");
  item(help, "mnuAbout", "&About", mnuAbout_Click);
}

void MainWindow::buildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBar1"));
  bar->setSizeGripEnabled(false);
  auto panel = [bar](const char* name, const char* tooltip, int stretch) {
    auto* label = new QLabel(bar);
    label->setObjectName(QString::fromLatin1(name));
    label->setToolTip(QString::fromLatin1(tooltip));
    // Its name is the text it shows, which changes; the description says what that text is.
    label->setAccessibleDescription(label->toolTip());
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setContentsMargins(3, 0, 3, 0);
    bar->addPermanentWidget(label, stretch);
    return label;
  };
  statusPanel1_ = panel("Panel1", "Serial communication status with switcher", 0);
  statusPanel1_->setMinimumWidth(twips(0, 0, 2000, 0).width());
  statusPanel2_ = panel("Panel2", "Location of ZOR NetServer", 1);
}

void MainWindow::buildTimers() {
  // Qt fires no timer again while its own handler runs, nested event loops included. The tick is
  // queued, so that the timer's event is over before the routine runs: a routine may open a modal
  // box (File Mode's outage message) under which its timer must go on ticking.
  auto timer = [this](const char* name, void (*routine)(Panel&)) {
    auto* t = new QTimer(this);
    t->setObjectName(QString::fromLatin1(name));
    connect(
        t, &QTimer::timeout, this,
        [this, routine, handler = std::string(name) + "_Timer"] {
          dispatch(handler, [this, routine] { routine(panel_); });
        },
        Qt::QueuedConnection);
    return t;
  };
  tmrFileCheck_ = timer("tmrFileCheck", tmrFileCheck_Timer);
  tmrPoll_ = timer("tmrPoll", tmrPoll_Timer);
  tmrSalvoMsg_ = timer("tmrSalvoMsg", tmrSalvoMsg_Timer);
}

void MainWindow::load(const QString& programDir) {
  const std::filesystem::path dir(programDir.toStdU16String());
  dispatch("Form_Load", [this, &dir] { Form_Load(panel_, dir); });
}

void MainWindow::dispatch(std::string_view routine, const std::function<void()>& step) {
  // The routines trap their own errors; this is the last net, so that nothing escapes into the
  // event loop and the window still shows what the routine had changed before it failed. The
  // operator is told nothing more than before; the link log is warned.
  try {
    step();
  } catch (const std::exception& error) {
    QtLinkLog::Warn(std::string(routine) + " ended by an error it did not trap: " + error.what());
  } catch (...) {
    QtLinkLog::Warn(std::string(routine) + " ended by an error it did not trap");
  }
  render();
}

void MainWindow::post(std::function<void()> step) {
  QMetaObject::invokeMethod(
      this, [this, step = std::move(step)] { dispatch("File Mode's file work", step); },
      Qt::QueuedConnection);
}

void MainWindow::listenTo(QtSocket& socket) {
  connect(&socket, &QtSocket::connectEvent, this, &MainWindow::onSocketConnect);
  connect(&socket, &QtSocket::closeEvent, this, &MainWindow::onSocketClose);
  connect(&socket, &QtSocket::dataArrival, this, &MainWindow::onSocketData);
}

void MainWindow::onSocketConnect() {
  dispatch("OnConnect", [this] { OnConnect(panel_); });
}

void MainWindow::onSocketClose() {
  dispatch("OnClose", [this] { OnClose(panel_); });
}

void MainWindow::onSocketData(int byteCount) {
  dispatch("OnDataArrival", [this, byteCount] { OnDataArrival(panel_, byteCount); });
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The close box saves exactly as Exit does; when Exit closed us, the unload is already running
  // and this call returns at once.
  dispatch("Form_Unload", [this] { Form_Unload(panel_); });
  event->accept();
}

void MainWindow::applyDisplay(QLineEdit* box, const DisplayBox& view, Shown& shown) {
  if (shown.text != view.Text) {
    box->setText(FromAnsi(view.Text));
    box->setCursorPosition(0);
    shown.text = view.Text;
  }
  if (shown.color != view.Color) {
    box->setStyleSheet(DisplayStyle(ConsoleColor(view.Color)));
    shown.color = view.Color;
  }
}

void MainWindow::applyTimer(QTimer* timer, const TimerState& state) {
  // An interval of 0 or less stops the timer, as it did on the original platform; a running
  // timer is only touched when something changed, because setInterval restarts it.
  const int interval = static_cast<int>(std::clamp<int64_t>(state.IntervalMs, 0, INT_MAX));
  const bool run = state.Enabled && interval > 0;
  if (interval > 0 && timer->interval() != interval) timer->setInterval(interval);
  if (run && !timer->isActive()) timer->start();
  if (!run && timer->isActive()) timer->stop();
}

void MainWindow::applyText(QAction* action, const std::string& caption,
                           std::optional<std::string>& shown) {
  if (shown == caption) return;
  action->setText(FromAnsi(caption));
  shown = caption;
}

void MainWindow::render() {
  const MainView& view = panel_.View;
  applyDisplay(txtOutputDisp_, view.txtOutputDisp, shownOutput_);
  applyDisplay(txtInputDisp_, view.txtInputDisp, shownInput_);
  applyDisplay(txtPresetDisp_, view.txtPresetDisp, shownPreset_);

  if (shownCaption_ != view.Caption) {
    setWindowTitle(FromAnsi(view.Caption));
    shownCaption_ = view.Caption;
  }
  if (shownStatus1_ != view.StatusPanel1) {
    statusPanel1_->setText(FromAnsi(view.StatusPanel1));
    shownStatus1_ = view.StatusPanel1;
  }
  if (shownStatus2_ != view.StatusPanel2) {
    // The server's address or directory: a directory is shown as every window shows paths.
    statusPanel2_->setText(QString::fromStdString(ShownPath(view.StatusPanel2)));
    shownStatus2_ = view.StatusPanel2;
  }

  applyText(mnuSalvoMode_, view.mnuSalvoMode.Caption, shownSalvoMode_);
  applyText(mnuConnect_, view.mnuConnect.Caption, shownConnect_);
  if (mnuSalvoMode_->isEnabled() != view.mnuSalvoMode.Enabled)
    mnuSalvoMode_->setEnabled(view.mnuSalvoMode.Enabled);
  if (mnuConnect_->isEnabled() != view.mnuConnect.Enabled)
    mnuConnect_->setEnabled(view.mnuConnect.Enabled);

  applyTimer(tmrFileCheck_, view.tmrFileCheck);
  applyTimer(tmrPoll_, view.tmrPoll);
  applyTimer(tmrSalvoMsg_, view.tmrSalvoMsg);
  findList_->follow();
}

}  // namespace dazi::ui
