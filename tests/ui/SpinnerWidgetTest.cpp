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

TEST_F(SpinnerWidgetTest, ArrowButtonsStepTheModelAndWrap) {
  QTest::mouseClick(spinner.upButton(), Qt::LeftButton);
  EXPECT_EQ(model.Value(), 1);
  QTest::mouseClick(spinner.downButton(), Qt::LeftButton);
  QTest::mouseClick(spinner.downButton(), Qt::LeftButton);
  EXPECT_EQ(model.Value(), 3) << "stepping down from 0 wraps to the maximum";
  QTest::mouseClick(spinner.upButton(), Qt::LeftButton);
  EXPECT_EQ(model.Value(), 0) << "stepping up from the maximum wraps to 0";
}

TEST_F(SpinnerWidgetTest, ArrowsRepeatWhileHeldAndStayOutOfTheTabChain) {
  for (QToolButton* button : {spinner.upButton(), spinner.downButton()}) {
    EXPECT_TRUE(button->autoRepeat());
    EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
  }
  EXPECT_EQ(spinner.focusPolicy(), Qt::StrongFocus);
}

TEST_F(SpinnerWidgetTest, UpAndDownKeysStepOtherKeysDoNot) {
  spinner.setFocus();
  QTest::keyClick(&spinner, Qt::Key_Up);
  QTest::keyClick(&spinner, Qt::Key_Up);
  EXPECT_EQ(model.Value(), 2);
  QTest::keyClick(&spinner, Qt::Key_Down);
  EXPECT_EQ(model.Value(), 1);
  QTest::keyClick(&spinner, Qt::Key_Left);
  QTest::keyClick(&spinner, Qt::Key_Right);
  QTest::keyClick(&spinner, Qt::Key_Space);
  EXPECT_EQ(model.Value(), 1);
}

TEST_F(SpinnerWidgetTest, WheelStepsOncePerNotchAddingUpFineDeltas) {
  struct Case {
    std::vector<int> deltas;
    int expected;
  };
  const Case cases[] = {
      {{120}, 1},            // one notch away from the operator: up
      {{-120}, 3},           // one notch towards: down, wrapping
      {{60, 60}, 1},         // two half notches make one step
      {{40}, 0},             // a fraction of a notch does nothing yet
      {{240}, 2},            // a fast turn of two notches in one event
      {{100, -100, 120}, 1}  // a reversal cancels what was gathered
  };
  for (const Case& c : cases) {
    SpinnerWidget fresh(model);
    model.SetValue(0);
    for (int delta : c.deltas) Wheel(fresh, delta);
    EXPECT_EQ(model.Value(), c.expected) << "deltas starting " << c.deltas.front();
  }
}

TEST_F(SpinnerWidgetTest, EveryStepRunsInsideTheDispatcher) {
  int dispatched = 0;
  int valueSeenAfterStep = -1;
  spinner.setDispatcher([&](const std::function<void()>& step) {
    ++dispatched;
    step();
    valueSeenAfterStep = model.Value();
  });
  QTest::mouseClick(spinner.upButton(), Qt::LeftButton);
  spinner.setFocus();
  QTest::keyClick(&spinner, Qt::Key_Up);
  Wheel(spinner, 120);
  EXPECT_EQ(dispatched, 3);
  EXPECT_EQ(valueSeenAfterStep, 3);
}

}  // namespace
}  // namespace dazi::ui
