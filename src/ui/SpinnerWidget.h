// An up-down control without a buddy box: two arrow buttons stacked, bound to a spinner model.
#pragma once

#include <functional>

#include <QWidget>

#include "model/UpDown.h"

class QToolButton;

namespace dazi::ui {

class SpinnerWidget : public QWidget {
  Q_OBJECT

 public:
  // Runs one step of the model; the window passes its dispatcher so that every step is followed
  // by a redraw. Without one the step runs directly.
  using Dispatcher = std::function<void(const std::function<void()>&)>;

  SpinnerWidget(UpDown& model, QWidget* parent = nullptr);

  void setDispatcher(Dispatcher dispatcher) { dispatcher_ = std::move(dispatcher); }
  QToolButton* upButton() const { return up_; }
  QToolButton* downButton() const { return down_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void step(bool up);

  UpDown& model_;
  Dispatcher dispatcher_;
  QToolButton* up_;
  QToolButton* down_;
  int wheelRemainder_ = 0;  // eighths of a degree not yet turned into a step
};

}  // namespace dazi::ui
