// The spinner widget: every way of turning it reaches the model, one step at a time.
#include "ui/SpinnerWidget.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include "model/UpDown.h"

namespace dazi::ui {
namespace {

class SpinnerWidgetTest : public ::testing::Test {
 protected:
  SpinnerWidgetTest() {
    model.SetMax(3);
    spinner.resize(16, 38);
    spinner.show();
    spinner.setFocus();
  }
  static void Wheel(SpinnerWidget& target, int delta) {
    const QPointF at(4, 4);
    QWheelEvent event(at, at, QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&target, &event);
  }

  UpDown model;
  SpinnerWidget spinner{model};
};

// Arrows, the Up and Down keys and the wheel take one step each, inside the dispatcher; other
// keys take none. How the model wraps is its own test.
TEST_F(SpinnerWidgetTest, ArrowsKeysAndWheelStepTheModelInsideTheDispatcher) {
  int dispatched = 0;
  int valueSeenAfterStep = -1;
  spinner.setDispatcher([&](const std::function<void()>& step) {
    ++dispatched;
    step();
    valueSeenAfterStep = model.Value();
  });
  for (QToolButton* arrow : {spinner.upButton(), spinner.downButton(), spinner.downButton()})
    QTest::mouseClick(arrow, Qt::LeftButton);
  EXPECT_EQ(model.Value(), 3);
  for (Qt::Key key :
       {Qt::Key_Up, Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_Space})
    QTest::keyClick(&spinner, key);
  EXPECT_EQ(model.Value(), 0);
  Wheel(spinner, 120);
  EXPECT_EQ(dispatched, 7);
  EXPECT_EQ(valueSeenAfterStep, 1);
}

TEST_F(SpinnerWidgetTest, WheelStepsOncePerNotchAddingUpFineDeltas) {
  const std::pair<std::vector<int>, int> cases[] = {
      {{120}, 1},            // one notch away from the operator: up
      {{-120}, 3},           // one notch towards: down, wrapping
      {{60, 60}, 1},         // two half notches make one step
      {{40}, 0},             // a fraction of a notch does nothing yet
      {{240}, 2},            // a fast turn of two notches in one event
      {{100, -100, 120}, 1}  // a reversal cancels what was gathered
  };
  for (const auto& [deltas, expected] : cases) {
    SpinnerWidget fresh(model);
    model.SetValue(0);
    for (int delta : deltas) Wheel(fresh, delta);
    EXPECT_EQ(model.Value(), expected) << "deltas starting " << deltas.front();
  }
}

}  // namespace
}  // namespace dazi::ui
