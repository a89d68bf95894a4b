#include "ui/DisplayListDialog.h"

#include <algorithm>
#include <exception>
#include <string>

#include <QAbstractTableModel>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

#include "model/Panel.h"
#include "ui/QtLinkLog.h"
#include "ui/QtUi.h"

namespace dazi::ui {

// Two report columns over one of the form's lists; rows are the form's items in their order.
class ListItemsModel : public QAbstractTableModel {
 public:
  ListItemsModel(const ListItems& items, QString firstHeading, QObject* parent)
      : QAbstractTableModel(parent), items_(items), firstHeading_(std::move(firstHeading)) {}

  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows_; }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 2; }

  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= Count()) return {};
    const ListItem& item = items_.Items()[static_cast<size_t>(index.row())];
    return FromAnsi(index.column() == 0 ? item.Text : item.SubItem1);
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return section == 0 ? firstHeading_ : QStringLiteral("Key");
  }

  // Everything anew: selections go.
  void Reload() {
    beginResetModel();
    rows_ = Count();
    endResetModel();
  }
  // Items were added at the end: the rows shown so far, and their selection, stay.
  void ShowAdded() {
    if (Count() <= rows_) return Reload();
    beginInsertRows(QModelIndex(), rows_, Count() - 1);
    rows_ = Count();
    endInsertRows();
  }

 private:
  int Count() const { return static_cast<int>(items_.Count()); }

  const ListItems& items_;
  QString firstHeading_;
  int rows_ = 0;
};

namespace {

QTreeView* MakeListView(QWidget* parent, const char* name, ListItemsModel* model) {
  auto* view = new QTreeView(parent);
  view->setObjectName(QString::fromLatin1(name));
  view->setRootIsDecorated(false);
  view->setUniformRowHeights(true);
  view->setItemsExpandable(false);
  view->setAllColumnsShowFocus(true);
  view->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setModel(model);
  view->header()->setStretchLastSection(false);
  view->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  view->header()->setSectionResizeMode(1, QHeaderView::Fixed);
  view->setMinimumSize(240, 300);
  return view;
}

// The key column is as wide as the longest key of the list, "Ch.16383" on the largest router:
// sizing it to the rows on screen would cut the five-digit keys further down.
void FitKeyColumn(QTreeView* view, std::size_t channels) {
  const QString widest =
      QString::fromStdString(ChannelKey(static_cast<int>(std::max<std::size_t>(channels, 1) - 1)));
  const int margins = 2 * view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view);
  const int width = std::max(view->header()->sectionSizeHint(1),
                             view->fontMetrics().horizontalAdvance(widest) + margins + 8);
  view->header()->resizeSection(1, width);
}

// The items' selected state is the view's selection.
void CopySelection(const QTreeView* view, ListItems& list) {
  std::vector<ListItem>& items = list.Items();
  for (ListItem& item : items) item.Selected = false;
  for (const QItemSelectionRange& range : view->selectionModel()->selection()) {
    for (int row = range.top(); row <= range.bottom(); ++row)
      if (static_cast<size_t>(row) < items.size()) items[static_cast<size_t>(row)].Selected = true;
  }
}

}  // namespace

