#include "ui/FindList.h"

#include <algorithm>
#include <optional>
#include <string>

#include <QAbstractListModel>
#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "model/Panel.h"
#include "ui/QtUi.h"

namespace dazi::ui {

namespace {

constexpr int kVisibleRows = 12;
constexpr int kMaxTyped = 64;  // longer than any name an operator would type

// The typed text in the names' code page, Windows-1252; empty when it holds a character that
// code page has not, which no name can then hold either.
std::optional<std::string> ToAnsi(const QString& text) {
  std::string out;
  for (const QChar c : text) {
    const char16_t unit = c.unicode();
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
      out += static_cast<char>(unit);
      continue;
    }
    std::optional<char> byte;
    for (int b = 0x80; b <= 0x9F && !byte; ++b)
      if (FromAnsi(std::string(1, static_cast<char>(b))).front() == c) byte = static_cast<char>(b);
    if (!byte) return std::nullopt;
    out += *byte;
  }
  return out;
}

// Text that starts a find: something to see, typed without Ctrl, Alt or Meta (those are
// shortcuts and access keys).
bool StartsFind(const QKeyEvent& key) {
  const QString text = key.text();
  if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  if (text.trimmed().isEmpty()) return false;
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
}

QString ListName(FindKind kind) {
  switch (kind) {
    case FindKind::Destinations:
      return QStringLiteral("Destinations found");
    case FindKind::Salvos:
      return QStringLiteral("Salvos found");
    case FindKind::Keys:
      return QStringLiteral("Keys found");
    default:
      return QStringLiteral("Sources found");
  }
}

}  // namespace

// The found spinner values, by row; names are looked up only for the rows on screen.
class FoundModel : public QAbstractListModel {
 public:
  FoundModel(const Panel& panel, QObject* parent) : QAbstractListModel(parent), panel_(panel) {}

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(values_.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
    return FromAnsi(FoundName(panel_, side_, value(index.row())));
  }

  // False when these are the values shown already.
  bool show(FindSide side, std::vector<int> values) {
    if (side == side_ && values == values_) return false;
    beginResetModel();
    side_ = side;
    values_ = std::move(values);
    endResetModel();
    return true;
  }
  int value(int row) const { return values_[static_cast<size_t>(row)]; }
  int rowOf(int value) const {
    const auto at = std::find(values_.begin(), values_.end(), value);
    return at == values_.end() ? -1 : static_cast<int>(at - values_.begin());
  }

 private:
  const Panel& panel_;
  FindSide side_ = FindSide::Destination;
  std::vector<int> values_;
};

FindList::FindList(dazi::Panel& panel, SpinnerWidget::Dispatcher dispatch, QWidget* window)
    : QFrame(window, Qt::Popup),
      panel_(panel),
      dispatch_(std::move(dispatch)),
      text_(new QLineEdit(this)),
      count_(new QLabel(this)),
      list_(new QListView(this)),
      model_(new FoundModel(panel, this)) {
  setObjectName(QStringLiteral("findList"));
  setAccessibleName(QStringLiteral("Find by name"));
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setStyleSheet(QStringLiteral(
      "#findList { background: #15191f; color: #3d8ee6; }"
      "QLineEdit, QListView { background: black; color: #c0c0c0; border: 1px solid #0b0e12; }"
      "QListView::item:selected { background: #1f5fa8; color: white; }"
      "QLabel { color: #c0c0c0; }"));

  // The typed text is shown, never focused: the list keeps the focus so that a screen reader
  // follows its entries, and hands the keys that edit text over here.
  text_->setObjectName(QStringLiteral("txtFind"));
  text_->setAccessibleName(QStringLiteral("Typed name"));
  text_->setAccessibleDescription(
      QStringLiteral("Names that begin with it come first, then names that contain it"));
  text_->setFocusPolicy(Qt::NoFocus);
  text_->setMaxLength(kMaxTyped);
  count_->setObjectName(QStringLiteral("lblFound"));
  list_->setObjectName(QStringLiteral("lvFound"));
  list_->setAccessibleDescription(
      QStringLiteral("Up and Down move, Enter chooses, Escape closes without a change"));
  list_->setModel(model_);
  list_->setUniformItemSizes(true);  // rows are never measured one by one
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_->installEventFilter(this);

  auto* typedRow = new QHBoxLayout;
  typedRow->addWidget(text_, 1);
  typedRow->addWidget(count_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);
  layout->addLayout(typedRow);
  layout->addWidget(list_);

  connect(text_, &QLineEdit::textChanged, this, [this] { refilter(); });
  connect(list_, &QListView::clicked, this,
          [this](const QModelIndex& index) { choose(index.row()); });
  // Leaving the program is focus leaving too.
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
    if (s != Qt::ApplicationActive) hide();
  });
}

