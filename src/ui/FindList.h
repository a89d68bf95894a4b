// Find by name on the main window: typing on the destination or preset display (or its spinner)
// opens a list of the names that spinner could stop on, narrowed as the operator types. Up and
// Down move in it, Enter or a click chooses, Escape or a click elsewhere closes it. Choosing steps
// the spinner through the window's dispatcher; nothing here ever routes.
#pragma once

#include <vector>

#include <QFrame>
#include <QKeySequence>

#include "model/FindByName.h"
#include "ui/SpinnerWidget.h"

class QLabel;
class QLineEdit;
class QListView;

namespace dazi {
struct Panel;
}

namespace dazi::ui {

class FoundModel;

class FindList : public QFrame {
  Q_OBJECT

 public:
  FindList(dazi::Panel& panel, SpinnerWidget::Dispatcher dispatch, QWidget* window);

  // Typing on `display` or `spinner` finds on `side`; `focusKey` puts the focus on the display,
  // where the arrow keys step the spinner. The display stays read-only.
  void watch(FindSide side, QLineEdit* display, SpinnerWidget* spinner,
             const QKeySequence& focusKey);
  // After every redraw: closes when the lists changed meaning (mode, link), else follows them.
  void follow();

  QLineEdit* typedText() const { return text_; }
  QListView* list() const { return list_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Watched {
    FindSide side;
    QLineEdit* display;
    SpinnerWidget* spinner;
  };

  void open(const Watched& where, const QString& typed);
  // Lists what the typed text finds now; keepCurrent stays on the entry chosen in the list when
  // it is still found, else the first entry is chosen.
  void refilter(bool keepCurrent = false);
  void choose(int row);

  dazi::Panel& panel_;  // not QFrame::Panel
  SpinnerWidget::Dispatcher dispatch_;
  std::vector<Watched> watched_;
  Watched at_{};  // where the list is open
  FindKind kind_ = FindKind::None;
  int epoch_ = 0;
  QLineEdit* text_;
  QLabel* count_;
  QListView* list_;
  FoundModel* model_;
};

}  // namespace dazi::ui