DisplayListDialog::DisplayListDialog(Panel& panel, std::function<void()> afterEvent,
                                     QWidget* parent)
    : QDialog(parent), panel_(panel), afterEvent_(std::move(afterEvent)) {
  setObjectName(QStringLiteral("frmDisplayListView"));
  setWindowTitle(QString::fromLatin1(kDisplayListCaption));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(8.25);
  setFont(font);

  auto label = [this](const char* name, const char* text) {
    auto* l = new QLabel(QString::fromLatin1(text), this);
    l->setObjectName(QString::fromLatin1(name));
    return l;
  };
  auto button = [this](const char* name, const char* caption, const char* tooltip) {
    auto* b = new QPushButton(QString::fromLatin1(caption), this);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(QString::fromLatin1(tooltip));
    b->setAutoDefault(false);  // no default button: see keyPressEvent
    SetAccessible(b, b->text(), b->toolTip());
    return b;
  };

  QLabel* lblMasterList = label("lblMasterList", "Select Channels ");
  channels_ = new ListItemsModel(form_.lvChannel, QStringLiteral("Channel Alpha"), this);
  lvChannel_ = MakeListView(this, "lvChannel", channels_);
  lblMasterList->setBuddy(lvChannel_);
  SetAccessible(lvChannel_, QStringLiteral("Select Channels"),
                QStringLiteral("Every channel of the switcher"));
  QLabel* lblCurrentList = label("lblCurrentList", "Current List ");
  current_ = new ListItemsModel(form_.lvList, QStringLiteral("Channel"), this);
  lvList_ = MakeListView(this, "lvList", current_);
  lvList_->setToolTip(QStringLiteral("Current Display List"));
  lblCurrentList->setBuddy(lvList_);
  SetAccessible(lvList_, QStringLiteral("Current List"), lvList_->toolTip());
  SetAccessible(lblMasterList, lblMasterList->text(), lvChannel_->accessibleDescription());
  SetAccessible(lblCurrentList, lblCurrentList->text(), lvList_->toolTip());

  QPushButton* cmdAdd = button("cmdAdd", "&Add >>", "Add Selected Items to Current Display Listy");
  QPushButton* cmdAddAll =
      button("cmdAddAll", "Add All >>", "Add Selected Items to Current Display Listy");
  QPushButton* cmdRemove =
      button("cmdRemove", "<< &Remove", "Remove Selected Items from Current Display List");
  QPushButton* cmdRemoveAll =
      button("cmdRemoveAll", "<< Remove All", "Remove Selected Items from Current Display List");
  QPushButton* cmdOk = button("cmdOk", "&Ok", "");
  QPushButton* cmdCancel = button("cmdCancel", "&Cancel", "");
  SetAccessible(cmdOk, cmdOk->text(), QStringLiteral("Use the current list and close"));
  SetAccessible(cmdCancel, cmdCancel->text(), QStringLiteral("Close without changing the list"));

  // The list buttons stand between the lists in two pairs, as on the designed form.
  auto* middle = new QVBoxLayout;
  middle->addSpacing(30);
  middle->addWidget(cmdAdd);
  middle->addSpacing(16);
  middle->addWidget(cmdAddAll);
  middle->addSpacing(40);
  middle->addWidget(cmdRemove);
  middle->addSpacing(16);
  middle->addWidget(cmdRemoveAll);
  middle->addStretch();
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(3);
  bottom->addWidget(cmdOk);
  bottom->addStretch(2);
  bottom->addWidget(cmdCancel);
  bottom->addStretch(3);
  for (QPushButton* b : {cmdOk, cmdCancel}) b->setMinimumWidth(cmdAdd->sizeHint().width());

  auto* layout = new QGridLayout(this);
  layout->addWidget(lblMasterList, 0, 0);
  layout->addWidget(lvChannel_, 1, 0);
  layout->addLayout(middle, 1, 1);
  layout->addWidget(lblCurrentList, 0, 2);
  layout->addWidget(lvList_, 1, 2);
  layout->addLayout(bottom, 2, 0, 1, 3);
  layout->setHorizontalSpacing(16);

  setTabOrder(lvChannel_, cmdAdd);
  setTabOrder(cmdAdd, cmdAddAll);
  setTabOrder(cmdAddAll, cmdRemove);
  setTabOrder(cmdRemove, cmdRemoveAll);
  setTabOrder(cmdRemoveAll, lvList_);
  setTabOrder(lvList_, cmdOk);
  setTabOrder(cmdOk, cmdCancel);

  connect(cmdAdd, &QPushButton::clicked, this,
          [this] { run(DisplayListForm_cmdAdd_Click, Lists::AddedToCurrent); });
  connect(cmdAddAll, &QPushButton::clicked, this,
          [this] { run(DisplayListForm_cmdAddAll_Click, Lists::AddedToCurrent); });
  connect(cmdRemove, &QPushButton::clicked, this,
          [this] { run(DisplayListForm_cmdRemove_Click, Lists::Current); });
  connect(cmdRemoveAll, &QPushButton::clicked, this,
          [this] { run(DisplayListForm_cmdRemoveAll_Click, Lists::Current); });
  connect(cmdOk, &QPushButton::clicked, this,
          [this] { run(DisplayListForm_cmdOk_Click, Lists::Current); });
  connect(cmdCancel, &QPushButton::clicked, this,
          [this] { run(DisplayListForm_cmdCancel_Click, Lists::Current); });
}

DisplayListDialog::~DisplayListDialog() {
  // The views outlive the form (they go with the dialog's base); they must not read it while
  // the base hides them.
  lvChannel_->setModel(nullptr);
  lvList_->setModel(nullptr);
}

void DisplayListDialog::run(void (*routine)(Panel&, DisplayListForm&), Lists changed) {
  CopySelection(lvChannel_, form_.lvChannel);
  CopySelection(lvList_, form_.lvList);
  try {
    routine(panel_, form_);
  } catch (const std::exception& error) {
    // The routines trap their own errors; nothing may escape into the event loop.
    QtLinkLog::Warn(
        std::string("a display-list editor routine ended by an error it did not trap: ") +
        error.what());
  }
  if (changed == Lists::Both) {
    channels_->Reload();
    for (QTreeView* view : {lvChannel_, lvList_}) FitKeyColumn(view, form_.lvChannel.Count());
  }
  if (changed == Lists::AddedToCurrent)
    current_->ShowAdded();
  else
    current_->Reload();
  if (afterEvent_) afterEvent_();
  if (!form_.Visible && open_) done(QDialog::Accepted);
}

void DisplayListDialog::activate() {
  run(DisplayListForm_Activate, Lists::Both);
}

void DisplayListDialog::reject() {
  run(DisplayListForm_cmdCancel_Click, Lists::Current);
  if (open_) done(QDialog::Rejected);  // closing down ends the dialog in any case
}

void DisplayListDialog::done(int result) {
  if (open_) {
    open_ = false;
    DisplayListForm_Unload(panel_, form_);
    channels_->Reload();
    current_->Reload();
  }
  QDialog::done(result);
}

void DisplayListDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (auto* button = qobject_cast<QPushButton*>(focusWidget())) button->click();
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void DisplayListDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous() || open_) return;
  open_ = true;
  form_.Visible = true;
  activate();
  lvChannel_->setFocus();
}

void DisplayListDialog::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && activation_.Changed(this) && open_) activate();
}

}  // namespace dazi::ui