void FindList::watch(FindSide side, QLineEdit* display, SpinnerWidget* spinner,
                     const QKeySequence& focusKey) {
  watched_.push_back({side, display, spinner});
  display->setFocusPolicy(Qt::ClickFocus);  // read-only: focus lets it take keys, not edits
  display->installEventFilter(this);
  spinner->installEventFilter(this);
  auto* shortcut = new QShortcut(focusKey, parentWidget());
  connect(shortcut, &QShortcut::activated, display,
          [display] { display->setFocus(Qt::ShortcutFocusReason); });
}

bool FindList::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (watched == list_) {
    switch (key->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        choose(list_->currentIndex().row());
        return true;
      case Qt::Key_Escape:
      case Qt::Key_Tab:
      case Qt::Key_Backtab:
        hide();
        return true;
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
        return false;
      default:
        QCoreApplication::sendEvent(text_, event);
        return true;
    }
  }
  for (const Watched& w : watched_) {
    if (watched != w.display && watched != w.spinner) continue;
    // On the display the arrows step its spinner, as they do on the spinner itself.
    if (watched == w.display && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
      QCoreApplication::sendEvent(w.spinner, event);
      return true;
    }
    if (!StartsFind(*key) || FindKindOf(panel_, w.side) == FindKind::None) return false;
    open(w, key->text());
    return true;
  }
  return false;
}

void FindList::open(const Watched& where, const QString& typed) {
  at_ = where;
  kind_ = FindKindOf(panel_, where.side);
  epoch_ = panel_.View.SelectorEpoch;
  list_->setAccessibleName(ListName(kind_));
  list_->setFont(where.display->font());
  text_->setFont(where.display->font());
  {
    const QSignalBlocker quiet(text_);
    text_->setText(typed);
  }
  refilter();

  // Under the display, or above it where the screen ends too soon.
  const int rowHeight = list_->fontMetrics().height() + 2;
  resize(std::max(where.display->width() * 3 / 2, 200),
         text_->sizeHint().height() + rowHeight * kVisibleRows + 12);
  QPoint at = where.display->mapToGlobal(QPoint(0, where.display->height()));
  if (const QScreen* screen = where.display->screen()) {
    const QRect free = screen->availableGeometry();
    if (at.y() + height() > free.bottom()) at.setY(at.y() - where.display->height() - height());
    at.setX(std::clamp(at.x(), free.left(), std::max(free.left(), free.right() - width())));
  }
  move(at);
  show();
  list_->setFocus(Qt::PopupFocusReason);
}

void FindList::refilter(bool keepCurrent) {
  const QModelIndex current = list_->currentIndex();
  const int chosen = keepCurrent && current.isValid() ? model_->value(current.row()) : -1;
  const std::optional<std::string> typed = ToAnsi(text_->text());
  if (!model_->show(at_.side, typed ? FindByName(panel_, at_.side, *typed) : std::vector<int>{}) &&
      keepCurrent)
    return;
  const int row = std::max(chosen < 0 ? 0 : model_->rowOf(chosen), 0);
  if (row < model_->rowCount()) list_->setCurrentIndex(model_->index(row));
  count_->setText(QStringLiteral("%1 found").arg(model_->rowCount()));
}

void FindList::follow() {
  if (!isVisible()) return;
  if (panel_.View.SelectorEpoch != epoch_ || FindKindOf(panel_, at_.side) != kind_) {
    hide();
    return;
  }
  refilter(true);
}

void FindList::choose(int row) {
  if (row < 0 || row >= model_->rowCount()) return;
  const Watched where = at_;
  const int value = model_->value(row);
  // The display shows the choice before it takes the focus, so a screen reader hears it.
  dispatch_([this, where, value] { ChooseFound(panel_, where.side, value); });
  hide();
  where.display->setFocus(Qt::OtherFocusReason);
}

}  // namespace dazi::ui
