// The display-list editor, frmDisplayListView: a thin view over DisplayListForm and its routines.
// Its two list views show the form's items through a model, so that a router of 16383 channels
// opens at once.
#pragma once

#include <functional>

#include <QDialog>

#include "panel/DisplayListForm.h"
#include "ui/DialogParts.h"

class QPushButton;
class QTreeView;

namespace dazi {
struct Panel;
}

namespace dazi::ui {

class ListItemsModel;

class DisplayListDialog : public QDialog {
  Q_OBJECT

 public:
  DisplayListDialog(Panel& panel, std::function<void()> afterEvent, QWidget* parent = nullptr);
  ~DisplayListDialog() override;

  // Escape and the close box: Cancel.
  void reject() override;
  // Every way of closing ends here: both lists are emptied.
  void done(int result) override;

 protected:
  // Enter presses the button that has the focus, and does nothing anywhere else: not in a list,
  // where it once ran OK and stored a list the operator had not finished.
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  enum class Lists { Both, AddedToCurrent, Current };
  // Copies the selections to the form, runs a routine, shows the lists it changed, and closes
  // the dialog when the routine asks for it.
  void run(void (*routine)(Panel&, DisplayListForm&), Lists changed);
  void activate();

  Panel& panel_;
  DisplayListForm form_;
  std::function<void()> afterEvent_;
  ProgramActivation activation_;
  bool open_ = false;

  QTreeView* lvChannel_ = nullptr;
  QTreeView* lvList_ = nullptr;
  ListItemsModel* channels_ = nullptr;
  ListItemsModel* current_ = nullptr;
};

}  // namespace dazi::ui
