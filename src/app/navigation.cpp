// TForm1's navigation and animation: every handler moves CurrentDateTime inside
// the covered range (wrapping at the ends) and shows it through ShowBoth.
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "core/covered_range.h"
#include "core/hour_clock.h"
#include "app/image_box.h"
#include "app/main_form.h"
#include "core/navigation_steps.h"
#include "astro/altitude_extremes.h"
#include "astro/lunar_phases.h"
#include "astro/time_scales.h"

void TForm1::PrevButClick() {
  if (TimerEnabled()) return;
  State.CurrentDateTime = PreviousStep(State.CurrentDateTime, StepDays(State.GlobStep));
  ShowBoth(State.CurrentDateTime);
}

void TForm1::NextButClick() {
  if (TimerEnabled()) return;
  State.CurrentDateTime = NextStep(State.CurrentDateTime, StepDays(State.GlobStep));
  ShowBoth(State.CurrentDateTime);
}

void TForm1::NowButClick() {
  if (TimerEnabled()) return;
  SetCurrentToNow();
  ShowBoth(State.CurrentDateTime);
}

void TForm1::StepDay(int days) {
  if (TimerEnabled()) return;
  constexpr long double kDay = 1.0L;
  State.CurrentDateTime =
      days < 0 ? PreviousStep(State.CurrentDateTime, kDay) : NextStep(State.CurrentDateTime, kDay);
  ShowBoth(State.CurrentDateTime);
}

// A calendar day begins at local midnight; the hour shown is that midnight in UTC,
// rounded to the hour (zones a fraction of an hour off UTC).
void TForm1::MonthCalClick() {
  if (TimerEnabled()) return;
  const QDate d = MonthCal->selectedDate();
  const auto midnight = static_cast<double>(EncodeDate(d.year(), d.month(), d.day()));
  State.CurrentDateTime = RoundToHour(LocalToUtc(midnight, Svc.Zone), false);
  ShowBoth(State.CurrentDateTime);
}

void TForm1::FullMoonButClick() {
  const bool previous = sender() && sender()->objectName() == "PrevFullMoonBut";
  const double found = FindFullMoon(!previous, static_cast<double>(State.CurrentDateTime));
  const long double x = RoundToHour(found, false);
  ShowBoth(x);
  State.CurrentDateTime = previous ? x - 14.765L : x + 29.53L;
}

void TForm1::GoMaxAltButClick() {
  if (!TimerEnabled()) GoToMaxAltitude(true);
}

void TForm1::GoMinAltButClick() {
  if (!TimerEnabled()) GoToMaxAltitude(false);
}

void TForm1::GoToMaxAltitude(bool FindMax) {
  const AltitudeExtremes e = FindAltitudeExtremes(State.CurrentDateTime);
  State.CurrentDateTime = FindMax ? e.MaxInstant : e.MinInstant;
  ShowBoth(State.CurrentDateTime);
}

void TForm1::StepBoxCloseUp() {
  State.GlobStep = StepBox->currentIndex() + 1;
}

void TForm1::TypeBoxCloseup() {
  const ViewKind view = ViewKindOf(TypeBox->currentIndex());
  // The charts cover only part of the picture: what another view left there goes.
  if (view != State.View && (view == ViewKind::ChartH || view == ViewKind::ChartV)) {
    Image2->Picture().fill(Qt::black);
    Image2->PictureChanged();
  }
  State.View = view;
  if (!TimerEnabled()) ShowBoth(State.CurrentDateTime);
}

void TForm1::ShowLinesBoxClick() {
  if (!TimerEnabled()) ShowBoth(State.CurrentDateTime);
}

void TForm1::ShowDataBoxClick() {
  if (!TimerEnabled()) ShowBoth(State.CurrentDateTime);
}

void TForm1::RotateBoxClick() {
  if (!TimerEnabled()) ShowBoth(State.CurrentDateTime);
}

void TForm1::AnimateBoxClick() {
  const bool running = AnimateBox->isChecked();
  if (running) {
    State.GlobStep = StepBox->currentIndex() + 1;
    State.CurrentDateTime = NextStep(State.CurrentDateTime, StepDays(State.GlobStep));
  } else {
    State.CurrentDateTime -= StepDays(State.GlobStep);
  }
  for (QWidget* w : std::initializer_list<QWidget*>{MonthCal, PrevBut, NowBut, NextBut})
    w->setEnabled(!running);
  if (running) {
    AnimationClock.start();
    NextStepDueNs = 0;
    Timer1->start();
  } else {
    Timer1->stop();
  }
}

// The animation runs one step at a time: a tick starts a step only when the previous
// one has been shown (ApplyShow ends it) and its time has come, so cached frames pass
// at a steady kAnimationStepsPerSecond rather than as fast as they decode. Each step
// falls due one period after the previous one fell due, not after the tick that
// started it, so the ticks' lateness does not slow the rate; a step that came late
// owes nothing, so slow frames never make the next ones race. Reverse, the step and
// the view are read at each step.
void TForm1::Timer1Timer() {
  constexpr qint64 kStepNs = 1'000'000'000 / kAnimationStepsPerSecond;
  const qint64 now = AnimationClock.nsecsElapsed();
  if (State.AnimationRunning || now < NextStepDueNs) return;
  NextStepDueNs = std::max(NextStepDueNs + kStepNs, now);
  RunMoonThread();
}

void TForm1::RunMoonThread() {
  State.AnimationRunning = true;
  MoonAnimation();
}

void TForm1::MoonAnimation() {
  const long double s = StepDays(State.GlobStep);
  const bool reverse = ReverseBox->isChecked();
  State.CurrentDateTime = AnimationWrap(State.CurrentDateTime, s, reverse);
  ShowBoth(State.CurrentDateTime);
  State.CurrentDateTime += reverse ? -s : s;
}
