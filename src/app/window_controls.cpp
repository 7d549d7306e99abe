// TForm1's controls of the show: each hands the user's choice to the session.
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "app/image_box.h"
#include "app/main_form.h"
#include "nasa/nasa_urls.h"
#include "windows/eclipses_dialog.h"

void TForm1::AnimateBoxClick() {
  const bool running = AnimateBox->isChecked();
  AnimationControlsEnabled(!running);
  if (running) {
    Show.SetStep(StepBox->currentIndex() + 1);
    Show.StartAnimation();
  } else {
    Show.StopAnimation();
  }
}

// While the animation runs, the controls that move the hour are off.
void TForm1::AnimationControlsEnabled(bool enabled) {
  for (QWidget* w : std::initializer_list<QWidget*>{MonthCal, PrevBut, NowBut, NextBut}) w->setEnabled(enabled);
}

void TForm1::TypeBoxCloseup() {
  Show.SetView(ViewKindOf(TypeBox->currentIndex()));
  Show.ShowAgain();
}

void TForm1::StepBoxCloseUp() { Show.SetStep(StepBox->currentIndex() + 1); }

// The day is shown and the keyboard leaves the calendar for the pictures, where the
// window's keys act as they did before the click.
void TForm1::MonthCalClick() {
  Show.GoToCalendarDay(MonthCal->selectedDate());
  if (MonthCal->isAncestorOf(QApplication::focusWidget())) Image2->setFocus(Qt::OtherFocusReason);
}

void TForm1::ShowOptionsChanged() { Show.ShowAgain(); }

void TForm1::NextEclipse1Click() { Show.NextEclipse(); }
void TForm1::PrevEclipse1Click() { Show.PreviousEclipse(); }

// The list of a span's eclipses; a row chosen goes to its greatest eclipse.
void TForm1::Eclipses1Click() {
  auto* dialog = new EclipsesDialog(Show.HourShown(), Show.Latitude(), Show.Longitude(), Zone, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &EclipsesDialog::EclipseChosen, this, [this](long double greatest) { Show.GoTo(greatest); });
  dialog->show();
}

// A request is under way: the status bar says which frame is coming, and gets its
// text back when the hour is shown.
void TForm1::ShowLoading(long double hour) {
  if (!Loading) StatusBeforeLoading = StatusBar1->text();
  Loading = true;
  if (Show.Online() && HasNasaSeries(hour) && !IsDrawnView(Show.View()))
    SetStatusText(" Loading " + LoadingFileName(hour) + " from NASA ...");
  setCursor(Qt::BusyCursor);
}
