#include "ui/SpinnerWidget.h"

#include <QKeyEvent>
#include <QPainter>
#include <QToolButton>
#include <QWheelEvent>

namespace dazi::ui {

namespace {

// One notch of an ordinary mouse wheel, in eighths of a degree.
constexpr int kWheelNotch = 120;

QToolButton* MakeArrow(Qt::ArrowType arrow, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setArrowType(arrow);
  const bool up = arrow == Qt::UpArrow;
  button->setAccessibleName(up ? QStringLiteral("Up") : QStringLiteral("Down"));
  button->setAccessibleDescription(up ? QStringLiteral("Steps to the next entry")
                                      : QStringLiteral("Steps to the previous entry"));
  button->setAutoRepeat(true);
  // The spinner as a whole takes the focus, so the arrow keys reach it rather than a button.
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

}  // namespace

SpinnerWidget::SpinnerWidget(UpDown& model, QWidget* parent)
    : QWidget(parent),
      model_(model),
      up_(MakeArrow(Qt::UpArrow, this)),
      down_(MakeArrow(Qt::DownArrow, this)) {
  setFocusPolicy(Qt::StrongFocus);
  up_->setObjectName(QStringLiteral("up"));
  down_->setObjectName(QStringLiteral("down"));
  connect(up_, &QToolButton::clicked, this, [this] { step(true); });
  connect(down_, &QToolButton::clicked, this, [this] { step(false); });
}

void SpinnerWidget::step(bool up) {
  auto run = [this, up] { up ? model_.StepUp() : model_.StepDown(); };
  if (dispatcher_)
    dispatcher_(run);
  else
    run();
}

void SpinnerWidget::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
      step(true);
      break;
    case Qt::Key_Down:
      step(false);
      break;
    default:
      QWidget::keyPressEvent(event);
  }
}

void SpinnerWidget::wheelEvent(QWheelEvent* event) {
  // Fine-grained wheels send small deltas; add them up so a step is one notch's worth.
  wheelRemainder_ += event->angleDelta().y();
  while (wheelRemainder_ >= kWheelNotch) {
    wheelRemainder_ -= kWheelNotch;
    step(true);
  }
  while (wheelRemainder_ <= -kWheelNotch) {
    wheelRemainder_ += kWheelNotch;
    step(false);
  }
  event->accept();
}

void SpinnerWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // A one-pixel frame stays free around the arrows: it shows where the focus is.
  const QRect inner = rect().adjusted(1, 1, -1, -1);
  const int upper = inner.height() / 2;
  up_->setGeometry(inner.left(), inner.top(), inner.width(), upper);
  down_->setGeometry(inner.left(), inner.top() + upper, inner.width(), inner.height() - upper);
}

void SpinnerWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(hasFocus() ? palette().color(QPalette::Highlight) : QColor(0x15, 0x19, 0x1f));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void SpinnerWidget::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update();
}

void SpinnerWidget::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}

}  // namespace dazi::ui
