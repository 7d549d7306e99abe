// The window's keys: each moves the hour shown as its button would, or runs its
// menu command. Keys go through Qt's shortcut handling as typed keys do.
#include <gtest/gtest.h>

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/main_form.h"
#include "astro/lunar_phases.h"
#include "astro/time_scales.h"
#include "core/hour_clock.h"
#include "support/scripted_save_dialog.h"
#include "support/scripted_window_test.h"
#include "windows/about_unit.h"

namespace {

long double At(int y, int mo, int d, int h) { return EncodeDateTimeOrZero(y, mo, d, h, 0, 0, 0); }

constexpr long double kSecond = 1.0L / 86400.0L;

class Keyboard : public ScriptedWindowTest {
 protected:
  void SetUp() override {
    ScriptedWindowTest::SetUp();
    Form->State.GlobStep = 2;
    Form->State.CurrentDateTime = At(2024, 6, 9, 18);
    Form->show();
    Form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    Form->NowBut->setFocus();
  }
  // The hour the window shows after the key.
  long double ShownAfter(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(Form.get(), static_cast<Qt::Key>(key), modifiers);
    WaitForShow(*Form);
    return Form->State.CurrentMoonRecord.DateTime;
  }
};

TEST_F(Keyboard, ArrowsStepAndShiftArrowsStepADay) {
  const struct {
    int Key;
    Qt::KeyboardModifiers Modifiers;
    long double Expected;
  } cases[] = {
      {Qt::Key_Left, Qt::NoModifier, At(2024, 6, 9, 16)},
      {Qt::Key_Right, Qt::NoModifier, At(2024, 6, 9, 18)},
      {Qt::Key_Right, Qt::ShiftModifier, At(2024, 6, 10, 18)},
      {Qt::Key_Left, Qt::ShiftModifier, At(2024, 6, 9, 18)},
      {Qt::Key_Left, Qt::ShiftModifier, At(2024, 6, 8, 18)},
  };
  for (const auto& c : cases) EXPECT_NEAR(ShownAfter(c.Key, c.Modifiers), c.Expected, kSecond) << c.Key;
}

TEST_F(Keyboard, PageKeysGoToTheFullMoonsAndHomeToNow) {
  const long double next = RoundToHour(FindFullMoon(true, static_cast<double>(At(2024, 6, 9, 18))), false);
  EXPECT_NEAR(ShownAfter(Qt::Key_PageDown), next, kSecond);
  Form->State.CurrentDateTime = At(2024, 6, 9, 18);
  const long double previous = RoundToHour(FindFullMoon(false, static_cast<double>(At(2024, 6, 9, 18))), false);
  EXPECT_NEAR(ShownAfter(Qt::Key_PageUp), previous, kSecond);
  EXPECT_LT(previous, At(2024, 6, 9, 18));
  EXPECT_NEAR(ShownAfter(Qt::Key_Home), At(2024, 6, 9, 18), kSecond);  // the clock's 18:10
}

TEST_F(Keyboard, SpaceStartsAndStopsTheAnimationAndRReverses) {
  QTest::keyClick(Form.get(), Qt::Key_R);
  EXPECT_TRUE(Form->ReverseBox->isChecked());
  QTest::keyClick(Form.get(), Qt::Key_Space);
  EXPECT_TRUE(Form->Timer1->isActive());
  EXPECT_TRUE(Form->AnimateBox->isChecked());
  QTest::keyClick(Form.get(), Qt::Key_Space);
  EXPECT_FALSE(Form->Timer1->isActive());
  WaitForShow(*Form);
}

TEST_F(Keyboard, CommandKeysRunTheirCommands) {
  QTest::keyClick(Form.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(QGuiApplication::clipboard()->text().endsWith("moon.3859.tif"))
      << QGuiApplication::clipboard()->text().toStdString();
  QTest::keyClick(Form.get(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(Dialog->ShownWith.size(), 1u);
  int copies = 0;
  QObject::connect(Form->findChild<QAction*>("ImagetoClipBoard1Action"), &QAction::triggered, [&] { ++copies; });
  QTest::keyClick(Form.get(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(copies, 1);
  QTest::keyClick(Form.get(), Qt::Key_F1);
  ASSERT_NE(Form->AboutForm, nullptr);
  EXPECT_TRUE(Form->AboutForm->isVisible());
  Form->AboutForm->close();
  Form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
  QTest::keyClick(Form.get(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(Form->isVisible());
}

// With the calendar holding the keyboard, its arrows choose a day and the window
// shows that day's local midnight.
TEST_F(Keyboard, TheCalendarsKeyboardChoiceIsShown) {
  QWidget* days = Form->MonthCal->focusProxy() ? Form->MonthCal->focusProxy() : Form->MonthCal;
  days->setFocus();
  ASSERT_TRUE(Form->MonthCal->isAncestorOf(QApplication::focusWidget()));
  Form->MonthCal->setSelectedDate(QDate(2024, 6, 9));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
  WaitForShow(*Form);
  EXPECT_EQ(Form->MonthCal->selectedDate(), QDate(2024, 6, 10));
  EXPECT_NEAR(Form->State.CurrentMoonRecord.DateTime, At(2024, 6, 10, 0), kSecond);
}

}  // namespace
