#include "session/show_session.h"

#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <cmath>
#include <utility>

#include "astro/altitude_extremes.h"
#include "astro/lunar_phases.h"
#include "core/calculate_data.h"
#include "core/covered_range.h"
#include "core/hour_clock.h"
#include "core/navigation_steps.h"
#include "nasa/hour_values.h"
#include "core/eclipse_steps.h"
#include "render/eclipse_shadow.h"
#include "render/moon_maps.h"

namespace {

// The longest step the session takes is a day; a longer move (a jump to a date, the
// wrap at the ends of the range) gives no direction of travel.
constexpr long double kLongestStepDays = 1.5L;
constexpr double kOneSecondDays = 1.0 / 86400.0;

// The full moon after (before) from. The phase search works from a calendar day (the
// first full moon after its 00:00, the last before it), so it is asked twice where the
// day alone is ambiguous; 0 outside the calendar the search knows.
double FullMoonStep(double from, bool forward) {
  const double found = forward ? FindFullMoon(true, from) : FindFullMoon(false, from + 1);
  if (forward ? found > from + kOneSecondDays : found < from - kOneSecondDays) return found;
  return forward ? FindFullMoon(true, from + 1) : FindFullMoon(false, from);
}

}  // namespace

// One show request: its hour, the view its frames are of and the transfers it started.
struct ShowSession::Request {
  long double Hour;
  ViewKind View;
  std::shared_ptr<RunningDownloads::Download> Download;
};

ShowSession::ShowSession(const SessionServices& services, QObject* parent)
    : QObject(parent), Svc(services), Lat(kDefaultLatitude), Lon(kDefaultLongitude) {
  Hour = RoundToHour(Svc.UtcClock.UtcNow(), false);
  StandInTimer.setSingleShot(true);
  StandInTimer.setInterval(kStandInAfterMs);
  connect(&StandInTimer, &QTimer::timeout, this, &ShowSession::StandIn);
  AnimationTimer.setSingleShot(true);
  AnimationTimer.setTimerType(Qt::PreciseTimer);
  connect(&AnimationTimer, &QTimer::timeout, this, &ShowSession::AnimationStep);
}

// Closing never waits for the network: the transfers still running are abandoned, and
// their workers share nothing with the session.
ShowSession::~ShowSession() { Downloads.CancelAll(); }

void ShowSession::SetPlace(long double latitude, long double longitude) {
  Lat = latitude;
  Lon = longitude;
}

void ShowSession::SetView(ViewKind view) { CurrentView = view; }

void ShowSession::SetStep(int hours) { StepHours = std::clamp(hours, 1, 24); }
void ShowSession::SetReverse(bool reverse) { Backwards = reverse; }
void ShowSession::SetOnline(bool online) { OnlineFiles = online; }
void ShowSession::SetNasaFrameInEclipse(bool nasa) { NasaInEclipse = nasa; }

void ShowSession::Next() { MoveTo(NextStep(Hour, StepDays(StepHours))); }
void ShowSession::Previous() { MoveTo(PreviousStep(Hour, StepDays(StepHours))); }
void ShowSession::DayForward() { MoveTo(NextStep(Hour, 1.0L)); }
void ShowSession::DayBack() { MoveTo(PreviousStep(Hour, 1.0L)); }

void ShowSession::Now() {
  MoveTo(RoundToHour(Svc.UtcClock.UtcNow(), false));
}

void ShowSession::GoTo(long double instant) { MoveTo(instant); }

// A calendar day begins at local midnight; the hour shown is the first whole UTC hour
// of the day, which in a zone a fraction of an hour off UTC is a little after midnight
// (the nearest hour could fall on the day before).
void ShowSession::GoToCalendarDay(const QDate& localDay) {
  const auto midnight = static_cast<double>(EncodeDate(localDay.year(), localDay.month(), localDay.day()));
  MoveTo(HourAtOrAfter(LocalToUtc(midnight, Svc.Zone)));
}

void ShowSession::NextFullMoon() { MoveFullMoon(true); }
void ShowSession::PreviousFullMoon() { MoveFullMoon(false); }

void ShowSession::NextEclipse() { MoveEclipse(true); }
void ShowSession::PreviousEclipse() { MoveEclipse(false); }

// From the exact instant of the eclipse last jumped to, so that the rounding of its
// hour neither repeats nor skips an eclipse. An eclipse whose hour is the one shown is
// already on the screen: the step goes on past it.
void ShowSession::MoveEclipse(bool forward) {
  if (AnimationOn) return;
  const long double from = Cursor && Cursor->Kind == EventKind::Eclipse ? Cursor->Instant : Hour;
  std::optional<long double> found = EclipseStep(from, forward);
  if (found && RoundToHour(*found, false) == Hour) found = EclipseStep(*found, forward);
  if (!found) return;
  Show(RoundToHour(*found, false));
  Cursor = EventCursor{EventKind::Eclipse, *found};
}

// From the exact instant of the full moon last jumped to, as for eclipses; a full moon
// whose hour is the one shown is already on the screen, and the step goes on past it.
void ShowSession::MoveFullMoon(bool forward) {
  if (AnimationOn) return;
  const double from = static_cast<double>(Cursor && Cursor->Kind == EventKind::FullMoon ? Cursor->Instant : Hour);
  double found = FullMoonStep(from, forward);
  if (found > 0 && RoundToHour(found, false) == Hour) found = FullMoonStep(found, forward);
  if (found <= 0) return;
  Show(RoundToHour(found, false));
  Cursor = EventCursor{EventKind::FullMoon, found};
}

