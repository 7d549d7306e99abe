// The window's keys: each moves the hour shown as its button would, or runs its
// menu command. Keys go through Qt's shortcut handling as typed keys do.
#include <gtest/gtest.h>

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>
#include <QTableView>
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
    Form->Session().SetStep(2);
    Form->Session().GoTo(At(2024, 6, 9, 18));
    WaitForShow(*Form);
    Form->show();
    Form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    Child<QPushButton>(*Form, "NowBut")->setFocus();
  }
  // The hour the window shows after the key.
  long double ShownAfter(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(Form.get(), static_cast<Qt::Key>(key), modifiers);
    WaitForShow(*Form);
    return Form->Session().Record().DateTime;
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
  Form->Session().GoTo(At(2024, 6, 9, 18));
  WaitForShow(*Form);
  const long double previous = RoundToHour(FindFullMoon(false, static_cast<double>(At(2024, 6, 9, 18))), false);
  EXPECT_NEAR(ShownAfter(Qt::Key_PageUp), previous, kSecond);
  EXPECT_LT(previous, At(2024, 6, 9, 18));
  EXPECT_NEAR(ShownAfter(Qt::Key_Home), At(2024, 6, 9, 18), kSecond);  // the clock's 18:10
}

TEST_F(Keyboard, SpaceStartsAndStopsTheAnimationAndRReverses) {
  QTest::keyClick(Form.get(), Qt::Key_R);
  EXPECT_TRUE(Child<QCheckBox>(*Form, "ReverseBox")->isChecked());
  QTest::keyClick(Form.get(), Qt::Key_Space);
  EXPECT_TRUE(Form->Session().Animating());
  EXPECT_TRUE(Child<QCheckBox>(*Form, "AnimateBox")->isChecked());
  QTest::keyClick(Form.get(), Qt::Key_Space);
  EXPECT_FALSE(Form->Session().Animating());
  WaitForShow(*Form);
}

TEST_F(Keyboard, CommandKeysRunTheirCommands) {
  QTest::keyClick(Form.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(QGuiApplication::clipboard()->text().endsWith("moon.3859.tif"))
      << QGuiApplication::clipboard()->text().toStdString();
  QTest::keyClick(Form.get(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(Dialog->ShownWith.size(), 1u);
  int copies = 0;
  QObject::connect(Form->findChild<QAction*>("CopyPicture1Action"), &QAction::triggered, [&] { ++copies; });
  QTest::keyClick(Form.get(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(copies, 1);
  QTest::keyClick(Form.get(), Qt::Key_F1);
  ASSERT_NE(Form->findChild<TAboutForm*>(), nullptr);
  EXPECT_TRUE(Form->findChild<TAboutForm*>()->isVisible());
  Form->findChild<TAboutForm*>()->close();
  Form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
  QTest::keyClick(Form.get(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(Form->isVisible());
}

// A day clicked in the calendar is shown, and the window's keys act after it as
// before: the arrows step the hour and Page Down goes to the full moon, whatever the
// calendar would have done with them.
TEST_F(Keyboard, AfterADayIsClickedTheKeysStillMoveTheHour) {
  auto* days = Child<QCalendarWidget>(*Form, "MonthCal")->findChild<QTableView*>();
  ASSERT_NE(days, nullptr);
  QModelIndex fifteenth;
  for (int r = 0; r < days->model()->rowCount(); ++r)
    for (int c = 0; c < days->model()->columnCount(); ++c)
      if (days->model()->index(r, c).data().toString() == "15") fifteenth = days->model()->index(r, c);
  ASSERT_TRUE(fifteenth.isValid());
  QTest::mouseClick(days->viewport(), Qt::LeftButton, Qt::NoModifier, days->visualRect(fifteenth).center());
  WaitForShow(*Form);
  EXPECT_NEAR(Form->Session().HourShown(), At(2024, 6, 15, 0), kSecond);
  const long double nextFull = RoundToHour(FindFullMoon(true, static_cast<double>(At(2024, 6, 15, 2))), false);
  EXPECT_NEAR(ShownAfter(Qt::Key_Right), At(2024, 6, 15, 2), kSecond);
  EXPECT_NEAR(ShownAfter(Qt::Key_PageDown), nextFull, kSecond);
  EXPECT_NEAR(ShownAfter(Qt::Key_Left), nextFull - 2.0L / 24, kSecond);
}

}  // namespace
