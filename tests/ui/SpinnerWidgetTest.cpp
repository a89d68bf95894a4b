// The spinner widget: every way of turning it reaches the model, one step at a time.
#include "ui/SpinnerWidget.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include "core/UpDown.h"

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

TEST_F(SpinnerWidgetTest, ArrowsKeysAndWheelStepTheModelInsideTheDispatcher) {
  int dispatched = 0;
  int valueSeenAfterStep = -1;
  spinner.setDispatcher([&](const std::function<void()>& step) {
    ++dispatched;
    step();
    valueSeenAfterStep = model.Value();
  });
  auto click = [](QToolButton* arrow) { QTest::mouseClick(arrow, Qt::LeftButton); };
  click(spinner.upButton());
  EXPECT_EQ(model.Value(), 1);
  click(spinner.downButton());
  click(spinner.downButton());
  EXPECT_EQ(model.Value(), 3) << "stepping down from 0 wraps to the maximum";
  click(spinner.upButton());
  EXPECT_EQ(model.Value(), 0) << "stepping up from the maximum wraps to 0";

  QTest::keyClick(&spinner, Qt::Key_Up);
  QTest::keyClick(&spinner, Qt::Key_Up);
  EXPECT_EQ(model.Value(), 2);
  QTest::keyClick(&spinner, Qt::Key_Down);
  for (Qt::Key other : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Space})
    QTest::keyClick(&spinner, other);
  EXPECT_EQ(model.Value(), 1);
  Wheel(spinner, 120);
  EXPECT_EQ(dispatched, 8);
  EXPECT_EQ(valueSeenAfterStep, 2);
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