void ShowSession::MaxAltitude() { GoToExtreme(true); }
void ShowSession::MinAltitude() { GoToExtreme(false); }

void ShowSession::GoToExtreme(bool highest) {
  const AltitudeExtremes e = FindAltitudeExtremes(Hour);
  MoveTo(highest ? e.MaxInstant : e.MinInstant);
}

void ShowSession::MoveTo(long double x) {
  if (AnimationOn) return;
  Cursor.reset();
  Show(x);
}

// A request still on its way is overtaken at once, the animation's too: its frames
// and record were made for the settings before, and are never painted with the new ones.
void ShowSession::ShowAgain() {
  if (!AnimationOn || Pending()) Show(Hour);
}

// The hour's record now, its frames on the show pool. The request it overtakes has its
// transfers cancelled unless it was for the same hour, whose Moon frame both need.
void ShowSession::Show(long double asked) {
  const long double x = IntoCoveredRange(asked);
  // The LRO maps take a moment to decode: started with the first show, away from the
  // window and not while it is being built, the first drawn Moon (a stand-in, a year
  // without NASA's frames) need not wait for them.
  if (!std::exchange(MapsAsked, true)) Svc.DrawnMoonRows.start([] { LoadedMoonMaps(); });
  const long double from = Hour;
  Hour = x;
  CurrentRecord = CalculateMoonRecord(x, Lat, Lon, Svc.Zone, HourValuesAt, std::ref(RiseSets), ElevationMetres);
  if (PendingRequest && PendingRequest->Hour != x) PendingRequest->Download->Cancel = true;
  const auto request = std::make_shared<Request>(Request{x, CurrentView, Downloads.Start()});
  PendingRequest = request;
  const FrameRequest work{Svc.Site,    Svc.Frames,   OnlineFiles,       x,
                          Lat,         CurrentView,  NasaInEclipse,     CurrentRecord,
                          LastJpeg,    request->Download, &Svc.DrawnMoonRows};
  auto* watcher = new QFutureWatcher<FetchedFrames>(this);
  connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, request] {
    watcher->deleteLater();
    Downloads.Finish(request->Download);
    Finished(request, watcher->result());
  });
  watcher->setFuture(QtConcurrent::run(&Svc.ShowPool, FetchFrames, work));
  StandInTimer.start();
  PrefetchAfter(from, x);
  emit Loading(x);
}

// Asks for the hours ahead in the direction of travel from `from` to x.
void ShowSession::PrefetchAfter(long double from, long double x) {
  if (!Svc.Prefetch || !OnlineFiles || x == from || std::abs(x - from) > kLongestStepDays) return;
  const long double step = StepDays(StepHours) * (x > from ? 1 : -1);
  Svc.Prefetch->Want(FramesAhead(Svc.Site, CurrentView, x, step, kPrefetchAhead, Lat));
}

// The hour with the drawn Moon while NASA's frame is still on its way. The request
// stays pending: its frames replace the stand-in, and the animation waits for them.
void ShowSession::StandIn() {
  if (!PendingRequest) return;
  const ViewKind view = PendingRequest->View;
  ShownHour hour{Hour, CurrentRecord, {}, view, true};
  hour.Frames.Jpeg = DrawnMoonOf(view, CurrentRecord, &Svc.DrawnMoonRows);
  hour.Frames.Drawn = true;
  emit Shown(hour);
}

void ShowSession::Finished(const std::shared_ptr<Request>& request, const FetchedFrames& frames) {
  if (request != PendingRequest) return;  // overtaken by a newer request
  PendingRequest.reset();
  StandInTimer.stop();
  LastJpeg = frames.Jpeg;
  emit Shown(ShownHour{Hour, CurrentRecord, frames, request->View, false});
  if (AnimationOn) ScheduleAnimationStep();
}

// The animation runs one step at a time: a step starts only when the previous one has
// been shown and its time has come, so cached frames pass at a steady
// kAnimationStepsPerSecond rather than as fast as they decode. Each step falls due one
// period after the previous one fell due, not after it was shown, so lateness does not
// slow the rate; a step that came late owes nothing, so slow frames never make the
// next ones race. The direction, the step and the view are read at each step.
void ShowSession::StartAnimation() {
  if (AnimationOn) return;
  AnimationOn = true;
  Cursor.reset();
  AnimationClock.start();
  NextStepDueNs = 0;
  if (Pending())
    return;  // the step starts once the hour asked for before is shown
  AnimationStep();
}

void ShowSession::StopAnimation() {
  AnimationOn = false;
  AnimationTimer.stop();
}

void ShowSession::ScheduleAnimationStep() {
  const qint64 waitNs = NextStepDueNs - AnimationClock.nsecsElapsed();
  AnimationTimer.start(static_cast<int>(std::max<qint64>(0, (waitNs + 999'999) / 1'000'000)));
}

void ShowSession::AnimationStep() {
  if (!AnimationOn || Pending()) return;
  constexpr qint64 kStepNs = 1'000'000'000 / kAnimationStepsPerSecond;
  NextStepDueNs = std::max(NextStepDueNs + kStepNs, AnimationClock.nsecsElapsed());
  Show(AnimationStepFrom(Hour, StepDays(StepHours), Backwards));
}
